#!/usr/bin/env bash
# Builds the Debian package from a build tree, unpacks it into a temporary
# root and checks what it installs: the game runs and needs only the C
# library and ncurses, the manual page, the copyright, the changelog and the
# message catalogs are there (and the game finds the catalogs beside it),
# the licence notice names the copyright file the package installs, the game
# is hardened, and lintian (when installed) reports nothing at all,
# pedantic, informational and experimental tags included. Then it builds the
# game and its package twice more from the sources, as the README's install
# steps do, in two folders of different paths, and checks that the two
# packages are the same bytes.
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

# Only the C library (with its maths library), ncursesw and its terminfo
# library: no C++ runtime.
needed=$(readelf -d "$game" | sed -n 's/.*(NEEDED).*\[\(.*\)\]/\1/p')
echo "needed:" $needed
for library in $needed; do
    case $library in
        libc.so.* | libm.so.* | libncursesw.so.* | libtinfo.so.*) ;;
        *) fail "the game needs $library; only libc, libm, libncursesw and libtinfo are allowed" ;;
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

# Two packages built from the same sources in different folders are the
# same bytes: time stamps come from the commit, paths are not recorded.
generator=()
command -v ninja >/dev/null && generator=(-G Ninja)
for copy in first second-elsewhere; do
    cmake -S "$source_dir" -B "$work/$copy" "${generator[@]}" -DCMAKE_BUILD_TYPE=Release -DVEGATRADE_TESTS=OFF \
        >/dev/null
    cmake --build "$work/$copy" >/dev/null
    cpack -G DEB --config "$work/$copy/CPackConfig.cmake" -B "$work/$copy/out" >/dev/null
done
first=$(find "$work/first/out" -maxdepth 1 -name 'vegatrade_*.deb')
second=$(find "$work/second-elsewhere/out" -maxdepth 1 -name 'vegatrade_*.deb')
cmp "$first" "$second" || fail "two packages built from the same sources differ"
echo "two builds from the same sources give the same package"
echo "package ok: $(basename "$package")"
