#!/usr/bin/env bash
# Installs what is missing, builds, and starts Kontavo on the default device
# root (or the one given with --device-root). Arguments go to the program.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$here/scripts/install-deps.sh"
"$here/scripts/build.sh" >/dev/null
exec "${BUILD_DIR:-$here/build}/bin/kontavo" "$@"
