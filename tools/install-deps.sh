#!/usr/bin/env bash
# Installs the Debian packages Vellumine builds with, when any is missing. Idempotent.
set -euo pipefail

packages=(
  g++ cmake ninja-build pkg-config
  libjpeg62-turbo-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  libjpeg-turbo-progs python3
  desktop-file-utils appstream
  qt6-base-dev libgl-dev fonts-dejavu-core
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=()
if [ "$(id -u)" -ne 0 ]; then sudo=(sudo); fi
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -q
"${sudo[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
