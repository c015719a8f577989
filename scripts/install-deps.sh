#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing need, when
# any of them is missing. Runs apt-get as root or through sudo.
set -euo pipefail

packages=(
    cmake g++ make pkg-config clang libclang-rt-14-dev
    qt6-base-dev qt6-qpa-plugins libgl-dev
    fonts-dejavu-core fonts-liberation2
    xvfb xauth xdotool wmctrl openbox imagemagick x11-utils
    dbus dbus-x11 at-spi2-core python3 python3-pyatspi
    desktop-file-utils appstream
    weston qt6-wayland qt6-translations-l10n
    dpkg-dev lintian file
)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=()
if [ "$(id -u)" -ne 0 ]; then
    sudo=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
