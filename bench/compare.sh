#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# brelin-batch beside the peers on the benchmark corpus (bench/make-corpus.sh),
# same run, same machine, quality 80, every kind of metadata kept by Brelin: seconds for
# the whole folder (Brelin with its default --jobs), each peer's time as a ratio to Brelin's, mean luma SSIM against
# ImageMagick's float Lanczos and bytes of image data; then the lossless strip of every
# marker, the scaler alone and the peak memory per file.
# Usage: bench/compare.sh [CORPUS]   (default /tmp/corpus)
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
corpus="${1:-/tmp/corpus}"
bin="$here/build/bin"
out="$(mktemp -d)"
trap 'rm -rf "$out"' EXIT
files=("$corpus"/plain/*.jpg)
export VIPS_WARNING=0
brelin_ms=0

# sharp from npm, into a cache of the benchmark's own (never by the test suite).
sharp_dir="${XDG_CACHE_HOME:-$HOME/.cache}/brelin-bench/sharp"
if [ ! -d "$sharp_dir/node_modules/sharp" ]; then
    mkdir -p "$sharp_dir"
    npm install --silent --prefix "$sharp_dir" sharp@0.35.5 >/dev/null
fi
sharp_job() { # job folder
    mkdir -p "$2"
    NODE_PATH="$sharp_dir/node_modules" node "$here/bench/sharp_job.js" "$1" "$2" "${files[@]}"
}

# The decode alone, as a floor: each file decoded by djpeg at the DCT reduction Brelin uses
# for the job (the largest of 8, 4, 2 that leaves twice the target size), spread over the
# processors, output thrown away.
decode_reference() { # job
    python3 - "$1" "$corpus/manifest.tsv" <<'PY' | xargs -P "$(nproc)" -n 2 sh -c 'djpeg -scale "1/$0" -outfile /dev/null "$1"'
import math, os, sys
job, manifest = sys.argv[1], sys.argv[2]
for line in open(manifest):
    f = line.split("\t")
    if not f[0].endswith(".jpg") or not f[1].isdigit():
        continue
    w, h = int(f[1]), int(f[2])
    s = 0.5 if job == "half" else 1920 / max(w, h)
    ow, oh = math.floor(w * s), math.floor(h * s)
    d = next((d for d in (8, 4, 2) if -(-w // d) >= 2 * ow and -(-h // d) >= 2 * oh), 1)
    path = os.path.join(os.path.dirname(manifest), "plain", f[0])
    if os.path.exists(path):
        print(d, path)
PY
}

timed() { # label command...: prints the time and, after Brelin's own line, the ratio
    local label=$1 start end ms
    shift
    start=$(date +%s%N)
    "$@" >/dev/null 2>&1
    end=$(date +%s%N)
    ms=$(((end - start) / 1000000))
    if [ "$label" = brelin-batch ]; then
        brelin_ms=$ms
        printf '%-24s %6d ms   %5s   ' "$label" "$ms" "1.00x"
    else
        printf '%-24s %6d ms   %5s   ' "$label" "$ms" "$(awk "BEGIN{printf \"%.2fx\", $ms/$brelin_ms}")"
    fi
}

score() { # output folder, keep|scaled
    /usr/bin/python3 "$here/bench/ssim.py" "$corpus/plain" "$1" "$2"
}

each() { # folder function: one process per file
    local dir=$1
    shift
    mkdir -p "$dir"
    for f in "${files[@]}"; do "$@" "$f" "$dir/$(basename "$f")"; done
}
vips_fit() { vips thumbnail "$1" "$2[Q=80]" 1920; }
vips_half() { vips resize "$1" "$2[Q=80]" 0.5; }
magick_fit() { convert "$1" -filter Lanczos -resize 1920x1920 -quality 80 "$2"; }
magick_half() { convert "$1" -filter Lanczos -resize 50% -quality 80 "$2"; }
djpeg_cjpeg() { djpeg "$1" | cjpeg -quality 80 >"$2"; }
batch() { # folder options...
    local dir=$1
    shift
    "$bin/brelin-batch" --quality 80 --output "$dir" --yes "$@" "${files[@]}"
}

cat "${files[@]}" "$corpus"/meta/*.jpg >/dev/null # every tool reads from the page cache
echo "tool                        time    peer/brelin   SSIM   image bytes"
for job in fit1920 half keep; do
    echo "== $job (${#files[@]} files)"
    kind=scaled
    [ $job = keep ] && kind=keep
    case $job in
    fit1920) timed brelin-batch batch "$out/brelin-$job" --fit longer:1920 ;;
    half) timed brelin-batch batch "$out/brelin-$job" --scale 0.5 ;;
    keep) timed brelin-batch batch "$out/brelin-$job" --keep-size --allow-larger ;;
    esac
    score "$out/brelin-$job" $kind
    timed "sharp (1 proc)" sharp_job $job "$out/sharp-$job"
    score "$out/sharp-$job" $kind
    if [ $job != keep ]; then
        timed "decode reference" decode_reference $job
        echo
    fi
    case $job in
    fit1920 | half)
        if [ $job = fit1920 ]; then
            mkdir -p "$out/vipsthumbnail"
            timed "vipsthumbnail (1 proc)" vipsthumbnail -s 1920x1920 -o "$out/vipsthumbnail/%s.jpg[Q=80]" "${files[@]}"
            score "$out/vipsthumbnail" $kind
        fi
        timed "pillow (1 proc, draft)" /usr/bin/python3 "$here/bench/pillow_job.py" "$job" "$out/pillow-$job" "${files[@]}"
        score "$out/pillow-$job" $kind
        short=${job%1920}
        timed "vips ${short}" each "$out/vips-$job" "vips_$short"
        score "$out/vips-$job" $kind
        timed "imagemagick convert" each "$out/magick-$job" "magick_$short"
        score "$out/magick-$job" $kind
        ;;
    keep)
        timed "djpeg | cjpeg" each "$out/djpeg-$job" djpeg_cjpeg
        score "$out/djpeg-$job" $kind
        ;;
    esac
done

all=("${files[@]}" "$corpus"/meta/*.jpg)
echo "== lossless strip of every marker (${#all[@]} files)"
mkdir -p "$out/strip-brelin" "$out/strip-jpegtran" "$out/strip-exiftool"
timed brelin-batch "$bin/brelin-batch" --lossless --remove all --output "$out/strip-brelin" --yes "${all[@]}"
echo
jpegtran_all() { for f in "${all[@]}"; do jpegtran -copy none -outfile "$out/strip-jpegtran/$(basename "$f")" "$f"; done; }
timed "jpegtran -copy none" jpegtran_all
echo
timed "exiftool -all= (1 proc)" exiftool -q -all= -o "$out/strip-exiftool/" "${all[@]}"
echo

echo "== the scaler alone (5120x2880 by 0.375; RGB, then one plane)"
"$bin/brelin-bench-scaler" 5120 2880 0.375 3
"$bin/brelin-bench-scaler" 5120 2880 0.375 1
echo "== peak memory of the re-encode step"
for job in fit1920 half keep; do "$here/bench/memory.sh" "$job" "$corpus" 2>/dev/null; done
