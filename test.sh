#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing, builds Brelin and runs the whole test suite through CTest,
# then builds the non-GUI tests with AddressSanitizer and UndefinedBehaviorSanitizer
# and runs them too.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
jobs="$(nproc)"

"$here/scripts/build.sh" "$here/build"
ctest --test-dir "$here/build" --output-on-failure -j"$jobs"

"$here/scripts/build.sh" "$here/build-asan" -DCMAKE_BUILD_TYPE=Debug -DBRELIN_SANITIZE=ON -DBRELIN_GUI=OFF
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    ctest --test-dir "$here/build-asan" --output-on-failure -j"$jobs"
