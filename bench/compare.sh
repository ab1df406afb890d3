#!/usr/bin/env bash
# Brelin beside the peers on the benchmark corpus (../shared/bench/make-corpus.sh),
# same run, same machine: seconds for the whole folder (in one process where the tool
# allows it), mean luma SSIM against ImageMagick's float Lanczos, bytes of image data;
# then the scaler alone and the peak memory per file.
# Usage: bench/compare.sh [CORPUS]   (default /tmp/corpus)
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
corpus="${1:-/tmp/corpus}"
bin="$here/build/bin"
out="$(mktemp -d)"
trap 'rm -rf "$out"' EXIT
files=("$corpus"/plain/*.jpg)
export VIPS_WARNING=0

timed() { # label command...
    local label=$1 start end
    shift
    start=$(date +%s%N)
    "$@" >/dev/null 2>&1
    end=$(date +%s%N)
    printf '%-22s %6d ms   ' "$label" "$(((end - start) / 1000000))"
}

score() { # output folder, keep|scaled
    /usr/bin/python3 "$here/bench/ssim.py" "$corpus/plain" "$1" "$2"
}

each() { # folder command-before-output... : runs one process per file
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

cat "${files[@]}" >/dev/null # every tool reads from the page cache
for job in fit1920 half keep; do
    echo "== $job (${#files[@]} files)"
    kind=scaled
    [ $job = keep ] && kind=keep
    timed brelin "$bin/brelin-bench-reencode" "$job" "$out/brelin-$job" "${files[@]}"
    score "$out/brelin-$job" $kind
    case $job in
    fit1920 | half)
        timed "pillow (one process)" /usr/bin/python3 "$here/bench/pillow_job.py" "$job" "$out/pillow-$job" "${files[@]}"
        score "$out/pillow-$job" $kind
        short=${job%1920}
        timed vips each "$out/vips-$job" "vips_$short"
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

echo "== the scaler alone (5120x2880 by 0.375; RGB, then one plane)"
"$bin/brelin-bench-scaler" 5120 2880 0.375 3
"$bin/brelin-bench-scaler" 5120 2880 0.375 1
echo "== peak memory of the re-encode step"
for job in fit1920 half keep; do "$here/bench/memory.sh" "$job" "$corpus" 2>/dev/null; done
