#!/usr/bin/env bash
# Configures (once) and builds Vellumine in the given build folder (default build/).
# Extra arguments are passed to the first cmake configure.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
dir=${1:-$top/build}
shift || true
if [ ! -f "$dir/CMakeCache.txt" ]; then
  cmake -S "$top" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release "$@"
fi
cmake --build "$dir" --parallel "$(nproc)"
