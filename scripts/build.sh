#!/usr/bin/env bash
# Configures and builds Kontavo into BUILD_DIR (default: build/).
# Extra arguments go to the CMake configure step.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build_dir="${BUILD_DIR:-$here/build}"
launcher=()
if command -v ccache >/dev/null; then
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
fi
cmake -S "$here" -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE="${BUILD_TYPE:-RelWithDebInfo}" \
  "${launcher[@]}" "$@"
cmake --build "$build_dir" --parallel "${JOBS:-$(nproc)}"
