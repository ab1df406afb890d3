#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the benchmark corpus from Debian's wallpaper packages, so that every figure in
# bench/README.md and in the project's notes is measured on the same files:
#   plain/     40 JPEGs: the 29 that plasma-workspace-wallpapers and ukui-wallpapers ship
#              (their 400 × 250 screenshot previews left out) and 11 encoded here from the
#              packages' large PNG artwork, for a spread of sizes, qualities, samplings and
#              progressive files;
#   meta/      8 copies of plain/ files with every kind of metadata Brelin removes (EXIF
#              with GPS and a thumbnail, one with orientation 6, IPTC, XMP, an sRGB ICC
#              profile, a comment, an APP12 segment);
#   manifest.tsv   name, width, height, bytes, sampling, interlace of each file.
# Usage: bench/make-corpus.sh   (CORPUS=DIR, default /tmp/corpus; WORK=DIR for the
#        downloaded packages, default ~/.cache/brelin-bench/wallpapers)
# Installs what it needs with apt-get (through sudo when not root).
set -euo pipefail
corpus="${CORPUS:-/tmp/corpus}"
work="${WORK:-${XDG_CACHE_HOME:-$HOME/.cache}/brelin-bench/wallpapers}"
as_root=()
[ "$(id -u)" -eq 0 ] || as_root=(sudo)

"${as_root[@]}" apt-get update -qq
"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends \
    imagemagick libimage-exiftool-perl libjpeg-turbo-progs libvips-tools python3-numpy \
    python3-scipy python3-pil icc-profiles-free >/dev/null

mkdir -p "$work"
cd "$work"
for package in plasma-workspace-wallpapers ukui-wallpapers; do
    ls "${package}"_*.deb >/dev/null 2>&1 || apt-get download -qq "$package"
done
rm -rf tree
for deb in ./*.deb; do dpkg-deb -x "$deb" tree; done
wallpapers=tree/usr/share/wallpapers
backgrounds=tree/usr/share/backgrounds

rm -rf "$corpus"
mkdir -p "$corpus/plain" "$corpus/meta"

# The shipped JPEGs, named after their theme: THEME[_dark]_WxH.jpg for a KDE wallpaper
# (THEME/contents/images[_dark]/WxH.jpg), bg_NAME.jpg for a UKUI background.
while IFS= read -r -d '' jpeg; do
    case "$jpeg" in
    "$backgrounds"/*) name="bg_${jpeg##*/}" ;;
    *)
        IFS=/ read -r theme _ images size <<<"${jpeg#"$wallpapers"/}"
        suffix=""
        [ "$images" = images_dark ] && suffix=_dark
        name="${theme}${suffix}_${size}"
        ;;
    esac
    cp "$jpeg" "$corpus/plain/$name"
done < <(find tree -type f -name '*.jpg' ! -name screenshot.jpg -print0 | sort -z)

# The PNG artwork, each encoded by ImageMagick as the table says: source, result, size
# (- keeps it), quality, sampling factor, interlace (JPEG means progressive).
while read -r source result size quality sampling interlace; do
    resize=()
    [ "$size" = - ] || resize=(-filter Lanczos -resize "$size")
    convert "$source" -background black -alpha remove -alpha off -colorspace sRGB \
        "${resize[@]}" -strip -sampling-factor "$sampling" -interlace "$interlace" \
        -quality "$quality" "$corpus/plain/$result"
done <<EOF
$wallpapers/Cascade/contents/images/3840x2160.png png_Cascade_1920x1080.jpg 1920x1080 90 2x2 None
$wallpapers/Opal/contents/images/3840x2160.png png_Opal_1920x1080.jpg 1920x1080 85 2x2 None
$wallpapers/Cluster/contents/images/3840x2160.png png_Cluster_1920x1080.jpg 1920x1080 92 1x1 None
$wallpapers/Kokkini/contents/images/3840x2160.png png_Kokkini_1920x1080.jpg 1920x1080 90 2x2 JPEG
$wallpapers/Canopee/contents/images/3840x2160.png png_Canopee_3840x2160.jpg - 92 2x2 None
$wallpapers/Patak/contents/images_dark/3840x2160.png png_Patak_dark_3840x2160.jpg - 90 2x1 None
$wallpapers/Patak/contents/images/5120x2880.png png_Patak_5120x2880.jpg - 97 1x1 None
$wallpapers/Altai/contents/images/5120x2880.png png_Altai_5120x2880.jpg - 95 1x1 None
$wallpapers/Kay/contents/images/1080x1920.png png_Kay_1080x1920.jpg - 90 2x2 None
$backgrounds/calla.png png_calla_3700x2400.jpg - 92 2x2 JPEG
$backgrounds/goldfish.png png_goldfish_3640x2400.jpg - 88 2x2 None
EOF

# The metadata-rich copies. Each gets a day of its own; the fifth is turned (orientation 6).
convert "$corpus/plain/Volna_5120x2880.jpg" -resize 160x120 -strip -quality 75 "$work/thumb.jpg"
day=0
for base in Volna_5120x2880.jpg SafeLanding_5120x2880.jpg bg_rhythm.jpg bg_the-mouse.jpg \
    Autumn_2560x1600.jpg Path_2560x1600.jpg FallenLeaf_2560x1600.jpg png_Cascade_1920x1080.jpg; do
    day=$((day + 1))
    orientation=1
    [ "$day" -eq 5 ] && orientation=6
    copy="$corpus/meta/meta_$base"
    when="2023:06:1$day"
    exiftool -q -q -o "$copy" \
        -Make=Canon "-Model=Canon EOS 5D Mark IV" "-Software=bench corpus" "-Artist=Bench Author" \
        "-Copyright=(c) 2023 Bench Author" "-DateTimeOriginal=$when 14:32:10" \
        "-CreateDate=$when 14:32:10" "-ModifyDate=$when 15:00:00" "-Orientation#=$orientation" \
        -ExposureTime=1/250 -FNumber=8 -ISO=200 -FocalLength=35 \
        "-LensModel=EF24-70mm f/2.8L II USM" -SerialNumber=0123456789 \
        -GPSLatitude=48.858370 -GPSLatitudeRef=N -GPSLongitude=2.294481 -GPSLongitudeRef=E \
        -GPSAltitude=35 -GPSAltitudeRef=0 "-GPSDateStamp=$when" -GPSTimeStamp=12:32:10 \
        "-ThumbnailImage<=$work/thumb.jpg" \
        -IPTC:Keywords=landscape -IPTC:Keywords=wallpaper -IPTC:Keywords=benchmark \
        "-IPTC:By-line=Bench Author" -IPTC:City=Paris -IPTC:Country-PrimaryLocationName=France \
        "-IPTC:Caption-Abstract=Benchmark image $day" \
        "-XMP-dc:Title=Bench $day" "-XMP-dc:Creator=Bench Author" \
        "-XMP-dc:Description=Metadata-rich benchmark copy" \
        -XMP-dc:Subject=landscape -XMP-dc:Subject=wallpaper -XMP-xmp:Rating=4 \
        -XMP-photoshop:City=Paris "-ICC_Profile<=/usr/share/color/icc/sRGB.icc" \
        "-Comment=Benchmark comment: metadata-rich copy of $base" \
        "$corpus/plain/$base"
    # An APP12 segment as Photoshop's "Save for Web" writes it ("Ducky", quality 80), right
    # after SOI: an application marker that no other kind covers.
    python3 - "$copy" <<'PY'
import struct, sys
path = sys.argv[1]
payload = b"Ducky\x00\x01\x00\x04\x00\x00\x00\x50\x00\x00"
data = open(path, "rb").read()
assert data.startswith(b"\xff\xd8")
app12 = b"\xff\xec" + struct.pack(">H", len(payload) + 2) + payload
open(path, "wb").write(data[:2] + app12 + data[2:])
PY
done

{
    printf 'name\twidth\theight\tbytes\tsampling\tinterlace\n'
    for f in "$corpus"/plain/*.jpg "$corpus"/meta/*.jpg; do
        identify -format '%f %w %h %B %[jpeg:sampling-factor] %[interlace]\n' "$f" 2>/dev/null |
            tr ' ' '\t'
    done
} >"$corpus/manifest.tsv"
echo "corpus in $corpus: $(find "$corpus/plain" -name '*.jpg' | wc -l) plain, $(find "$corpus/meta" -name '*.jpg' | wc -l) with metadata"
