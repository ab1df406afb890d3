<?xml version='1.0' encoding='utf-8'?>
<TS version="2.1" language="fr_FR">
<context>
    <name>BRController</name>
    <message>
        <location filename="../../src/ui/BRController.cpp" line="54" />
        <source>Name</source>
        <translation>Nom</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRController.cpp" line="211" />
        <source>Same as original</source>
        <translation>Identique à l’original</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRController.cpp" line="226" />
        <source>Choose the Output Folder</source>
        <translation>Choisir le dossier de sortie</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRController.cpp" line="230" />
        <source>Choose</source>
        <translation>Choisir</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRController.cpp" line="244" />
        <source>Readme</source>
        <translation>LisezMoi</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRController.cpp" line="251" />
        <source>About Brelin</source>
        <translation>À propos de Brelin</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRController.cpp" line="252" />
        <source>&lt;h3&gt;Brelin %1&lt;/h3&gt;&lt;p&gt;Makes JPEG images smaller in batches.&lt;/p&gt;</source>
        <translation>&lt;h3&gt;Brelin %1&lt;/h3&gt;&lt;p&gt;Réduit des images JPEG par lots.&lt;/p&gt;</translation>
    </message>
</context>
<context>
    <name>BRMainWindow</name>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="111" />
        <source>Size</source>
        <translation>Taille</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="120" />
        <source>Keep the original size</source>
        <translation>Garder la taille d’origine</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="133" />
        <source>Scale by a factor:</source>
        <translation>Multiplier par un facteur :</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="143" />
        <source>Width and height are multiplied by this factor</source>
        <translation>La largeur et la hauteur sont multipliées par ce facteur</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="168" />
        <source>Scale to a fixed length:</source>
        <translation>Ramener à une longueur fixe :</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="200" />
        <source>Applies to:</source>
        <translation>S’applique à :</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="217" />
        <source>Width</source>
        <translation>la largeur</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="222" />
        <source>Height</source>
        <translation>la hauteur</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="227" />
        <source>Shorter side</source>
        <translation>le petit côté</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="232" />
        <source>Longer side</source>
        <translation>le grand côté</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="237" />
        <source>Width, only for wider images</source>
        <translation>la largeur, pour les images plus larges seulement</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="242" />
        <source>Height, only for higher images</source>
        <translation>la hauteur, pour les images plus hautes seulement</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="253" />
        <source>Quality</source>
        <translation>Qualité</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="259" />
        <source>Recompress the image</source>
        <translation>Recompresser l’image</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="265" />
        <source>Decode and encode every image anew; always on while the image is scaled</source>
        <translation>Décoder et encoder de nouveau chaque image ; toujours actif quand l’image est redimensionnée</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="313" />
        <source>Smaller file</source>
        <translation>Fichier plus léger</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="320" />
        <source>Better image</source>
        <translation>Meilleure image</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="333" />
        <source>Metadata</source>
        <translation>Métadonnées</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="342" />
        <source>Camera settings, date, GPS position and thumbnail (APP1)</source>
        <translation>Réglages de l’appareil, date, position GPS et vignette (APP1)</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="352" />
        <source>Captions, keywords and credits (APP13)</source>
        <translation>Légendes, mots-clés et crédits (APP13)</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="362" />
        <source>The colour profile (APP2)</source>
        <translation>Le profil de couleurs (APP2)</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="379" />
        <source>Remove other markers</source>
        <translation>Retirer les autres marqueurs</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="382" />
        <source>APP0, APP3, APP12 and APP14 segments</source>
        <translation>Segments APP0, APP3, APP12 et APP14</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="392" />
        <source>Output</source>
        <translation>Sortie</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="398" />
        <source>Add a suffix to the name:</source>
        <translation>Ajouter un suffixe au nom :</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="404" />
        <source>Keep the original: the result gets this text before its extension</source>
        <translation>Garder l’original : le résultat reçoit ce texte avant son extension</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="418" />
        <source>Save into a folder:</source>
        <translation>Enregistrer dans un dossier :</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="421" />
        <source>Write the results into this folder instead of beside the originals</source>
        <translation>Écrire les résultats dans ce dossier plutôt qu’à côté des originaux</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="428" />
        <source>Same as original</source>
        <translation>Identique à l’original</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="435" />
        <source>Choose…</source>
        <translation>Choisir…</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="445" />
        <source>Icon</source>
        <translation>Icône</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="454" />
        <source>Keep the original's custom icon</source>
        <translation>Garder l’icône personnalisée de l’original</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="470" />
        <source>Remove the custom icon</source>
        <translation>Retirer l’icône personnalisée</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="483" />
        <source>Make an icon from the image</source>
        <translation>Faire une icône à partir de l’image</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="61" />
        <source>Process</source>
        <translation>Traiter</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="339" />
        <source>Remove EXIF</source>
        <translation>Retirer l’EXIF</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="349" />
        <source>Remove IPTC</source>
        <translation>Retirer l’IPTC</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="359" />
        <source>Remove ICC profile</source>
        <translation>Retirer le profil ICC</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="369" />
        <source>Remove comment</source>
        <translation>Retirer le commentaire</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="372" />
        <source>The JPEG comment text (COM)</source>
        <translation>Le texte du commentaire JPEG (COM)</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="516" />
        <source>&amp;File</source>
        <translation>&amp;Fichier</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="522" />
        <source>&amp;Edit</source>
        <translation>&amp;Édition</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="532" />
        <source>&amp;View</source>
        <translation>&amp;Affichage</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="538" />
        <source>&amp;Help</source>
        <translation>Ai&amp;de</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="551" />
        <source>&amp;Quit</source>
        <translation>&amp;Quitter</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="559" />
        <source>Cu&amp;t</source>
        <translation>Co&amp;uper</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="564" />
        <source>&amp;Copy</source>
        <translation>&amp;Copier</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="569" />
        <source>&amp;Paste</source>
        <translation>C&amp;oller</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="574" />
        <source>Select &amp;All</source>
        <translation>&amp;Tout sélectionner</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="579" />
        <source>&amp;Full Screen</source>
        <translation>&amp;Plein écran</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="584" />
        <source>Brelin &amp;Help</source>
        <translation>&amp;Aide de Brelin</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="589" />
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
        <location filename="../../src/processing/MetadataTransfer.cpp" line="134" />
        <source>The file is not a readable JPEG image.</source>
        <translation>Le fichier n’est pas une image JPEG lisible.</translation>
    </message>
    <message>
        <location filename="../../src/processing/MetadataTransfer.cpp" line="151" />
        <location filename="../../src/processing/MetadataTransfer.cpp" line="198" />
        <location filename="../../src/processing/MetadataTransfer.cpp" line="239" />
        <source>The temporary folder cannot be written.</source>
        <translation>Impossible d’écrire dans le dossier temporaire.</translation>
    </message>
    <message>
        <location filename="../../src/processing/MetadataTransfer.cpp" line="176" />
        <source>The file is not a complete JPEG image.</source>
        <translation>Le fichier n’est pas une image JPEG complète.</translation>
    </message>
    <message>
        <location filename="../../src/processing/MetadataTransfer.cpp" line="187" />
        <source>The image cannot be turned upright without loss.</source>
        <translation>L’image ne peut pas être redressée sans perte.</translation>
    </message>
    <message>
        <location filename="../../src/processing/MetadataTransfer.cpp" line="227" />
        <source>The metadata of the original cannot be read.</source>
        <translation>Les métadonnées de l’original sont illisibles.</translation>
    </message>
    <message>
        <location filename="../../src/processing/MetadataTransfer.cpp" line="233" />
        <source>The new image is not a complete JPEG image.</source>
        <translation>La nouvelle image n’est pas une image JPEG complète.</translation>
    </message>
</context>
</TS>