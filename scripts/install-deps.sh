#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing Varnolek need.
# Idempotent: packages already present are skipped, and apt is not touched at all
# when nothing is missing.
#   scripts/install-deps.sh        what make run and make test need
#   scripts/install-deps.sh fuzz   and clang with libFuzzer's runtime, for make fuzz
set -euo pipefail

packages=(
  build-essential cmake
  qt6-base-dev qt6-base-dev-tools libqt6opengl6-dev qt6-charts-dev qt6-svg-dev
  libboost-math-dev
  libxkbcommon-dev libvulkan-dev libgl-dev
  qt6-qpa-plugins qt6-translations-l10n
  fonts-wqy-microhei fonts-arphic-uming fonts-arphic-ukai
  xvfb xauth x11-utils imagemagick time
  poppler-utils unzip
  nlohmann-json3-dev
  libxlsxwriter-dev libminizip-dev libexpat1-dev
  python3 python3-openpyxl
  librsvg2-bin file dpkg-dev man-db
  desktop-file-utils appstream lintian xdg-utils shared-mime-info
)
if [ "${1:-}" = fuzz ]; then
  # libFuzzer's runtime is only recommended by the clang packages.
  packages+=(clang libclang-rt-14-dev)
fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing: ${missing[*]}"
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -q
$SUDO apt-get install -y -q --no-install-recommends "${missing[@]}"
