#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing and builds Brelin into build/ (or the folder given).
# Usage: scripts/build.sh [BUILD_DIR [CMAKE_ARGS...]]
set -euo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$here/scripts/install-deps.sh"

build="${1:-$here/build}"
shift || true

if [ ! -f "$build/CMakeCache.txt" ]; then
    cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
elif [ $# -gt 0 ]; then
    cmake "$build" "$@" >/dev/null
fi
cmake --build "$build"
