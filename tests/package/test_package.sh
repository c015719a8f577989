#!/usr/bin/env bash
# The Debian packages: built twice with `make package`, from two copies of the
# source folder under different paths, which must give the same bytes and
# leave their folders as they found them. The package is checked with
# lintian, its debug symbols package must hold the program's, and it is
# extracted into a temporary root and the game run from there; the menu entry,
# the metadata and the manual page are checked with their own validators and
# for the French and German texts. As root it is also installed with apt-get,
# the installed game started, the package purged, and nothing of it may be
# left under /usr.
#   test_package.sh
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source_dir=$(cd "$here/../.." && pwd)

skip() { echo "SKIP: $*"; exit 77; }
for tool in git make dpkg-buildpackage dh dpkg-deb lintian readelf file Xvfb openbox xdotool wmctrl xprop \
    desktop-file-validate appstreamcli mandoc; do
    command -v "$tool" >/dev/null || skip "$tool is not installed (scripts/install-deps.sh installs it)"
done
git -C "$source_dir" rev-parse --is-inside-work-tree >/dev/null 2>&1 || skip "$source_dir is not a git work tree"

out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
export ARTIFACTS=$out/artifacts
mkdir -p "$ARTIFACTS"
# shellcheck source=../e2e/e2e_lib.sh
source "$source_dir/tests/e2e/e2e_lib.sh"
show_fail() { cat "$1" >&2; shift; fail "$*"; }

# The source as it is now: the files git tracks or would track.
mapfile -t files < <(cd "$source_dir" && git ls-files --cached --others --exclude-standard \
    | while IFS= read -r f; do [ -e "$f" ] && echo "$f"; done | sort -u)

# Copies the source to $1 and runs `make package` there, leaving its deps
# alone (the tools are checked above); the packages land in $1/build.
build_in() {
    mkdir -p "$1"
    (cd "$source_dir" && cp -a --parents -t "$1" "${files[@]}")
    local start=$SECONDS
    (cd "$1" && env -u MAKEFLAGS -u MFLAGS -u MAKELEVEL make -o deps package) >"$1.log" 2>&1 \
        || show_fail "$1.log" "make package failed in $1"
    echo "make package in $1: $((SECONDS - start)) s"
    local left
    left=$(diff <(printf '%s\n' "${files[@]}") <(cd "$1" && find . -path ./build -prune -o ! -type d -printf '%P\n' | sort)) \
        || fail "make package left its folder changed: $left"
}
one=$out/one/taviq-game
two=$out/second-place/source
build_in "$one"
build_in "$two"

debs=("$one"/build/taviq-game_*.deb)
[ -f "${debs[0]}" ] || show_fail "$one.log" "no taviq-game_*.deb"
deb=${debs[0]}
dbgsym=${deb/taviq-game_/taviq-game-dbgsym_}
[ -f "$dbgsym" ] || show_fail "$one.log" "no package of debug symbols $(basename "$dbgsym")"

# Both builds give the same bytes; where they do not, which files differ.
for package in "$deb" "$dbgsym"; do
    other=$two/build/$(basename "$package")
    [ -f "$other" ] || show_fail "$two.log" "the second build made no $(basename "$package")"
    cmp -s "$package" "$other" && continue
    echo "The two builds of $(basename "$package") differ:" >&2
    diff <(dpkg-deb -c "$package") <(dpkg-deb -c "$other") >&2 || true
    dpkg-deb -R "$package" "$out/diff-one"
    dpkg-deb -R "$other" "$out/diff-two"
    diff -rq "$out/diff-one" "$out/diff-two" >&2 || true
    fail "$(basename "$package") is not the same from $one and from $two"
done

# The control fields.
field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = taviq-game ] || fail "package name $(field Package)"
[ "$(field Section)" = games ] || fail "section $(field Section)"
[ -n "$(field Maintainer)" ] || fail "no maintainer"
version=$(field Version)
[[ $version =~ ^[0-9]+\.[0-9]{2}\.[0-9]{4}$ ]] || fail "version $version is not in the program's form"
grep -q "libqt6widgets6" <<<"$(field Depends)" || fail "the computed dependencies lack Qt: $(field Depends)"
[ "$(field Recommends)" = "qt6-wayland, qt6-translations-l10n" ] || fail "recommends $(field Recommends)"
[ "$(field Description | wc -l)" -ge 3 ] || fail "no long description"

root=$out/root
dpkg-deb -x "$deb" "$root"
for path in usr/games/taviq-game usr/share/man/man6/taviq-game.6.gz usr/share/doc/taviq-game/copyright \
    usr/share/doc/taviq-game/changelog.gz usr/share/applications/org.example.TaviqGame.desktop \
    usr/share/icons/hicolor/256x256/apps/org.example.TaviqGame.png; do
    [ -f "$root/$path" ] || fail "the package lacks /$path"
done
metainfo=$root/usr/share/metainfo/org.example.TaviqGame.metainfo.xml
grep -q "<release version=\"$version\"" "$metainfo" || fail "the metadata does not name version $version"
zcat "$root/usr/share/doc/taviq-game/changelog.gz" | head -n 1 | grep -qF "taviq-game ($version)" \
    || fail "the changelog does not start with version $version"
file "$root/usr/games/taviq-game" | grep -q ', stripped' || fail "the program is not stripped"
# Built with _FORTIFY_SOURCE: the program calls checked copies (__memcpy_chk
# and the like), which lintian does not look for.
grep -qE ' __[a-z]+_chk@' <<<"$(readelf --dyn-syms -W "$root/usr/games/taviq-game")" \
    || fail "the program calls no checked function: is _FORTIFY_SOURCE in CPPFLAGS?"
# The debug symbols are found by the program's build ID.
build_id=$(readelf -n "$root/usr/games/taviq-game" | awk '/Build ID:/ {print $3}')
[ -n "$build_id" ] || fail "the program has no build ID"
grep -q " \./usr/lib/debug/\.build-id/${build_id:0:2}/${build_id:2}\.debug$" <<<"$(dpkg-deb -c "$dbgsym")" \
    || fail "$(basename "$dbgsym") has no debug symbols for build ID $build_id"

# The menu entry, the metadata and the manual page: valid, and in French and
# German too.
desktop=$root/usr/share/applications/org.example.TaviqGame.desktop
desktop-file-validate "$desktop" >"$out/desktop.log" 2>&1 || show_fail "$out/desktop.log" "desktop-file-validate"
for line in 'Name[fr]=Jeu' 'Name[de]=Spiel' 'StartupWMClass=taviq-game'; do
    grep -qxF "$line" "$desktop" || fail "the menu entry lacks $line"
done
for lang in fr de; do
    for key in GenericName Comment Keywords; do
        grep -q "^$key\[$lang\]=." "$desktop" || fail "the menu entry lacks ${key}[$lang]"
    done
    for element in name summary p keyword; do
        grep -q "<$element xml:lang=\"$lang\">" "$metainfo" || fail "the metadata lacks <$element xml:lang=\"$lang\">"
    done
done
appstreamcli validate --no-net "$metainfo" >"$out/appstream.log" 2>&1 || show_fail "$out/appstream.log" "appstreamcli validate"
man=$root/usr/share/man/man6/taviq-game.6.gz
lint=$(mandoc -T lint "$man" 2>&1 || echo "mandoc ended with status $?")
[ -z "$lint" ] || fail "mandoc -T lint: $lint"
for section in ENVIRONMENT 'SEE ALSO'; do
    zgrep -qxF ".SH $section" "$man" || fail "the manual page has no $section"
done

# Lintian, on both packages: no errors, no hardening notes, and every
# warning and note is one docs/packaging.md explains.
changes=("$one"/build/taviq-game_*.changes)
lintian --display-info --tag-display-limit 0 "${changes[0]}" >"$out/lintian.log" 2>&1 || true
if grep -q '^E: ' "$out/lintian.log"; then
    show_fail "$out/lintian.log" "lintian reports errors"
fi
if grep -q '^[A-Z]: [^:]*: hardening-' "$out/lintian.log"; then
    show_fail "$out/lintian.log" "lintian finds a hardening flag missing"
fi
while read -r tag; do
    grep -qF "\`$tag\`" "$source_dir/docs/packaging.md" \
        || show_fail "$out/lintian.log" "lintian tag $tag is not explained in docs/packaging.md"
done < <(sed -n -E 's/^[WI]: [^:]*: ([^ ]+).*/\1/p' "$out/lintian.log" | sort -u)

# Runs the game at $1 in the X session until its window shows, closes it as
# the window manager's close box does, and checks it ended well.
play() {
    GAME=$1
    start_game
    local win
    win=$(find_window Game) || show_fail "$ARTIFACTS/game-$$.log" "$GAME showed no window"
    # The window's class holds the name the menu entry gives, so that a
    # desktop finds the entry for the window.
    xprop -id "$win" WM_CLASS | grep -qF "\"$(sed -n 's/^StartupWMClass=//p' "$desktop")\"" \
        || fail "$GAME: the entry's StartupWMClass is not in $(xprop -id "$win" WM_CLASS)"
    wm_close "$win"
    wait_exit
    [ "$EXIT_STATUS" -eq 0 ] || fail "$GAME ended with status $EXIT_STATUS"
    [ -f "$XDG_CONFIG_HOME/taviq/taviqgame.ini" ] || fail "$GAME wrote no settings"
    rm -rf "$XDG_CONFIG_HOME/taviq"
}

# shellcheck source=../e2e/x_session.sh
source "$source_dir/tests/e2e/x_session.sh"
start_x_session 150 169
trap 'x_session_cleanup; rm -rf "$out"' EXIT
play "$root/usr/games/taviq-game"

if [ "$(id -u)" -ne 0 ]; then
    echo "not root: installing with apt-get and purging are left out"
    echo "1 passed, 0 failed"
    exit 0
fi
command -v apt-get >/dev/null || skip "apt-get is not installed"

# One installation at a time on this machine.
exec 9>/tmp/taviq-game-package-test.lock
flock 9
apt() { DEBIAN_FRONTEND=noninteractive apt-get -y -o DPkg::Lock::Timeout=300 "$@" >>"$out/apt.log" 2>&1; }
installed() { dpkg-query -W -f='${db:Status-Status}' taviq-game 2>/dev/null | grep -qv '^not-installed$'; }
if installed; then
    echo "taviq-game was installed: purged first"
    apt purge taviq-game || show_fail "$out/apt.log" "apt-get purge of the installed taviq-game"
fi
trap 'installed && apt purge taviq-game; x_session_cleanup; rm -rf "$out"' EXIT

# What of the package's paths is there before it comes.
mapfile -t paths < <(dpkg-deb --fsys-tarfile "$deb" | tar -t | sed -e 's|^\./|/|' -e 's|/$||' | grep '^/usr')
existing=()
for path in "${paths[@]}"; do
    [ -e "$path" ] && existing+=("$path")
done

apt install "$deb" || show_fail "$out/apt.log" "apt-get install $deb"
installed || fail "apt-get did not install the package"
play /usr/games/taviq-game

apt purge taviq-game || show_fail "$out/apt.log" "apt-get purge taviq-game"
installed && fail "the package is still known to dpkg after the purge"
for path in "${paths[@]}"; do
    if [ -e "$path" ] && ! printf '%s\n' "${existing[@]}" | grep -qxF "$path"; then
        fail "left under /usr after the purge: $path"
    fi
done
echo "1 passed, 0 failed"
