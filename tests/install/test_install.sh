#!/usr/bin/env bash
# Installs the build into a fresh prefix and checks that a desktop finds the
# program, its menu entry, its icons and its software-centre metadata.
#   test_install.sh BUILD_DIR
set -euo pipefail
build=$1
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT

cmake --install "$build" --prefix "$prefix" >/dev/null
fail() { echo "FAIL: $*" >&2; exit 1; }

[ -x "$prefix/bin/taviq-game" ] || fail "no program in bin/"
desktop=$prefix/share/applications/org.example.TaviqGame.desktop
metainfo=$prefix/share/metainfo/org.example.TaviqGame.metainfo.xml
[ -f "$desktop" ] || fail "no desktop entry"
[ -f "$metainfo" ] || fail "no AppStream metadata"
grep -qx 'Name=Game' "$desktop" || fail "the menu entry is not called Game"
grep -qx 'Exec=taviq-game' "$desktop" || fail "the menu entry does not start the program"
grep -q '<release version="1.01.0001"' "$metainfo" || fail "the metadata does not name version 1.01.0001"

for size in 16 24 32 48 64 128 256; do
    icon=$prefix/share/icons/hicolor/${size}x${size}/apps/org.example.TaviqGame.png
    [ -f "$icon" ] || fail "no ${size}x${size} icon"
    if command -v identify >/dev/null; then
        [ "$(identify -format '%wx%h' "$icon")" = "${size}x${size}" ] || fail "the ${size}x${size} icon has another size"
    fi
done

if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$desktop" || fail "desktop-file-validate"
fi
if command -v appstreamcli >/dev/null; then
    appstreamcli validate --no-net "$metainfo" >/dev/null || fail "appstreamcli validate"
fi
echo "1 passed, 0 failed"
