#!/usr/bin/env bash
# Installs what is missing, builds Vellumine and starts it.
set -euo pipefail
top=$(cd "$(dirname "$0")" && pwd)
"$top/tools/install-deps.sh"
"$top/tools/build.sh" "$top/build"
if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
  exec "$top/build/vellumine"
fi
out="$top/build/sketch-of-4.jpg"
echo "No display (neither DISPLAY nor WAYLAND_DISPLAY is set), so the window cannot open."
echo "Converting the sample photograph $top/data/4.jpg with vellumine-convert instead ..."
"$top/build/vellumine-convert" "$top/build/4.jpg" "$out"
echo "The sketch is at $out"
