#!/usr/bin/env bash
# Installs what is missing, builds Vellumine and runs every test; non-zero on any failure.
set -euo pipefail
top=$(cd "$(dirname "$0")" && pwd)
"$top/tools/install-deps.sh"
"$top/tools/build.sh" "$top/build"
cd "$top/build"
ctest --output-on-failure --parallel "$(nproc)"
