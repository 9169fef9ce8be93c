#!/usr/bin/env bash
# Builds the Debian package from a build tree, unpacks it into a temporary
# root and checks what it installs: the game runs and needs only the C
# library and ncurses, the manual page, the copyright, the changelog and the
# message catalogs are there (and the game finds the catalogs beside it),
# the licence notice names the copyright file the package installs,
# the menu entry, its icons at every size and the AppStream metadata are
# there and pass appstreamcli as installed, every time stamp is the commit's,
# the game is hardened, and lintian (when installed) reports nothing at all,
# pedantic, informational and experimental tags included. Then it makes a
# release tarball's tree from the commit (`git archive HEAD`, so only what
# is committed), builds the game and its package from it twice, as the
# README's install steps do, in two folders of different paths, and checks
# that the two packages are the same bytes with the commit's time stamps.
#
#   check_package.sh BUILD_DIR [sanitized]
#
# A sanitized build's executable needs the sanitizer runtimes and is never
# shipped: its package is only installed and run.
set -euo pipefail
build_dir=$1
sanitized=${2:-}
source_dir=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "$*"; exit 1; }

cpack -G DEB --config "$build_dir/CPackConfig.cmake" -B "$work/out" >/dev/null
package=$(find "$work/out" -maxdepth 1 -name 'vegatrade_*.deb' | head -n 1)
[ -n "$package" ] || fail "no package built"

dpkg-deb --field "$package" Package Section Priority Depends
dpkg-deb -x "$package" "$work/root"
game=$work/root/usr/games/vegatrade
test -x "$game" || fail "game not installed in /usr/games"
gzip -t "$work/root/usr/share/man/man6/vegatrade.6.gz" || fail "compressed manual page not installed"
gzip -t "$work/root/usr/share/doc/vegatrade/changelog.gz" || fail "changelog.gz not installed"
grep -q '^License: Expat$' "$work/root/usr/share/doc/vegatrade/copyright" || fail "no machine-readable copyright"
dpkg-deb --field "$package" Depends | grep -q 'libncursesw6 (>=' || fail "dependencies without versions"

# The menu entry, the icon in every size of the hicolor theme (each PNG as
# large as its folder says) and the AppStream metadata, which appstreamcli
# checks together as installed: the entry it launches, the icon it shows.
app_id=io.github.vegatrade.vegatrade
share=$work/root/usr/share
for file in applications/$app_id.desktop metainfo/$app_id.metainfo.xml icons/hicolor/scalable/apps/$app_id.svg; do
    test -f "$share/$file" || fail "/usr/share/$file not installed"
done
for size in 16 22 24 32 48 64 128 256; do
    icon=$share/icons/hicolor/${size}x${size}/apps/$app_id.png
    test -f "$icon" || fail "no ${size}x${size} icon installed"
    file -b "$icon" | grep -q "^PNG image data, $size x $size," || fail "$icon: $(file -b "$icon")"
done
report=$(appstreamcli validate-tree --no-net --pedantic --no-color "$work/root" 2>&1) || true
grep -qx '✔ Validation was successful.\|Validation was successful.' <<<"$report" &&
    [ "$(wc -l <<<"$report")" -eq 1 ] || { echo "appstreamcli validate-tree reports:"; echo "$report"; exit 1; }
# A software centre's catalog made from the package, as a distribution makes
# it, lists the game with its icon in the sizes software centres show.
report=$(appstreamcli compose --no-net --no-color --print-report=full --origin=vegatrade \
             --result-root="$work/catalog" "$work/root" 2>&1) || true
[ "$(tail -n 1 <<<"$report")" = "Success!" ] && [ "$(wc -l <<<"$report")" -eq 3 ] ||
    { echo "appstreamcli compose reports:"; echo "$report"; exit 1; }
catalog=$(zcat "$work/catalog/usr/share/swcatalog/xml/vegatrade.xml.gz")
for size in 64 128; do
    grep -qF "<icon type=\"cached\" width=\"$size\" height=\"$size\">$app_id.png</icon>" <<<"$catalog" ||
        fail "the catalog made from the package has no $size-pixel icon"
done
echo "appstreamcli validate-tree, compose: nothing to report"

# Every file and folder in the package carries the time of the commit the
# sources come from (or SOURCE_DATE_EPOCH when it is set): asked of git in a
# checkout, read from cmake/commit-time in a tree made by `git archive`.
commit_time() {
    local stamp
    if [ -n "${SOURCE_DATE_EPOCH:-}" ]; then
        echo "$SOURCE_DATE_EPOCH"
    elif stamp=$(head -n 1 "$1/cmake/commit-time" 2>/dev/null) && [[ $stamp =~ ^[0-9]+$ ]]; then
        echo "$stamp"
    else
        git -C "$1" log -1 --format=%ct 2>/dev/null || true
    fi
}
check_times() {
    local package=$1 seconds=$2 stamp others
    stamp=$(TZ=UTC date -d "@$seconds" '+%F %T')
    others=$(dpkg-deb --fsys-tarfile "$package" | TZ=UTC tar -tv --full-time | grep -vF " $stamp " || true)
    others+=$(dpkg-deb --ctrl-tarfile "$package" | TZ=UTC tar -tv --full-time | grep -vF " $stamp " || true)
    [ -z "$others" ] || { echo "not stamped $stamp, the commit's time:"; echo "$others"; exit 1; }
}
stamped=$(commit_time "$source_dir")
if [ -n "$stamped" ]; then
    check_times "$package" "$stamped"
    echo "time stamps: the commit's, $(TZ=UTC date -d "@$stamped" '+%F %T') UTC"
fi

status=0
"$game" -v 2>"$work/version" || status=$?
[ "$status" -eq 1 ] || fail "vegatrade -v exited $status"
grep -q '^Vegatrade .*v1.2.2 29-Mar-1997$' "$work/version" || { echo "unexpected banner:"; cat "$work/version"; exit 1; }

# Every catalog of po/LINGUAS is installed, and the installed game finds
# them beside itself: it speaks German under LANGUAGE=de.
for lang in $(grep -v '^#' "$source_dir/po/LINGUAS"); do
    test -s "$work/root/usr/share/locale/$lang/LC_MESSAGES/vegatrade.mo" || fail "no catalog for $lang installed"
done
status=0
LANG=C.UTF-8 LANGUAGE=de "$game" -x 2>"$work/usage" || status=$?
grep -q '^Aufruf: vegatrade' "$work/usage" || { echo "the installed game does not speak German:"; cat "$work/usage"; exit 1; }

# The notice shown on the title screen and by -v names where the licence is.
licence=$(sed -n 's|^\(/usr/share/doc/vegatrade/copyright\) .*|\1|p' "$work/version")
[ -n "$licence" ] || { echo "the notice names no copyright file:"; cat "$work/version"; exit 1; }
test -f "$work/root$licence" || fail "the notice names $licence, which the package does not install"

if [ "$sanitized" = sanitized ]; then
    echo "package ok: $(basename "$package") (sanitized build: libraries and lintian not checked)"
    exit 0
fi

# Only the C library, ncursesw and its terminfo library: no C++ runtime and
# no maths library (the computer player's logarithm is its own).
needed=$(readelf -d "$game" | sed -n 's/.*(NEEDED).*\[\(.*\)\]/\1/p')
echo "needed:" $needed
for library in $needed; do
    case $library in
        libc.so.* | libncursesw.so.* | libtinfo.so.*) ;;
        *) fail "the game needs $library; only libc, libncursesw and libtinfo are allowed" ;;
    esac
done

# Hardened as Debian's own packages: a position-independent executable,
# relocations read-only and bound at start-up, fortified calls, the stack
# protector, and no .comment section.
# (Each listing is read whole: grep -q ending a pipe early would fail it.)
header=$(readelf -h "$game")
segments=$(readelf -l -W "$game")
dynamic=$(readelf -d -W "$game")
symbols=$(readelf --dyn-syms -W "$game")
sections=$(readelf -S -W "$game")
grep -q 'Type:.*DYN' <<<"$header" || fail "the game is not a position-independent executable"
grep -q GNU_RELRO <<<"$segments" || fail "the game has no read-only relocations"
grep -q 'BIND_NOW\|FLAGS.*NOW' <<<"$dynamic" || fail "the game's symbols are not bound at start-up"
grep -q '__[a-z_]*_chk@' <<<"$symbols" || fail "the game calls no fortified function"
grep -q '__stack_chk_fail@' <<<"$symbols" || fail "the game has no stack protector"
! grep -q '\.comment' <<<"$sections" || fail "the game has a .comment section"

if command -v lintian >/dev/null; then
    # lintian warns on stderr when run as root; its findings go to stdout.
    findings=$(lintian --pedantic -I -E "$package" 2>/dev/null) || true
    [ -z "$findings" ] || { echo "lintian reports:"; echo "$findings"; exit 1; }
    echo "lintian --pedantic -I -E: nothing to report"
else
    echo "lintian is not installed; the package was not linted"
fi

# Two packages built from one commit, as a release tarball holds it, in
# different folders are the same bytes: time stamps come from the commit,
# paths are not recorded. Outside a git checkout the sources themselves are
# the tarball.
if git -C "$source_dir" rev-parse --is-inside-work-tree >/dev/null 2>&1; then
    make_tree() { mkdir -p "$1" && git -C "$source_dir" archive --format=tar HEAD | tar -x -C "$1"; }
    origin="git archive HEAD"
else
    make_tree() { mkdir -p "$1" && tar -C "$source_dir" --exclude='./build*' -cf - . | tar -x -C "$1"; }
    origin="the sources"
fi
make_tree "$work/first"
tree_time=$(head -n 1 "$work/first/cmake/commit-time")
[[ $tree_time =~ ^[0-9]+$ ]] || fail "$origin holds no commit time in cmake/commit-time: \"$tree_time\""
[ -n "${SOURCE_DATE_EPOCH:-}" ] || [ -z "$stamped" ] || [ "$tree_time" = "$stamped" ] ||
    fail "$origin records the commit time $tree_time; the package was stamped $stamped"
generator=()
command -v ninja >/dev/null && generator=(-G Ninja)
for copy in first second/elsewhere; do
    [ "$copy" = first ] || make_tree "$work/$copy"
    cmake -S "$work/$copy" -B "$work/$copy/build-release" "${generator[@]}" -DCMAKE_BUILD_TYPE=Release \
        -DVEGATRADE_TESTS=OFF >/dev/null
    cmake --build "$work/$copy/build-release" >/dev/null
    cpack -G DEB --config "$work/$copy/build-release/CPackConfig.cmake" -B "$work/$copy/out" >/dev/null
done
first=$(find "$work/first/out" -maxdepth 1 -name 'vegatrade_*.deb')
second=$(find "$work/second/elsewhere/out" -maxdepth 1 -name 'vegatrade_*.deb')
cmp "$first" "$second" || fail "two packages built from one release tarball differ"
check_times "$first" "${SOURCE_DATE_EPOCH:-$tree_time}"
echo "two builds from one release tarball ($origin) give the same package"
echo "package ok: $(basename "$package")"
