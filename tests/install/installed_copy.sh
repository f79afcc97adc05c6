#!/usr/bin/env bash
# Installs the build into a fresh prefix and checks what a desktop and a user meet there: the
# executables, the data folder, the desktop entry, icons and metainfo (validated), and a
# conversion on a bundled paper by the installed converter.
# usage: installed_copy.sh BUILD_DIR
set -euo pipefail
build=$1
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT

cmake --install "$build" --prefix "$prefix" > /dev/null

expect() { [ -e "$prefix/$1" ] || { echo "missing after install: $1"; exit 1; }; }
expect bin/vellumine
expect bin/vellumine-convert
expect share/vellumine/4.jpg
expect "share/vellumine/texture/laid paper.bmp"
expect share/vellumine/texture/brick.bmp
expect share/applications/org.vellumine.Vellumine.desktop
expect share/metainfo/org.vellumine.Vellumine.metainfo.xml
expect share/icons/hicolor/scalable/apps/org.vellumine.Vellumine.svg
expect share/icons/hicolor/48x48/apps/org.vellumine.Vellumine.png

desktop-file-validate "$prefix/share/applications/org.vellumine.Vellumine.desktop"
appstreamcli validate --no-net --pedantic \
  "$prefix/share/metainfo/org.vellumine.Vellumine.metainfo.xml" > /dev/null
grep -qx 'Exec=vellumine %f' "$prefix/share/applications/org.vellumine.Vellumine.desktop"

"$prefix/bin/vellumine-convert" --texture "$prefix/share/vellumine/texture/laid paper.bmp" \
  "$prefix/share/vellumine/4.jpg" "$prefix/sketch.bmp"
[ -s "$prefix/sketch.bmp" ]
echo "installed copy complete"
