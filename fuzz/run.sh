#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the libFuzzer targets with clang (ASan + UBSan) into build-fuzz/ and runs each
# for SECONDS (default 600), starting from the test images, the seeds and the saved regressions.
# New failing inputs land in fuzz/regressions/TARGET/ to be kept as regression tests.
# Inputs slower than a minute count as findings too; below that, a busy machine would
# leave false ones.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
seconds="${1:-600}"
shift || true
targets=("${@:-rdjpgcom wrjpgcom exif mpf decode recode}")
"$here/scripts/install-deps.sh"
cmake -S "$here" -B "$here/build-fuzz" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_COMPILER=clang++ -DBRELIN_FUZZ=ON -DBRELIN_GUI=OFF -DBRELIN_TESTS=OFF >/dev/null
failed=0
for t in ${targets[@]}; do
    cmake --build "$here/build-fuzz" --target "fuzz_$t"
    work="$here/build-fuzz/corpus-$t"
    # libFuzzer writes its artifacts into this folder but does not make it.
    mkdir -p "$work" "$here/fuzz/regressions/$t"
    # The decoder's work grows with the image: smaller inputs, many more of them.
    max_len=262144
    [ "$t" = decode ] || [ "$t" = recode ] && max_len=65536
    "$here/build-fuzz/bin/fuzz_$t" -max_total_time="$seconds" -max_len="$max_len" \
        -artifact_prefix="$here/fuzz/regressions/$t/" -print_final_stats=1 \
        -report_slow_units=60 \
        "$work" "$here/tests/data/photos" "$here/tests/data/hdr" "$here/fuzz/seeds" \
        "$here/fuzz/regressions/$t" \
        >"$here/build-fuzz/$t.log" 2>&1 || failed=1
    # The last coverage line and the final statistics; the whole log stays beside.
    grep -E '^#[0-9]+.*cov:' "$here/build-fuzz/$t.log" | tail -n 1
    grep -E '^stat::|^==[0-9]+==|^SUMMARY' "$here/build-fuzz/$t.log" || true
done
exit "$failed"
