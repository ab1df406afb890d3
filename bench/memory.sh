#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Peak memory of the re-encode step per file: each file in a process of its own, the
# growth of the process's high-water mark divided by the source's pixels.
# Usage: bench/memory.sh JOB [CORPUS]   (JOB: fit1920 | half | keep; default /tmp/corpus)
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
job="$1"
corpus="${2:-/tmp/corpus}"
out="$(mktemp -d)"
trap 'rm -rf "$out"' EXIT
for f in "$corpus"/plain/*.jpg; do
    kib=$("$here/build/bin/brelin-bench-reencode" "$job" "$out" "$f" | sed -n 's/.*peak memory +\([0-9]*\) KiB/\1/p')
    pixels=$(identify -format '%[fx:w*h]' "$f")
    echo "$(basename "$f") $pixels $kib"
done | awk -v job="$job" '
    { bpp = $3 * 1024 / $2; sum += bpp; if (bpp > worst) { worst = bpp; name = $1 } }
    END { printf "%-8s peak memory per source pixel: mean %.2f bytes, largest %.2f (%s)\n", job, sum / NR, worst, name }'
