<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR">
<context>
    <name>AddFilesDialog</name>
    <message>
        <location filename="../../src/ui/AddFilesDialog.cpp" line="29"/>
        <source>Add Photos and Folders</source>
        <translation>Ajouter des photos et des dossiers</translation>
    </message>
    <message>
        <location filename="../../src/ui/AddFilesDialog.cpp" line="35"/>
        <source>Add</source>
        <translation>Ajouter</translation>
    </message>
</context>
<context>
    <name>BRController</name>
    <message>
        <location filename="../../src/ui/BRController.cpp" line="280"/>
        <source>Same as original</source>
        <translation>Identique à l’original</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRController.cpp" line="295"/>
        <source>Choose the Output Folder</source>
        <translation>Choisir le dossier de sortie</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRController.cpp" line="299"/>
        <source>Choose</source>
        <translation>Choisir</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRController.cpp" line="313"/>
        <source>Readme</source>
        <translation>LisezMoi</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRController.cpp" line="320"/>
        <source>About Brelin</source>
        <translation>À propos de Brelin</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRController.cpp" line="321"/>
        <source>&lt;h3&gt;Brelin %1&lt;/h3&gt;&lt;p&gt;Makes JPEG images smaller in batches.&lt;/p&gt;&lt;p&gt;Brelin is free software: you can redistribute it and/or modify it under the terms of the GNU General Public License, version 3 or (at your option) any later version (GPL-3.0-or-later). It comes with no warranty.&lt;/p&gt;</source>
        <translation>&lt;h3&gt;Brelin %1&lt;/h3&gt;&lt;p&gt;Réduit des images JPEG par lots.&lt;/p&gt;&lt;p&gt;Brelin est un logiciel libre : vous pouvez le redistribuer et le modifier selon les termes de la Licence publique générale GNU, version 3 ou (à votre choix) toute version ultérieure (GPL-3.0-or-later). Il est fourni sans aucune garantie.&lt;/p&gt;</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRControllerPresets.cpp" line="30"/>
        <source>Save Preset…</source>
        <translation>Enregistrer le préréglage…</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRControllerPresets.cpp" line="31"/>
        <source>Manage Presets…</source>
        <translation>Gérer les préréglages…</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRControllerPresets.cpp" line="41"/>
        <source>Save Preset</source>
        <translation>Enregistrer le préréglage</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRControllerPresets.cpp" line="46"/>
        <source>Preset name:</source>
        <translation>Nom du préréglage :</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRControllerPresets.cpp" line="48"/>
        <source>Save</source>
        <translation>Enregistrer</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRControllerPresets.cpp" line="57"/>
        <source>Default</source>
        <translation>Par défaut</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRControllerPresets.cpp" line="145"/>
        <source>Replace ?</source>
        <translation>Remplacer ?</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRControllerPresets.cpp" line="146"/>
        <source>Do you want to replace the existing preset with the same name ?</source>
        <translation>Voulez-vous remplacer le préréglage existant du même nom ?</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRControllerPresets.cpp" line="150"/>
        <source>Yes</source>
        <translation>Oui</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRControllerPresets.cpp" line="151"/>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRControllerShell.cpp" line="51"/>
        <source>“%1” is not a JPEG file or a folder.</source>
        <translation>« %1 » n’est ni un fichier JPEG ni un dossier.</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRControllerShell.cpp" line="73"/>
        <source>Info</source>
        <translation>Infos</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRControllerShell.cpp" line="182"/>
        <source>Close Quick Look panel</source>
        <translation>Fermer le panneau Coup d’œil</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRControllerShell.cpp" line="182"/>
        <source>Open Quick Look panel</source>
        <translation>Ouvrir le panneau Coup d’œil</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRControllerCompare.cpp" line="53"/>
        <source>Select one photo in the list to see it beside what the settings make of it.</source>
        <translation>Choisissez une photo dans la liste pour la voir à côté de ce que les réglages en font.</translation>
    </message>
</context>
<context>
    <name>BRFileListModel</name>
    <message>
        <location filename="../../src/filelist/BRFileListModel.cpp" line="235"/>
        <source>Name</source>
        <translation>Nom</translation>
    </message>
</context>
<context>
    <name>BRFileURL</name>
    <message>
        <location filename="../../src/filelist/BRFileURL.cpp" line="146"/>
        <source>Directory with</source>
        <translation>Dossier avec</translation>
    </message>
    <message>
        <location filename="../../src/filelist/BRFileURL.cpp" line="148"/>
        <source>file(s)</source>
        <translation>fichier(s)</translation>
    </message>
    <message>
        <location filename="../../src/filelist/BRFileURL.cpp" line="151"/>
        <source>JPEG image (HDR)</source>
        <translation>Image JPEG (HDR)</translation>
    </message>
    <message>
        <location filename="../../src/filelist/BRFileURL.cpp" line="152"/>
        <source>JPEG image</source>
        <translation>Image JPEG</translation>
    </message>
    <message>
        <location filename="../../src/filelist/BRFileURL.cpp" line="150"/>
        <source>JPEG file</source>
        <translation>Fichier JPEG</translation>
    </message>
</context>
<context>
    <name>BRInfoController</name>
    <message>
        <location filename="../../src/ui/BRInfoController.cpp" line="68"/>
        <source>Property</source>
        <translation>Propriété</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRInfoController.cpp" line="68"/>
        <source>Value</source>
        <translation>Valeur</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRInfoController.cpp" line="76"/>
        <source>Path:</source>
        <translation>Chemin :</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRInfoController.cpp" line="77"/>
        <source>Type:</source>
        <translation>Type :</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRInfoController.cpp" line="78"/>
        <source>Size:</source>
        <translation>Taille :</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRInfoController.cpp" line="111"/>
        <location filename="../../src/ui/BRInfoController.cpp" line="112"/>
        <source>Comment</source>
        <translation>Commentaire</translation>
    </message>
</context>
<context>
    <name>BRMainWindow</name>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="171"/>
        <source>Size</source>
        <translation>Taille</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="183"/>
        <source>Keep the original size</source>
        <translation>Garder la taille d’origine</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="196"/>
        <source>Scale by a factor:</source>
        <translation>Multiplier par un facteur :</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="206"/>
        <source>Width and height are multiplied by this factor</source>
        <translation>La largeur et la hauteur sont multipliées par ce facteur</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="231"/>
        <source>Scale to a fixed length:</source>
        <translation>Ramener à une longueur fixe :</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="263"/>
        <source>Applies to:</source>
        <translation>S’applique à :</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="280"/>
        <source>Width</source>
        <translation>la largeur</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="285"/>
        <source>Height</source>
        <translation>la hauteur</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="290"/>
        <source>Shorter side</source>
        <translation>le petit côté</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="295"/>
        <source>Longer side</source>
        <translation>le grand côté</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="300"/>
        <source>Width, only for wider images</source>
        <translation>la largeur, pour les images plus larges seulement</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="305"/>
        <source>Height, only for higher images</source>
        <translation>la hauteur, pour les images plus hautes seulement</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="321"/>
        <source>Quality</source>
        <translation>Qualité</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="330"/>
        <source>Recompress the image</source>
        <translation>Recompresser l’image</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="336"/>
        <source>Decode and encode every image anew; always on while the image is scaled</source>
        <translation>Décoder et encoder de nouveau chaque image ; toujours actif quand l’image est redimensionnée</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="384"/>
        <source>Smaller file</source>
        <translation>Fichier plus léger</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="391"/>
        <source>Better image</source>
        <translation>Meilleure image</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="463"/>
        <source>Metadata</source>
        <translation>Métadonnées</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="475"/>
        <source>Camera settings, date, GPS position and thumbnail (APP1)</source>
        <translation>Réglages de l’appareil, date, position GPS et vignette (APP1)</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="485"/>
        <source>Captions, keywords and credits (APP13)</source>
        <translation>Légendes, mots-clés et crédits (APP13)</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="495"/>
        <source>The colour profile (APP2)</source>
        <translation>Le profil de couleurs (APP2)</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="512"/>
        <source>Remove other markers</source>
        <translation>Retirer les autres marqueurs</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="515"/>
        <source>APP0, APP3, APP12 and APP14 segments</source>
        <translation>Segments APP0, APP3, APP12 et APP14</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="535"/>
        <source>Output</source>
        <translation>Sortie</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="544"/>
        <source>Add a suffix to the name:</source>
        <translation>Ajouter un suffixe au nom :</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="550"/>
        <source>Keep the original: the result gets this text before its extension</source>
        <translation>Garder l’original : le résultat reçoit ce texte avant son extension</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="564"/>
        <source>Save into a folder:</source>
        <translation>Enregistrer dans un dossier :</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="567"/>
        <source>Write the results into this folder instead of beside the originals</source>
        <translation>Écrire les résultats dans ce dossier plutôt qu’à côté des originaux</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="574"/>
        <source>Same as original</source>
        <translation>Identique à l’original</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="581"/>
        <source>Choose…</source>
        <translation>Choisir…</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="601"/>
        <source>Icon</source>
        <translation>Icône</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="613"/>
        <source>Keep the original&apos;s custom icon</source>
        <translation>Garder l’icône personnalisée de l’original</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="629"/>
        <source>Remove the custom icon</source>
        <translation>Retirer l’icône personnalisée</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="642"/>
        <source>Make an icon from the image</source>
        <translation>Faire une icône à partir de l’image</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="91"/>
        <source>Process</source>
        <translation>Traiter</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="48"/>
        <source>Add…</source>
        <translation>Ajouter…</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="51"/>
        <source>Add photos and folders to the list</source>
        <translation>Ajouter des photos et des dossiers à la liste</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="58"/>
        <source>Remove</source>
        <translation>Retirer</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="61"/>
        <source>Remove the selected rows from the list</source>
        <translation>Retirer de la liste les lignes sélectionnées</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="81"/>
        <source>Compare</source>
        <translation>Comparer</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="84"/>
        <source>The selected photo beside what the settings make of it</source>
        <translation>La photo choisie à côté de ce que les réglages en font</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="146"/>
        <source>Preset:</source>
        <translation>Préréglage :</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="156"/>
        <source>Choose a preset to show its settings, or save the settings shown as a preset</source>
        <translation>Choisissez un préréglage pour afficher ses réglages, ou enregistrez les réglages affichés comme préréglage</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="310"/>
        <source>Longer side, if longer</source>
        <translation>le grand côté, s’il est plus grand</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="401"/>
        <source>At most</source>
        <translation>Au plus</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="404"/>
        <source>Lower the quality, for each photo, until the result is no larger than this</source>
        <translation>Baisser la qualité, photo par photo, jusqu’à ce que le résultat ne dépasse pas cette taille</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="411"/>
        <source> kB</source>
        <translation> Ko</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="423"/>
        <source>The largest result, in kB of 1024 bytes; the quality above is the highest allowed</source>
        <translation>Le plus grand résultat, en Ko de 1024 octets ; la qualité ci-dessus est la plus haute permise</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="430"/>
        <source>Allow a higher quality than the photo has</source>
        <translation>Permettre une qualité supérieure à celle de la photo</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="433"/>
        <source>Encode at the quality asked even where the photo was saved at a lower one: the file grows, the look does not</source>
        <translation>Encoder à la qualité demandée même si la photo a été enregistrée à une qualité inférieure : le fichier grossit, l’aspect reste le même</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="440"/>
        <source>Baseline JPEG (for old devices)</source>
        <translation>JPEG séquentiel (pour les anciens appareils)</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="443"/>
        <source>One sequential scan, as every decoder reads it; progressive scans are usually smaller</source>
        <translation>Un seul balayage séquentiel, que tout décodeur lit ; les balayages progressifs sont en général plus petits</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="450"/>
        <source>Copy image data byte for byte</source>
        <translation>Copier les données d’image octet par octet</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="453"/>
        <source>Where image data are copied, keep them as they are instead of rewriting them losslessly smaller</source>
        <translation>Là où les données d’image sont copiées, les garder telles quelles au lieu de les réécrire plus petites sans perte</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="472"/>
        <source>Remove EXIF</source>
        <translation>Retirer l’EXIF</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="482"/>
        <source>Remove IPTC</source>
        <translation>Retirer l’IPTC</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="492"/>
        <source>Remove ICC profile</source>
        <translation>Retirer le profil ICC</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="502"/>
        <source>Remove comment</source>
        <translation>Retirer le commentaire</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="505"/>
        <source>The JPEG comment text (COM)</source>
        <translation>Le texte du commentaire JPEG (COM)</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="522"/>
        <source>Remove HDR gain map</source>
        <translation>Retirer la carte de gain HDR</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="525"/>
        <source>The second image of an HDR photo, which brightens its highlights on HDR screens</source>
        <translation>La seconde image d’une photo HDR, qui éclaircit ses hautes lumières sur les écrans HDR</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="588"/>
        <source>Keep the folders&apos; structure</source>
        <translation>Garder la structure des dossiers</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="591"/>
        <source>A photo from a folder of the list goes into that folder&apos;s name and its path below it</source>
        <translation>Une photo d’un dossier de la liste va dans le nom de ce dossier et son chemin en dessous</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="675"/>
        <source>&amp;File</source>
        <translation>&amp;Fichier</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="684"/>
        <source>&amp;Edit</source>
        <translation>&amp;Édition</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="699"/>
        <source>&amp;View</source>
        <translation>&amp;Affichage</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="709"/>
        <source>&amp;Help</source>
        <translation>Ai&amp;de</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="727"/>
        <source>&amp;Process</source>
        <translation>&amp;Traiter</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="732"/>
        <source>&amp;Add Photos and Folders…</source>
        <translation>&amp;Ajouter des photos et des dossiers…</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="737"/>
        <source>&amp;Remove from List</source>
        <translation>&amp;Retirer de la liste</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="742"/>
        <source>Remove A&amp;ll</source>
        <translation>Retirer t&amp;out</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="747"/>
        <source>&amp;Quit</source>
        <translation>&amp;Quitter</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="755"/>
        <source>Cu&amp;t</source>
        <translation>Co&amp;uper</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="760"/>
        <source>&amp;Copy</source>
        <translation>&amp;Copier</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="765"/>
        <source>&amp;Paste</source>
        <translation>C&amp;oller</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="770"/>
        <source>Select &amp;All</source>
        <translation>&amp;Tout sélectionner</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="775"/>
        <source>Pr&amp;eferences…</source>
        <translation>Pré&amp;férences…</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="783"/>
        <source>&amp;Full Screen</source>
        <translation>&amp;Plein écran</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="788"/>
        <source>Show &amp;Info</source>
        <translation>Afficher les &amp;infos</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="791"/>
        <source>Ctrl+I</source>
        <translation>Ctrl+I</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="796"/>
        <source>Open Quick Look panel</source>
        <translation>Ouvrir le panneau Coup d’œil</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="799"/>
        <source>Ctrl+Y</source>
        <translation>Ctrl+Y</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="804"/>
        <source>&amp;Compare</source>
        <translation>&amp;Comparer</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="807"/>
        <source>Ctrl+K</source>
        <translation>Ctrl+K</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="812"/>
        <source>Brelin &amp;Website</source>
        <translation>&amp;Site web de Brelin</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="817"/>
        <source>&amp;Contact the Author…</source>
        <translation>&amp;Contacter l’auteur…</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="822"/>
        <source>&amp;Donate…</source>
        <translation>&amp;Faire un don…</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="827"/>
        <source>Brelin &amp;Help</source>
        <translation>&amp;Aide de Brelin</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRMainWindow.ui" line="832"/>
        <source>&amp;About Brelin</source>
        <translation>À &amp;propos de Brelin</translation>
    </message>
</context>
<context>
    <name>BROutlineView</name>
    <message>
        <location filename="../../src/ui/BROutlineView.cpp" line="36"/>
        <source>Drop photos and folders here</source>
        <translation>Déposez ici des photos et des dossiers</translation>
    </message>
</context>
<context>
    <name>BRPreviewPanel</name>
    <message>
        <location filename="../../src/ui/BRPreviewPanel.cpp" line="177"/>
        <source>No selection</source>
        <translation>Aucune sélection</translation>
    </message>
    <message>
        <location filename="../../src/ui/BRPreviewPanel.cpp" line="178"/>
        <source>Preview</source>
        <translation>Aperçu</translation>
    </message>
</context>
<context>
    <name>BRProcessor</name>
    <message>
        <location filename="../../src/processing/BRProcessor.cpp" line="61"/>
        <source>No output folder is chosen.</source>
        <translation>Aucun dossier de destination n’est choisi.</translation>
    </message>
    <message>
        <location filename="../../src/processing/BRProcessor.cpp" line="68"/>
        <source>The existing file was kept: you chose not to replace it.</source>
        <translation>Le fichier existant a été gardé : vous avez choisi de ne pas le remplacer.</translation>
    </message>
    <message>
        <location filename="../../src/processing/BRProcessor.cpp" line="216"/>
        <source>The temporary folder cannot be created.</source>
        <translation>Le dossier temporaire ne peut pas être créé.</translation>
    </message>
    <message>
        <location filename="../../src/processing/BRProcessor.cpp" line="394"/>
        <location filename="../../src/processing/SizeTarget.cpp" line="67"/>
        <source>The temporary folder cannot be written.</source>
        <translation>Impossible d’écrire dans le dossier temporaire.</translation>
    </message>
    <message>
        <location filename="../../src/processing/BRProcessor.cpp" line="431"/>
        <source>The temporary folder cannot be read.</source>
        <translation>Le dossier temporaire ne peut pas être lu.</translation>
    </message>
    <message>
        <location filename="../../src/processing/BRProcessor.cpp" line="473"/>
        <source>The file could not be processed.</source>
        <translation>Le fichier n’a pas pu être traité.</translation>
    </message>
    <message>
        <location filename="../../src/processing/SizeTarget.cpp" line="95"/>
        <source>At this size the smallest result is %1 kB, more than the %2 kB asked.</source>
        <translation>À cette taille, le plus petit résultat fait %1 Ko, plus que les %2 Ko demandés.</translation>
    </message>
</context>
<context>
    <name>BRUtils</name>
    <message>
        <location filename="../../src/filelist/BRUtils.cpp" line="9"/>
        <source>Bytes</source>
        <translation>octets</translation>
    </message>
</context>
<context>
    <name>CompareWindow</name>
    <message>
        <location filename="../../src/ui/CompareWindow.cpp" line="18"/>
        <location filename="../../src/ui/CompareWindow.cpp" line="130"/>
        <source>Compare</source>
        <translation>Comparer</translation>
    </message>
    <message>
        <location filename="../../src/ui/CompareWindow.cpp" line="30"/>
        <source>Side by Side</source>
        <translation>Côte à côte</translation>
    </message>
    <message>
        <location filename="../../src/ui/CompareWindow.cpp" line="30"/>
        <source>The original on the left, the result on the right</source>
        <translation>L’original à gauche, le résultat à droite</translation>
    </message>
    <message>
        <location filename="../../src/ui/CompareWindow.cpp" line="31"/>
        <source>Divider</source>
        <translation>Séparateur</translation>
    </message>
    <message>
        <location filename="../../src/ui/CompareWindow.cpp" line="32"/>
        <source>The original left of the divider, the result right of it; drag the divider to move it</source>
        <translation>L’original à gauche du séparateur, le résultat à droite ; faites glisser le séparateur pour le déplacer</translation>
    </message>
    <message>
        <location filename="../../src/ui/CompareWindow.cpp" line="40"/>
        <source>Fit</source>
        <translation>Ajuster</translation>
    </message>
    <message>
        <location filename="../../src/ui/CompareWindow.cpp" line="40"/>
        <source>Zoom to fit (0)</source>
        <translation>Zoom ajusté à la fenêtre (0)</translation>
    </message>
    <message>
        <location filename="../../src/ui/CompareWindow.cpp" line="41"/>
        <source>100 %</source>
        <translation>100 %</translation>
    </message>
    <message>
        <location filename="../../src/ui/CompareWindow.cpp" line="41"/>
        <source>One pixel of the result per screen pixel (1)</source>
        <translation>Un pixel du résultat par pixel de l’écran (1)</translation>
    </message>
    <message>
        <location filename="../../src/ui/CompareWindow.cpp" line="42"/>
        <source>200 %</source>
        <translation>200 %</translation>
    </message>
    <message>
        <location filename="../../src/ui/CompareWindow.cpp" line="42"/>
        <source>Two screen pixels per pixel of the result (2)</source>
        <translation>Deux pixels de l’écran par pixel du résultat (2)</translation>
    </message>
    <message>
        <location filename="../../src/ui/CompareWindow.cpp" line="88"/>
        <source>%1 %</source>
        <translation>%1 %</translation>
    </message>
    <message>
        <location filename="../../src/ui/CompareWindow.cpp" line="110"/>
        <source>The result cannot be shown.</source>
        <translation>Le résultat ne peut pas être affiché.</translation>
    </message>
    <message>
        <location filename="../../src/ui/CompareWindow.cpp" line="117"/>
        <source>Compare — %1</source>
        <translation>Comparer — %1</translation>
    </message>
    <message>
        <location filename="../../src/ui/CompareWindow.cpp" line="137"/>
        <source>Updating…</source>
        <translation>Mise à jour…</translation>
    </message>
</context>
<context>
    <name>FileCopy</name>
    <message>
        <location filename="../../src/processing/FileCopy.cpp" line="32"/>
        <source>There is not enough space on the disk.</source>
        <translation>Il n’y a pas assez de place sur le disque.</translation>
    </message>
    <message>
        <location filename="../../src/processing/FileCopy.cpp" line="34"/>
        <source>The destination folder cannot be written.</source>
        <translation>Le dossier de destination n’est pas accessible en écriture.</translation>
    </message>
    <message>
        <location filename="../../src/processing/FileCopy.cpp" line="35"/>
        <source>The file cannot be written: %1</source>
        <translation>Le fichier ne peut pas être écrit : %1</translation>
    </message>
    <message>
        <location filename="../../src/processing/FileCopy.cpp" line="206"/>
        <source>A folder of the same name stands where the result would go.</source>
        <translation>Un dossier du même nom se trouve à l’emplacement du résultat.</translation>
    </message>
    <message>
        <location filename="../../src/processing/FileCopy.cpp" line="211"/>
        <source>Something that is not a file stands where the result would go.</source>
        <translation>Un élément qui n’est pas un fichier se trouve à l’emplacement du résultat.</translation>
    </message>
    <message>
        <location filename="../../src/processing/FileCopy.cpp" line="218"/>
        <source>The processed file cannot be read: %1</source>
        <translation>Le fichier traité ne peut pas être lu : %1</translation>
    </message>
    <message>
        <location filename="../../src/processing/FileCopy.cpp" line="224"/>
        <source>The processed file is not a complete JPEG image.</source>
        <translation>Le fichier traité n’est pas une image JPEG complète.</translation>
    </message>
</context>
<context>
    <name>FileOutcome</name>
    <message>
        <location filename="../../src/compare/PhotoComparison.cpp" line="83"/>
        <location filename="../../src/processing/FileOutcome.cpp" line="59"/>
        <source>kept its image data</source>
        <translation>données d’image conservées</translation>
    </message>
    <message>
        <location filename="../../src/processing/FileOutcome.cpp" line="61"/>
        <source>kept its image data, losslessly optimised</source>
        <translation>données d’image conservées, optimisées sans perte</translation>
    </message>
    <message>
        <location filename="../../src/processing/FileOutcome.cpp" line="66"/>
        <source>quality %1 to fit %2 kB</source>
        <translation>qualité %1 pour tenir en %2 Ko</translation>
    </message>
    <message>
        <location filename="../../src/processing/FileOutcome.cpp" line="70"/>
        <source>quality %1, the photo&apos;s own</source>
        <translation>qualité %1, celle de la photo</translation>
    </message>
</context>
<context>
    <name>ImageProperties</name>
    <message>
        <location filename="../../src/platform/ImageProperties.cpp" line="133"/>
        <location filename="../../src/platform/ImageProperties.cpp" line="161"/>
        <source>Yes</source>
        <translation>Oui</translation>
    </message>
    <message>
        <location filename="../../src/platform/ImageProperties.cpp" line="134"/>
        <source>No</source>
        <translation>Non</translation>
    </message>
    <message>
        <location filename="../../src/platform/ImageProperties.cpp" line="172"/>
        <source>×%1 (%2 stops)</source>
        <translation>×%1 (%2 IL)</translation>
    </message>
    <message>
        <location filename="../../src/platform/ImageProperties.cpp" line="231"/>
        <source>Pixel Width</source>
        <translation>Largeur en pixels</translation>
    </message>
    <message>
        <location filename="../../src/platform/ImageProperties.cpp" line="232"/>
        <source>Pixel Height</source>
        <translation>Hauteur en pixels</translation>
    </message>
    <message>
        <location filename="../../src/platform/ImageProperties.cpp" line="233"/>
        <source>Color Model</source>
        <translation>Modèle colorimétrique</translation>
    </message>
    <message>
        <location filename="../../src/platform/ImageProperties.cpp" line="234"/>
        <source>Depth</source>
        <translation>Profondeur</translation>
    </message>
    <message>
        <location filename="../../src/platform/ImageProperties.cpp" line="235"/>
        <source>Orientation</source>
        <translation>Orientation</translation>
    </message>
    <message>
        <location filename="../../src/platform/ImageProperties.cpp" line="236"/>
        <source>DPI Width</source>
        <translation>Résolution horizontale (ppp)</translation>
    </message>
    <message>
        <location filename="../../src/platform/ImageProperties.cpp" line="237"/>
        <source>DPI Height</source>
        <translation>Résolution verticale (ppp)</translation>
    </message>
    <message>
        <location filename="../../src/platform/ImageProperties.cpp" line="238"/>
        <source>Profile Name</source>
        <translation>Nom du profil</translation>
    </message>
    <message>
        <location filename="../../src/platform/ImageProperties.cpp" line="239"/>
        <source>JFIF Version</source>
        <translation>Version JFIF</translation>
    </message>
    <message>
        <location filename="../../src/platform/ImageProperties.cpp" line="240"/>
        <source>Density Unit</source>
        <translation>Unité de densité</translation>
    </message>
    <message>
        <location filename="../../src/platform/ImageProperties.cpp" line="241"/>
        <source>X Density</source>
        <translation>Densité X</translation>
    </message>
    <message>
        <location filename="../../src/platform/ImageProperties.cpp" line="242"/>
        <source>Y Density</source>
        <translation>Densité Y</translation>
    </message>
    <message>
        <location filename="../../src/platform/ImageProperties.cpp" line="243"/>
        <source>Progressive</source>
        <translation>Progressif</translation>
    </message>
    <message>
        <location filename="../../src/platform/ImageProperties.cpp" line="244"/>
        <source>Exif</source>
        <translation>Exif</translation>
    </message>
    <message>
        <location filename="../../src/platform/ImageProperties.cpp" line="245"/>
        <source>TIFF</source>
        <translation>TIFF</translation>
    </message>
    <message>
        <location filename="../../src/platform/ImageProperties.cpp" line="246"/>
        <source>GPS</source>
        <translation>GPS</translation>
    </message>
    <message>
        <location filename="../../src/platform/ImageProperties.cpp" line="247"/>
        <source>IPTC</source>
        <translation>IPTC</translation>
    </message>
    <message>
        <location filename="../../src/platform/ImageProperties.cpp" line="248"/>
        <source>JFIF</source>
        <translation>JFIF</translation>
    </message>
    <message>
        <location filename="../../src/platform/ImageProperties.cpp" line="249"/>
        <source>XMP</source>
        <translation>XMP</translation>
    </message>
    <message>
        <location filename="../../src/platform/ImageProperties.cpp" line="250"/>
        <source>HDR</source>
        <translation>HDR</translation>
    </message>
    <message>
        <location filename="../../src/platform/ImageProperties.cpp" line="251"/>
        <source>Gain Map</source>
        <translation>Carte de gain</translation>
    </message>
    <message>
        <location filename="../../src/platform/ImageProperties.cpp" line="252"/>
        <source>Gain Map Size</source>
        <translation>Taille de la carte de gain</translation>
    </message>
    <message>
        <location filename="../../src/platform/ImageProperties.cpp" line="253"/>
        <source>Min Boost</source>
        <translation>Gain minimal</translation>
    </message>
    <message>
        <location filename="../../src/platform/ImageProperties.cpp" line="254"/>
        <source>Max Boost</source>
        <translation>Gain maximal</translation>
    </message>
</context>
<context>
    <name>InfoCell</name>
    <message>
        <location filename="../../src/ui/InfoCell.cpp" line="21"/>
        <source>Subtitle</source>
        <translation>Sous-titre</translation>
    </message>
</context>
<context>
    <name>JpegReencoder</name>
    <message>
        <location filename="../../src/processing/JpegReencoder.cpp" line="134"/>
        <location filename="../../src/processing/JpegReencoder.cpp" line="191"/>
        <source>The file cannot be read.</source>
        <translation>Le fichier est illisible.</translation>
    </message>
    <message>
        <location filename="../../src/processing/JpegReencoder.cpp" line="202"/>
        <source>The settings give the image no usable size.</source>
        <translation>Les réglages ne donnent à l’image aucune taille utilisable.</translation>
    </message>
    <message>
        <location filename="../../src/processing/JpegReencoder.cpp" line="243"/>
        <source>The image cannot be scaled.</source>
        <translation>L’image ne peut pas être redimensionnée.</translation>
    </message>
    <message>
        <location filename="../../src/processing/JpegReencoder.cpp" line="239"/>
        <location filename="../../src/processing/JpegReencoder.cpp" line="345"/>
        <source>The image cannot be encoded.</source>
        <translation>L’image ne peut pas être encodée.</translation>
    </message>
    <message>
        <location filename="../../src/processing/JpegReencoder.cpp" line="219"/>
        <location filename="../../src/processing/JpegReencoder.cpp" line="231"/>
        <source>The temporary folder cannot be written.</source>
        <translation>Impossible d’écrire dans le dossier temporaire.</translation>
    </message>
</context>
<context>
    <name>MetadataTransfer</name>
    <message>
        <location filename="../../src/processing/MetadataTransfer.cpp" line="45"/>
        <source>The marker tools cannot be started.</source>
        <translation>Les outils des marqueurs ne peuvent pas être lancés.</translation>
    </message>
    <message>
        <location filename="../../src/processing/MetadataTransfer.cpp" line="276"/>
        <location filename="../../src/processing/MetadataTransfer.cpp" line="388"/>
        <location filename="../../src/processing/MetadataTransfer.cpp" line="504"/>
        <source>The temporary folder cannot be written.</source>
        <translation>Impossible d’écrire dans le dossier temporaire.</translation>
    </message>
    <message>
        <location filename="../../src/processing/MetadataTransfer.cpp" line="325"/>
        <location filename="../../src/processing/MetadataTransfer.cpp" line="341"/>
        <source>The file is not a complete JPEG image.</source>
        <translation>Le fichier n’est pas une image JPEG complète.</translation>
    </message>
    <message>
        <location filename="../../src/processing/MetadataTransfer.cpp" line="371"/>
        <source>The image cannot be turned upright without loss.</source>
        <translation>L’image ne peut pas être redressée sans perte.</translation>
    </message>
    <message>
        <location filename="../../src/processing/MetadataTransfer.cpp" line="463"/>
        <source>The metadata of the original cannot be read.</source>
        <translation>Les métadonnées de l’original sont illisibles.</translation>
    </message>
    <message>
        <location filename="../../src/processing/MetadataTransfer.cpp" line="498"/>
        <source>The new image is not a complete JPEG image.</source>
        <translation>La nouvelle image n’est pas une image JPEG complète.</translation>
    </message>
</context>
<context>
    <name>PhotoComparison</name>
    <message>
        <location filename="../../src/compare/PhotoComparison.cpp" line="62"/>
        <source>Original</source>
        <translation>Original</translation>
    </message>
    <message>
        <location filename="../../src/compare/PhotoComparison.cpp" line="72"/>
        <source>Result</source>
        <translation>Résultat</translation>
    </message>
    <message>
        <location filename="../../src/compare/PhotoComparison.cpp" line="74"/>
        <source>Result: not made</source>
        <translation>Résultat : non produit</translation>
    </message>
    <message>
        <location filename="../../src/compare/PhotoComparison.cpp" line="81"/>
        <source>quality %1</source>
        <translation>qualité %1</translation>
    </message>
</context>
<context>
    <name>PrefsController</name>
    <message>
        <location filename="../../src/ui/PrefsController.cpp" line="46"/>
        <source>Preferences</source>
        <translation>Préférences</translation>
    </message>
    <message>
        <location filename="../../src/ui/PrefsController.cpp" line="47"/>
        <source>Empty the list after processing</source>
        <translation>Vider la liste après le traitement</translation>
    </message>
    <message>
        <location filename="../../src/ui/PrefsController.cpp" line="49"/>
        <source>Process files opened from the desktop at once</source>
        <translation>Traiter aussitôt les fichiers ouverts depuis le bureau</translation>
    </message>
    <message>
        <location filename="../../src/ui/PrefsController.cpp" line="51"/>
        <source>Keep the originals&apos; dates</source>
        <translation>Garder les dates des originaux</translation>
    </message>
    <message>
        <location filename="../../src/ui/PrefsController.cpp" line="56"/>
        <source>Each photo in progress takes a processor and the memory of one photo. The results are the same at any number.</source>
        <translation>Chaque photo en cours occupe un processeur et la mémoire d’une photo. Les résultats sont les mêmes quel que soit le nombre.</translation>
    </message>
    <message>
        <location filename="../../src/ui/PrefsController.cpp" line="58"/>
        <source>Manage Presets…</source>
        <translation>Gérer les préréglages…</translation>
    </message>
    <message>
        <location filename="../../src/ui/PrefsController.cpp" line="67"/>
        <source>Photos processed at once:</source>
        <translation>Photos traitées à la fois :</translation>
    </message>
    <message>
        <location filename="../../src/ui/PrefsController.cpp" line="84"/>
        <source>Manage Presets</source>
        <translation>Gérer les préréglages</translation>
    </message>
    <message>
        <location filename="../../src/ui/PrefsController.cpp" line="88"/>
        <source>Name</source>
        <translation>Nom</translation>
    </message>
    <message>
        <location filename="../../src/ui/PrefsController.cpp" line="88"/>
        <source>Size target</source>
        <translation>Taille visée</translation>
    </message>
    <message>
        <location filename="../../src/ui/PrefsController.cpp" line="98"/>
        <source>Rename…</source>
        <translation>Renommer…</translation>
    </message>
    <message>
        <location filename="../../src/ui/PrefsController.cpp" line="100"/>
        <source>Delete</source>
        <translation>Supprimer</translation>
    </message>
    <message>
        <location filename="../../src/ui/PrefsController.cpp" line="102"/>
        <source>Done</source>
        <translation>Terminé</translation>
    </message>
    <message>
        <location filename="../../src/ui/PrefsController.cpp" line="121"/>
        <source>Rename Preset</source>
        <translation>Renommer le préréglage</translation>
    </message>
    <message>
        <location filename="../../src/ui/PrefsController.cpp" line="126"/>
        <source>New name:</source>
        <translation>Nouveau nom :</translation>
    </message>
    <message>
        <location filename="../../src/ui/PrefsController.cpp" line="128"/>
        <source>Rename</source>
        <translation>Renommer</translation>
    </message>
    <message>
        <location filename="../../src/ui/PrefsController.cpp" line="196"/>
        <source>at most %1</source>
        <translation>au plus %1</translation>
    </message>
    <message>
        <location filename="../../src/ui/PrefsController.cpp" line="249"/>
        <source>Delete preset ?</source>
        <translation>Supprimer le préréglage ?</translation>
    </message>
    <message>
        <location filename="../../src/ui/PrefsController.cpp" line="250"/>
        <source>Are you sure you want to delete the preset &quot;</source>
        <translation>Voulez-vous vraiment supprimer le préréglage &quot;</translation>
    </message>
    <message>
        <location filename="../../src/ui/PrefsController.cpp" line="256"/>
        <source>Yes</source>
        <translation>Oui</translation>
    </message>
    <message>
        <location filename="../../src/ui/PrefsController.cpp" line="257"/>
        <source>No</source>
        <translation>Non</translation>
    </message>
</context>
<context>
    <name>ProcessWindowsUi</name>
    <message>
        <location filename="../../src/ui/ProcessWindowsUi.cpp" line="32"/>
        <source>Replace File</source>
        <translation>Remplacer le fichier</translation>
    </message>
    <message>
        <location filename="../../src/ui/ProcessWindowsUi.cpp" line="45"/>
        <source>Apply to all</source>
        <translation>Appliquer à tous</translation>
    </message>
    <message>
        <location filename="../../src/ui/ProcessWindowsUi.cpp" line="50"/>
        <source>Replace</source>
        <translation>Remplacer</translation>
    </message>
    <message>
        <location filename="../../src/ui/ProcessWindowsUi.cpp" line="52"/>
        <source>Don&apos;t Replace</source>
        <translation>Ne pas remplacer</translation>
    </message>
    <message>
        <location filename="../../src/ui/ProcessWindowsUi.cpp" line="67"/>
        <source>Processing</source>
        <translation>Traitement</translation>
    </message>
    <message>
        <location filename="../../src/ui/ProcessWindowsUi.cpp" line="71"/>
        <source>Processing the images…</source>
        <translation>Traitement des images…</translation>
    </message>
    <message>
        <location filename="../../src/ui/ProcessWindowsUi.cpp" line="78"/>
        <location filename="../../src/ui/ProcessWindowsUi.cpp" line="106"/>
        <source>%v of %m</source>
        <translation>%v sur %m</translation>
    </message>
    <message>
        <location filename="../../src/ui/ProcessWindowsUi.cpp" line="104"/>
        <source>%v of %m (%1 in progress)</source>
        <translation>%v sur %m (%1 en cours)</translation>
    </message>
    <message>
        <location filename="../../src/ui/ProcessWindowsUi.cpp" line="129"/>
        <source>Files Not Processed</source>
        <translation>Fichiers non traités</translation>
    </message>
    <message>
        <location filename="../../src/ui/ProcessWindowsUi.cpp" line="132"/>
        <source>These files could not be processed:</source>
        <translation>Ces fichiers n’ont pas pu être traités :</translation>
    </message>
    <message>
        <location filename="../../src/ui/ProcessWindowsUi.cpp" line="136"/>
        <source>Name</source>
        <translation>Nom</translation>
    </message>
    <message>
        <location filename="../../src/ui/ProcessWindowsUi.cpp" line="137"/>
        <source>Path</source>
        <translation>Chemin</translation>
    </message>
    <message>
        <location filename="../../src/ui/ProcessWindowsUi.cpp" line="138"/>
        <source>Reason</source>
        <translation>Raison</translation>
    </message>
</context>
<context>
    <name>ReplaceAlert</name>
    <message>
        <location filename="../../src/processing/ReplaceAlert.cpp" line="12"/>
        <source>Are you sure you want to replace </source>
        <translation>Êtes-vous sûr de vouloir remplacer </translation>
    </message>
    <message>
        <location filename="../../src/processing/ReplaceAlert.cpp" line="14"/>
        <source> with the new processed file ?</source>
        <translation> par le nouveau fichier traité ?</translation>
    </message>
</context>
<context>
    <name>RunSummary</name>
    <message>
        <location filename="../../src/processing/RunSummary.cpp" line="25"/>
        <source>1 file processed</source>
        <translation>1 fichier traité</translation>
    </message>
    <message>
        <location filename="../../src/processing/RunSummary.cpp" line="26"/>
        <source>%1 files processed</source>
        <translation>%1 fichiers traités</translation>
    </message>
    <message>
        <location filename="../../src/processing/RunSummary.cpp" line="31"/>
        <source>1 kept its original image data (re-encoding would have made it larger)</source>
        <translation>1 a gardé ses données d’image d’origine (le réencoder l’aurait agrandi)</translation>
    </message>
    <message>
        <location filename="../../src/processing/RunSummary.cpp" line="33"/>
        <source>%1 kept their original image data (re-encoding would have made them larger)</source>
        <translation>%1 ont gardé leurs données d’image d’origine (les réencoder les aurait agrandis)</translation>
    </message>
    <message>
        <location filename="../../src/processing/RunSummary.cpp" line="37"/>
        <source>1 kept its image data, losslessly optimised (re-encoding would have made it larger)</source>
        <translation>1 a gardé ses données d’image, optimisées sans perte (le réencoder l’aurait agrandi)</translation>
    </message>
    <message>
        <location filename="../../src/processing/RunSummary.cpp" line="39"/>
        <source>%1 kept their image data, losslessly optimised (re-encoding would have made them larger)</source>
        <translation>%1 ont gardé leurs données d’image, optimisées sans perte (les réencoder les aurait agrandis)</translation>
    </message>
    <message>
        <location filename="../../src/processing/RunSummary.cpp" line="44"/>
        <source>1 needed a lower quality to fit the size</source>
        <translation>1 a demandé une qualité plus basse pour tenir dans la taille</translation>
    </message>
    <message>
        <location filename="../../src/processing/RunSummary.cpp" line="45"/>
        <source>%1 needed a lower quality to fit the size</source>
        <translation>%1 ont demandé une qualité plus basse pour tenir dans la taille</translation>
    </message>
    <message>
        <location filename="../../src/processing/RunSummary.cpp" line="48"/>
        <location filename="../../src/ui/BRControllerOutcomes.cpp" line="56"/>
        <source>%1 not processed</source>
        <translation>%1 non traités</translation>
    </message>
    <message>
        <location filename="../../src/processing/RunSummary.cpp" line="51"/>
        <source>%1 not started</source>
        <translation>%1 non commencés</translation>
    </message>
</context>
<context>
    <name>UnreadableReason</name>
    <message>
        <location filename="../../src/processing/UnreadableReason.cpp" line="16"/>
        <source>The file is not a JPEG image.</source>
        <translation>Le fichier n’est pas une image JPEG.</translation>
    </message>
    <message>
        <location filename="../../src/processing/UnreadableReason.cpp" line="18"/>
        <source>The file is incomplete.</source>
        <translation>Le fichier est incomplet.</translation>
    </message>
    <message>
        <location filename="../../src/processing/UnreadableReason.cpp" line="20"/>
        <source>The image data are damaged.</source>
        <translation>Les données de l’image sont endommagées.</translation>
    </message>
    <message>
        <location filename="../../src/processing/UnreadableReason.cpp" line="22"/>
        <source>%1-bit JPEG files are not supported.</source>
        <translation>Les fichiers JPEG en %1 bits ne sont pas pris en charge.</translation>
    </message>
    <message>
        <location filename="../../src/processing/UnreadableReason.cpp" line="26"/>
        <source>This kind of JPEG file (lossless or hierarchical) is not supported.</source>
        <translation>Ce type de fichier JPEG (sans perte ou hiérarchique) n’est pas pris en charge.</translation>
    </message>
    <message>
        <location filename="../../src/processing/UnreadableReason.cpp" line="30"/>
        <source>The image is too large: it has more than 268 million pixels.</source>
        <translation>L’image est trop grande : elle a plus de 268 millions de pixels.</translation>
    </message>
    <message>
        <location filename="../../src/processing/UnreadableReason.cpp" line="36"/>
        <source>The file is not a readable JPEG image.</source>
        <translation>Le fichier n’est pas une image JPEG lisible.</translation>
    </message>
</context>
</TS>
