#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing need, when
# any of them is missing. Runs apt-get as root or through sudo.
set -euo pipefail

packages=(
    cmake g++ make pkg-config clang libclang-rt-14-dev
    qt6-base-dev qt6-base-private-dev qt6-qpa-plugins libgl-dev qt6-tools-dev qt6-l10n-tools
    fonts-dejavu-core fonts-liberation2
    xvfb xauth xdotool wmctrl openbox imagemagick x11-utils
    dbus dbus-x11 at-spi2-core python3 python3-pyatspi
    desktop-file-utils appstream mandoc
    weston qt6-wayland qt6-translations-l10n
    dpkg-dev debhelper build-essential lintian file
)

# The screen reader and its speech server, for the test that plays with them;
# where they cannot be installed, that test is skipped and says why.
optional=(orca speech-dispatcher)

not_installed() {
    local p
    for p in "$@"; do
        if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
            echo "$p"
        fi
    done
}
mapfile -t missing < <(not_installed "${packages[@]}")
mapfile -t missing_optional < <(not_installed "${optional[@]}")
[ ${#missing[@]} -eq 0 ] && [ ${#missing_optional[@]} -eq 0 ] && exit 0

sudo=()
if [ "$(id -u)" -ne 0 ]; then
    sudo=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -qq
if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
if [ ${#missing_optional[@]} -gt 0 ]; then
    echo "Installing: ${missing_optional[*]}"
    "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing_optional[@]}" \
        || echo "Could not install ${missing_optional[*]}: the screen-reader test will be skipped"
fi
