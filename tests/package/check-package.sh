#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Makes the Debian package from the build folder and checks it as apt would install it:
# every dependency is a Debian package that is installed here, the files stand where
# the freedesktop conventions put them, and the unpacked programs work from their prefix.
# Usage: check-package.sh BUILD_DIR PHOTO
set -euo pipefail
build="$1"
photo="$2"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

(cd "$work" && cpack -G DEB --config "$build/CPackConfig.cmake" >/dev/null)
deb="$(ls "$work"/brelin_*.deb)"
echo "package: $(basename "$deb"), $(stat -c %s "$deb") bytes"

depends="$(dpkg-deb -f "$deb" Depends)"
echo "Depends: $depends"
missing=0
IFS=',' read -ra entries <<<"$depends"
for entry in "${entries[@]}"; do
    found=0
    IFS='|' read -ra choices <<<"$entry"
    for choice in "${choices[@]}"; do
        name="$(echo "$choice" | sed -E 's/\(.*\)//; s/[[:space:]]//g')"
        if dpkg-query -W -f='${Status}' "$name" 2>/dev/null | grep -q "install ok installed"; then
            found=1
        fi
    done
    if [ "$found" = 0 ]; then
        echo "not an installed Debian package: $entry"
        missing=1
    fi
done
[ "$missing" = 0 ]

root="$work/root"
dpkg-deb -x "$deb" "$root"
for f in usr/bin/brelin usr/bin/brelin-batch usr/libexec/brelin/rdjpgcom usr/libexec/brelin/wrjpgcom \
    usr/share/applications/brelin.desktop usr/share/metainfo/org.brelin.Brelin.metainfo.xml \
    usr/share/icons/hicolor/scalable/apps/brelin.svg usr/share/icons/hicolor/48x48/apps/brelin.png \
    usr/share/man/man1/brelin-batch.1.gz usr/share/brelin/Doc/Readme.html; do
    [ -e "$root/$f" ] || { echo "missing from the package: /$f"; exit 1; }
done
# The copyright file is machine-readable and a Files paragraph covers every file installed;
# the AppStream file names the licence.
copyright="$root/usr/share/doc/brelin/copyright"
[ -f "$copyright" ] || { echo "missing from the package: /usr/share/doc/brelin/copyright"; exit 1; }
(cd "$root" && find . -type f -printf '%P\n') | /usr/bin/python3 -c '
import sys
from debian.copyright import Copyright
with open(sys.argv[1], encoding="utf-8") as f:
    c = Copyright(f, strict=True)
licences = {p.license.synopsis for p in c.all_license_paragraphs()}
bad = 0
for path in sys.stdin.read().split():
    files = c.find_files_paragraph(path)
    if files is None:
        print("not covered by the copyright file: /" + path); bad = 1
    elif files.license.text == "" and files.license.synopsis not in licences:
        print("licence without its text: " + files.license.synopsis); bad = 1
sys.exit(bad)
' "$copyright"
grep -q '<project_license>GPL-3.0-or-later</project_license>' \
    "$root/usr/share/metainfo/org.brelin.Brelin.metainfo.xml" ||
    { echo "the AppStream file does not name the licence"; exit 1; }
if dpkg-deb -c "$deb" | grep -E 'test|bench|fuzz' | grep -v 'Doc/'; then
    echo "the package holds test, benchmark or fuzzing files"
    exit 1
fi

# The unpacked prefix, not the build folder: the marker tools are found beside the program.
mkdir "$work/photos"
cp "$photo" "$work/photos/a.jpg"
"$root/usr/bin/brelin-batch" --version
"$root/usr/bin/brelin-batch" --remove all --output "$work/out" "$work/photos"
[ -s "$work/out/a.jpg" ]
