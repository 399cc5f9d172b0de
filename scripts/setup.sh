#!/usr/bin/env bash
# Installs what building and testing Tintora needs (Debian packages), when it is missing.
set -euo pipefail

packages=(
  build-essential cmake pkg-config
  libgtest-dev libgmock-dev libbenchmark-dev
  qt6-base-dev qt6-base-dev-tools libgl-dev qt6-qpa-plugins fonts-dejavu-core libgif-dev giflib-tools
  xvfb xdotool x11-apps imagemagick
  tar libarchive-tools busybox python3
  clang libclang-rt-14-dev
  desktop-file-utils appstream shared-mime-info xdg-utils libfile-mimeinfo-perl man-db x11-utils
  librsvg2-bin dpkg-dev
)

# One query for all of them: a start of the editor with nothing missing stays quick.
installed=" $(dpkg-query -W -f='${Package} ${db:Status-Status}\n' "${packages[@]}" 2>/dev/null |
  awk '$2 == "installed" { printf "%s ", $1 }') "
missing=()
for p in "${packages[@]}"; do
  [[ "$installed" == *" $p "* ]] || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
