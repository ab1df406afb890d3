#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Bytes against look for Brelin's encoder beside libjpeg-turbo and mozjpeg (sharp 0.35,
# `mozjpeg: true`), on the same pixels, in one run: see bench/encode_compare.py.
# Usage: bench/encode-compare.sh [PHOTO...]   (default: the first 8 photos of the corpus
# that bench/make-corpus.sh builds). WORK (default /tmp/brelin-encode-compare) keeps the
# references and results.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
corpus="${CORPUS:-/tmp/corpus}"
work="${WORK:-/tmp/brelin-encode-compare}"
as_root=()
[ "$(id -u)" -eq 0 ] || as_root=(sudo)
command -v butteraugli >/dev/null ||
    "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq butteraugli >/dev/null
"$here/scripts/build.sh" "$here/build" >/dev/null
sharp_dir="${XDG_CACHE_HOME:-$HOME/.cache}/brelin-bench/sharp"
if [ ! -d "$sharp_dir/node_modules/sharp" ]; then
    mkdir -p "$sharp_dir"
    npm install --silent --prefix "$sharp_dir" sharp@0.35.5 >/dev/null
fi
cp "$here/bench/sharp_encode.js" "$sharp_dir/"
photos=("$@")
if [ ${#photos[@]} -eq 0 ]; then
    mapfile -t photos < <(find "$corpus/plain" -name '*.jpg' | sort | head -n 8)
fi
exec /usr/bin/python3 "$here/bench/encode_compare.py" "$work" "$here/build/bin/brelin-bench-encode" \
    "$sharp_dir" "${photos[@]}"
