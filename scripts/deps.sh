#!/usr/bin/env bash
# Installs what building, running and testing Darvo needs on Debian 12, when missing.
set -euo pipefail

packages=(
  cmake ninja-build g++ clang libclang-rt-14-dev pkg-config
  qt6-base-dev libsqlite3-dev sqlite3
  libgtest-dev libgmock-dev libbenchmark-dev
  culmus fonts-dejavu-core
  xvfb xauth imagemagick xclip x11-utils xdotool xdg-utils
  txt2pdbdoc python3
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
