#!/usr/bin/env bash
# Brelin beside the peers on the benchmark corpus (../shared/bench/make-corpus.sh),
# same run, same machine: seconds for the whole folder in one process where the tool
# allows it, mean luma SSIM against ImageMagick's float Lanczos, bytes of image data.
# Usage: bench/compare.sh [CORPUS]   (default /tmp/corpus)
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
corpus="${1:-/tmp/corpus}"
bin="$here/build/bin"
out="$(mktemp -d)"
trap 'rm -rf "$out"' EXIT
files=("$corpus"/plain/*.jpg)

timed() { # label command...
    local label=$1 start end
    shift
    start=$(date +%s%N)
    "$@" >/dev/null
    end=$(date +%s%N)
    printf '%-16s %6d ms   ' "$label" "$(((end - start) / 1000000))"
}

for job in fit1920 half keep; do
    echo "== $job"
    timed brelin "$bin/brelin-bench-reencode" "$job" "$out/brelin-$job" "${files[@]}"
    /usr/bin/python3 "$here/bench/ssim.py" "$corpus/plain" "$out/brelin-$job" "$([ $job = keep ] && echo keep || echo scaled)"
    mkdir -p "$out/vips-$job"
    case $job in
    fit1920) vipsjob() { for f in "${files[@]}"; do vips thumbnail "$f" "$out/vips-$job/$(basename "$f")[Q=80]" 1920; done; } ;;
    half) vipsjob() { for f in "${files[@]}"; do vips resize "$f" "$out/vips-$job/$(basename "$f")[Q=80]" 0.5; done; } ;;
    keep) vipsjob() { for f in "${files[@]}"; do djpeg "$f" | cjpeg -quality 80 > "$out/vips-$job/$(basename "$f")"; done; } ;;
    esac
    timed "$([ $job = keep ] && echo 'djpeg | cjpeg' || echo vips)" vipsjob
    /usr/bin/python3 "$here/bench/ssim.py" "$corpus/plain" "$out/vips-$job" "$([ $job = keep ] && echo keep || echo scaled)"
done
