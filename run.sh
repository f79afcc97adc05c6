#!/usr/bin/env bash
# Installs what is missing, builds Vellumine and starts it.
set -euo pipefail
top=$(cd "$(dirname "$0")" && pwd)
"$top/tools/install-deps.sh"
"$top/tools/build.sh" "$top/build"
out="$top/build/sketch-of-4.jpg"
echo "Converting the sample photograph $top/data/4.jpg with vellumine-convert ..."
"$top/build/vellumine-convert" "$top/build/4.jpg" "$out"
echo "The sketch is at $out"
