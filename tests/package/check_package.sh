#!/usr/bin/env bash
# Builds the Debian package from a build tree, unpacks it into a temporary
# root and checks what it installs: the game runs and needs only the C
# library and ncurses, the manual page, the copyright and the changelog are
# there, and lintian (when installed) reports no error and no warning.
#
#   check_package.sh BUILD_DIR [sanitized]
#
# A sanitized build's executable needs the sanitizer runtimes and is never
# shipped: its package is only installed and run.
set -euo pipefail
build_dir=$1
sanitized=${2:-}
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

if command -v lintian >/dev/null; then
    # lintian warns on stderr when run as root; its findings go to stdout.
    lintian --fail-on error,warning "$package" 2>/dev/null || fail "lintian reports errors or warnings"
else
    echo "lintian is not installed; the package was not linted"
fi
echo "package ok: $(basename "$package")"
