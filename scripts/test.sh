#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test. Fails when any fails.
# SANITIZE=1 builds into build-asan/ with AddressSanitizer and UBSan.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$here/scripts/install-deps.sh"
if [[ "${SANITIZE:-0}" == 1 ]]; then
  export BUILD_DIR="${BUILD_DIR:-$here/build-asan}"
  "$here/scripts/build.sh" -DKONTAVO_SANITIZE=ON
else
  export BUILD_DIR="${BUILD_DIR:-$here/build}"
  "$here/scripts/build.sh"
fi
export QT_QPA_PLATFORM=offscreen
ctest --test-dir "$BUILD_DIR" --output-on-failure --parallel "${JOBS:-$(nproc)}" --timeout 600
