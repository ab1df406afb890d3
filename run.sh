#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing, builds Brelin and starts it; files and folders given
# are handed to it as the desktop would.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
"$here/scripts/build.sh" "$here/build"
exec "$here/build/bin/brelin" "$@"
