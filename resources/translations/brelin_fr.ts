<?xml version='1.0' encoding='utf-8'?>
<TS version="2.1" language="fr_FR">
<context>
    <name>BRController</name>
    <message>
        <location filename="../../src/ui/BRController.cpp" line="57" />
        <source>Name</source>
        <translation>Nom</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRController.cpp" line="217" />
        <source>Same as original</source>
        <translation>Identique à l’original</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRController.cpp" line="232" />
        <source>Choose the Output Folder</source>
        <translation>Choisir le dossier de sortie</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRController.cpp" line="236" />
        <source>Choose</source>
        <translation>Choisir</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRController.cpp" line="250" />
        <source>Readme</source>
        <translation>LisezMoi</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRController.cpp" line="257" />
        <source>About Brelin</source>
        <translation>À propos de Brelin</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRController.cpp" line="258" />
        <source>&lt;h3&gt;Brelin %1&lt;/h3&gt;&lt;p&gt;Makes JPEG images smaller in batches.&lt;/p&gt;</source>
        <translation>&lt;h3&gt;Brelin %1&lt;/h3&gt;&lt;p&gt;Réduit des images JPEG par lots.&lt;/p&gt;</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRControllerPresets.cpp" line="29" />
        <source>Save Preset…</source>
        <translation>Enregistrer le préréglage…</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRControllerPresets.cpp" line="30" />
        <source>Manage Presets…</source>
        <translation>Gérer les préréglages…</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRControllerPresets.cpp" line="40" />
        <source>Save Preset</source>
        <translation>Enregistrer le préréglage</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRControllerPresets.cpp" line="45" />
        <source>Preset name:</source>
        <translation>Nom du préréglage :</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRControllerPresets.cpp" line="47" />
        <source>Save</source>
        <translation>Enregistrer</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRControllerPresets.cpp" line="56" />
        <source>Default</source>
        <translation>Par défaut</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRControllerPresets.cpp" line="144" />
        <source>Replace ?</source>
        <translation>Remplacer ?</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRControllerPresets.cpp" line="145" />
        <source>Do you want to replace the existing preset with the same name ?</source>
        <translation>Voulez-vous remplacer le préréglage existant du même nom ?</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRControllerPresets.cpp" line="149" />
        <source>Yes</source>
        <translation>Oui</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRControllerPresets.cpp" line="150" />
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
</context>
<context>
    <name>BRMainWindow</name>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="138" />
        <source>Size</source>
        <translation>Taille</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="147" />
        <source>Keep the original size</source>
        <translation>Garder la taille d’origine</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="160" />
        <source>Scale by a factor:</source>
        <translation>Multiplier par un facteur :</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="170" />
        <source>Width and height are multiplied by this factor</source>
        <translation>La largeur et la hauteur sont multipliées par ce facteur</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="195" />
        <source>Scale to a fixed length:</source>
        <translation>Ramener à une longueur fixe :</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="227" />
        <source>Applies to:</source>
        <translation>S’applique à :</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="244" />
        <source>Width</source>
        <translation>la largeur</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="249" />
        <source>Height</source>
        <translation>la hauteur</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="254" />
        <source>Shorter side</source>
        <translation>le petit côté</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="259" />
        <source>Longer side</source>
        <translation>le grand côté</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="264" />
        <source>Width, only for wider images</source>
        <translation>la largeur, pour les images plus larges seulement</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="269" />
        <source>Height, only for higher images</source>
        <translation>la hauteur, pour les images plus hautes seulement</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="280" />
        <source>Quality</source>
        <translation>Qualité</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="286" />
        <source>Recompress the image</source>
        <translation>Recompresser l’image</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="292" />
        <source>Decode and encode every image anew; always on while the image is scaled</source>
        <translation>Décoder et encoder de nouveau chaque image ; toujours actif quand l’image est redimensionnée</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="340" />
        <source>Smaller file</source>
        <translation>Fichier plus léger</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="347" />
        <source>Better image</source>
        <translation>Meilleure image</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="360" />
        <source>Metadata</source>
        <translation>Métadonnées</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="369" />
        <source>Camera settings, date, GPS position and thumbnail (APP1)</source>
        <translation>Réglages de l’appareil, date, position GPS et vignette (APP1)</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="379" />
        <source>Captions, keywords and credits (APP13)</source>
        <translation>Légendes, mots-clés et crédits (APP13)</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="389" />
        <source>The colour profile (APP2)</source>
        <translation>Le profil de couleurs (APP2)</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="406" />
        <source>Remove other markers</source>
        <translation>Retirer les autres marqueurs</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="409" />
        <source>APP0, APP3, APP12 and APP14 segments</source>
        <translation>Segments APP0, APP3, APP12 et APP14</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="419" />
        <source>Output</source>
        <translation>Sortie</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="425" />
        <source>Add a suffix to the name:</source>
        <translation>Ajouter un suffixe au nom :</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="431" />
        <source>Keep the original: the result gets this text before its extension</source>
        <translation>Garder l’original : le résultat reçoit ce texte avant son extension</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="445" />
        <source>Save into a folder:</source>
        <translation>Enregistrer dans un dossier :</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="448" />
        <source>Write the results into this folder instead of beside the originals</source>
        <translation>Écrire les résultats dans ce dossier plutôt qu’à côté des originaux</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="455" />
        <source>Same as original</source>
        <translation>Identique à l’original</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="462" />
        <source>Choose…</source>
        <translation>Choisir…</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="472" />
        <source>Icon</source>
        <translation>Icône</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="481" />
        <source>Keep the original's custom icon</source>
        <translation>Garder l’icône personnalisée de l’original</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="497" />
        <source>Remove the custom icon</source>
        <translation>Retirer l’icône personnalisée</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="510" />
        <source>Make an icon from the image</source>
        <translation>Faire une icône à partir de l’image</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="61" />
        <source>Process</source>
        <translation>Traiter</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="113" />
        <source>Preset:</source>
        <translation>Préréglage :</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="123" />
        <source>Choose a preset to show its settings, or save the settings shown as a preset</source>
        <translation>Choisissez un préréglage pour afficher ses réglages, ou enregistrez les réglages affichés comme préréglage</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="366" />
        <source>Remove EXIF</source>
        <translation>Retirer l’EXIF</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="376" />
        <source>Remove IPTC</source>
        <translation>Retirer l’IPTC</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="386" />
        <source>Remove ICC profile</source>
        <translation>Retirer le profil ICC</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="396" />
        <source>Remove comment</source>
        <translation>Retirer le commentaire</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="399" />
        <source>The JPEG comment text (COM)</source>
        <translation>Le texte du commentaire JPEG (COM)</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="543" />
        <source>&amp;File</source>
        <translation>&amp;Fichier</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="549" />
        <source>&amp;Edit</source>
        <translation>&amp;Édition</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="561" />
        <source>&amp;View</source>
        <translation>&amp;Affichage</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="567" />
        <source>&amp;Help</source>
        <translation>Ai&amp;de</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="580" />
        <source>&amp;Quit</source>
        <translation>&amp;Quitter</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="588" />
        <source>Cu&amp;t</source>
        <translation>Co&amp;uper</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="593" />
        <source>&amp;Copy</source>
        <translation>&amp;Copier</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="598" />
        <source>&amp;Paste</source>
        <translation>C&amp;oller</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="603" />
        <source>Select &amp;All</source>
        <translation>&amp;Tout sélectionner</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="608" />
        <source>Pr&amp;eferences…</source>
        <translation>Pré&amp;férences…</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="616" />
        <source>&amp;Full Screen</source>
        <translation>&amp;Plein écran</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="621" />
        <source>Brelin &amp;Help</source>
        <translation>&amp;Aide de Brelin</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="626" />
        <source>&amp;About Brelin</source>
        <translation>À &amp;propos de Brelin</translation>
    </message>
</context>
<context>
    <name>BROutlineView</name>
    <message>
        <location filename="../../src/ui/BROutlineView.cpp" line="26" />
        <source>Drop photos and folders here</source>
        <translation>Déposez ici des photos et des dossiers</translation>
    </message>
</context>
<context>
    <name>MetadataTransfer</name>
    <message>
        <location filename="../../src/processing/MetadataTransfer.cpp" line="170" />
        <source>The file is not a readable JPEG image.</source>
        <translation>Le fichier n’est pas une image JPEG lisible.</translation>
    </message>
    <message>
        <location filename="../../src/processing/MetadataTransfer.cpp" line="187" />
        <location filename="../../src/processing/MetadataTransfer.cpp" line="234" />
        <location filename="../../src/processing/MetadataTransfer.cpp" line="275" />
        <source>The temporary folder cannot be written.</source>
        <translation>Impossible d’écrire dans le dossier temporaire.</translation>
    </message>
    <message>
        <location filename="../../src/processing/MetadataTransfer.cpp" line="212" />
        <source>The file is not a complete JPEG image.</source>
        <translation>Le fichier n’est pas une image JPEG complète.</translation>
    </message>
    <message>
        <location filename="../../src/processing/MetadataTransfer.cpp" line="223" />
        <source>The image cannot be turned upright without loss.</source>
        <translation>L’image ne peut pas être redressée sans perte.</translation>
    </message>
    <message>
        <location filename="../../src/processing/MetadataTransfer.cpp" line="263" />
        <source>The metadata of the original cannot be read.</source>
        <translation>Les métadonnées de l’original sont illisibles.</translation>
    </message>
    <message>
        <location filename="../../src/processing/MetadataTransfer.cpp" line="269" />
        <source>The new image is not a complete JPEG image.</source>
        <translation>La nouvelle image n’est pas une image JPEG complète.</translation>
    </message>
</context>
<context>
    <name>PrefsController</name>
    <message>
        <location filename="../../src/ui/PrefsController.cpp" line="42" />
        <source>Preferences</source>
        <translation>Préférences</translation>
    </message>
    <message>
        <location filename="../../src/ui/PrefsController.cpp" line="43" />
        <source>Empty the list after processing</source>
        <translation>Vider la liste après le traitement</translation>
    </message>
    <message>
        <location filename="../../src/ui/PrefsController.cpp" line="45" />
        <source>Process files opened from the desktop at once</source>
        <translation>Traiter aussitôt les fichiers ouverts depuis le bureau</translation>
    </message>
    <message>
        <location filename="../../src/ui/PrefsController.cpp" line="47" />
        <source>Manage Presets…</source>
        <translation>Gérer les préréglages…</translation>
    </message>
    <message>
        <location filename="../../src/ui/PrefsController.cpp" line="69" />
        <source>Manage Presets</source>
        <translation>Gérer les préréglages</translation>
    </message>
    <message>
        <location filename="../../src/ui/PrefsController.cpp" line="73" />
        <source>Name</source>
        <translation>Nom</translation>
    </message>
    <message>
        <location filename="../../src/ui/PrefsController.cpp" line="79" />
        <source>Rename…</source>
        <translation>Renommer…</translation>
    </message>
    <message>
        <location filename="../../src/ui/PrefsController.cpp" line="81" />
        <source>Delete</source>
        <translation>Supprimer</translation>
    </message>
    <message>
        <location filename="../../src/ui/PrefsController.cpp" line="83" />
        <source>Done</source>
        <translation>Terminé</translation>
    </message>
    <message>
        <location filename="../../src/ui/PrefsController.cpp" line="102" />
        <source>Rename Preset</source>
        <translation>Renommer le préréglage</translation>
    </message>
    <message>
        <location filename="../../src/ui/PrefsController.cpp" line="107" />
        <source>New name:</source>
        <translation>Nouveau nom :</translation>
    </message>
    <message>
        <location filename="../../src/ui/PrefsController.cpp" line="109" />
        <source>Rename</source>
        <translation>Renommer</translation>
    </message>
    <message>
        <location filename="../../src/ui/PrefsController.cpp" line="214" />
        <source>Delete preset ?</source>
        <translation>Supprimer le préréglage ?</translation>
    </message>
    <message>
        <location filename="../../src/ui/PrefsController.cpp" line="215" />
        <source>Are you sure you want to delete the preset "</source>
        <translation>Voulez-vous vraiment supprimer le préréglage "</translation>
    </message>
    <message>
        <location filename="../../src/ui/PrefsController.cpp" line="221" />
        <source>Yes</source>
        <translation>Oui</translation>
    </message>
    <message>
        <location filename="../../src/ui/PrefsController.cpp" line="222" />
        <source>No</source>
        <translation>Non</translation>
    </message>
</context>
</TS>