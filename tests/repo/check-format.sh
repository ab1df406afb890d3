#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Fails when a C++ file of the repository is not formatted by its .clang-format.
set -euo pipefail
clang_format="$1"
top="$2"
cd "$top"
mapfile -t files < <(find src tools cli tests fuzz bench -type f \( -name '*.cpp' -o -name '*.h' \) 2>/dev/null | sort)
[ ${#files[@]} -gt 0 ] || { echo "no sources found under $top" >&2; exit 1; }
"$clang_format" --dry-run --Werror "${files[@]}"
echo "${#files[@]} files formatted"
