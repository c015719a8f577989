#!/usr/bin/env bash
# Installs what the benchmarks need beyond `make test`, when any of it is
# missing: the peer the game is compared with (sgt-puzzles' fifteen, run as a
# black box) and the X libraries that measure.py drives through ctypes (XTest
# to press keys, XDamage to see pixels change). Runs apt-get as root or
# through sudo. `make test` never calls this.
set -euo pipefail

packages=(sgt-puzzles libx11-6 libxtst6 libxdamage1 at-spi2-core)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing for the benchmarks: ${missing[*]}"
sudo=()
if [ "$(id -u)" -ne 0 ]; then
    sudo=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
