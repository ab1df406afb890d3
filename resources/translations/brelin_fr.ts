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
        <location filename="../../src/ui/BRMainWindow.ui" line="66" />
        <source>Size</source>
        <translation>Taille</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="75" />
        <source>Keep the original size</source>
        <translation>Garder la taille d’origine</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="88" />
        <source>Scale by a factor:</source>
        <translation>Multiplier par un facteur :</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="98" />
        <source>Width and height are multiplied by this factor</source>
        <translation>La largeur et la hauteur sont multipliées par ce facteur</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="123" />
        <source>Scale to a fixed length:</source>
        <translation>Ramener à une longueur fixe :</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="155" />
        <source>Applies to:</source>
        <translation>S’applique à :</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="172" />
        <source>Width</source>
        <translation>la largeur</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="177" />
        <source>Height</source>
        <translation>la hauteur</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="182" />
        <source>Shorter side</source>
        <translation>le petit côté</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="187" />
        <source>Longer side</source>
        <translation>le grand côté</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="192" />
        <source>Width, only for wider images</source>
        <translation>la largeur, pour les images plus larges seulement</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="197" />
        <source>Height, only for higher images</source>
        <translation>la hauteur, pour les images plus hautes seulement</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="208" />
        <source>Quality</source>
        <translation>Qualité</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="214" />
        <source>Recompress the image</source>
        <translation>Recompresser l’image</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="220" />
        <source>Decode and encode every image anew; always on while the image is scaled</source>
        <translation>Décoder et encoder de nouveau chaque image ; toujours actif quand l’image est redimensionnée</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="268" />
        <source>Smaller file</source>
        <translation>Fichier plus léger</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="275" />
        <source>Better image</source>
        <translation>Meilleure image</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="288" />
        <source>Metadata</source>
        <translation>Métadonnées</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="294" />
        <source>Remove EXIF data</source>
        <translation>Retirer les données EXIF</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="297" />
        <source>Camera settings, date, GPS position and thumbnail (APP1)</source>
        <translation>Réglages de l’appareil, date, position GPS et vignette (APP1)</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="304" />
        <source>Remove IPTC data</source>
        <translation>Retirer les données IPTC</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="307" />
        <source>Captions, keywords and credits (APP13)</source>
        <translation>Légendes, mots-clés et crédits (APP13)</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="314" />
        <source>Remove ICC colour profile</source>
        <translation>Retirer le profil de couleurs ICC</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="317" />
        <source>The colour profile (APP2)</source>
        <translation>Le profil de couleurs (APP2)</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="324" />
        <source>Remove JPEG comment</source>
        <translation>Retirer le commentaire JPEG</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="327" />
        <source>The comment text (COM)</source>
        <translation>Le texte du commentaire (COM)</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="334" />
        <source>Remove other markers</source>
        <translation>Retirer les autres marqueurs</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="337" />
        <source>APP0, APP3, APP12 and APP14 segments</source>
        <translation>Segments APP0, APP3, APP12 et APP14</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="347" />
        <source>Output</source>
        <translation>Sortie</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="353" />
        <source>Add a suffix to the name:</source>
        <translation>Ajouter un suffixe au nom :</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="359" />
        <source>Keep the original: the result gets this text before its extension</source>
        <translation>Garder l’original : le résultat reçoit ce texte avant son extension</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="373" />
        <source>Save into a folder:</source>
        <translation>Enregistrer dans un dossier :</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="376" />
        <source>Write the results into this folder instead of beside the originals</source>
        <translation>Écrire les résultats dans ce dossier plutôt qu’à côté des originaux</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="383" />
        <source>Same as original</source>
        <translation>Identique à l’original</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="390" />
        <source>Choose…</source>
        <translation>Choisir…</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="400" />
        <source>Icon</source>
        <translation>Icône</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="409" />
        <source>Keep the original's custom icon</source>
        <translation>Garder l’icône personnalisée de l’original</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="425" />
        <source>Remove the custom icon</source>
        <translation>Retirer l’icône personnalisée</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="438" />
        <source>Make an icon from the image</source>
        <translation>Faire une icône à partir de l’image</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="484" />
        <source>Process</source>
        <translation>Traiter</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="501" />
        <source>&amp;File</source>
        <translation>&amp;Fichier</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="507" />
        <source>&amp;Edit</source>
        <translation>&amp;Édition</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="517" />
        <source>&amp;View</source>
        <translation>&amp;Affichage</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="523" />
        <source>&amp;Help</source>
        <translation>Ai&amp;de</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="536" />
        <source>&amp;Quit</source>
        <translation>&amp;Quitter</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="544" />
        <source>Cu&amp;t</source>
        <translation>Co&amp;uper</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="549" />
        <source>&amp;Copy</source>
        <translation>&amp;Copier</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="554" />
        <source>&amp;Paste</source>
        <translation>C&amp;oller</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="559" />
        <source>Select &amp;All</source>
        <translation>&amp;Tout sélectionner</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="564" />
        <source>&amp;Full Screen</source>
        <translation>&amp;Plein écran</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="569" />
        <source>Brelin &amp;Help</source>
        <translation>&amp;Aide de Brelin</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="574" />
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
</TS>