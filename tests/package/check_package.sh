#!/usr/bin/env bash
# Builds the Debian package from a build tree, unpacks it into a temporary
# root and checks what it installs: the game runs, the manual page is there.
set -euo pipefail
build_dir=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cpack -G DEB --config "$build_dir/CPackConfig.cmake" -B "$work/out" >/dev/null
package=$(find "$work/out" -maxdepth 1 -name 'vegatrade_*.deb' | head -n 1)
[ -n "$package" ] || { echo "no package built"; exit 1; }

dpkg-deb --field "$package" Package Section Depends
dpkg-deb -x "$package" "$work/root"
test -x "$work/root/usr/games/vegatrade" || { echo "game not installed in /usr/games"; exit 1; }
test -f "$work/root/usr/share/man/man6/vegatrade.6" || { echo "manual page not installed"; exit 1; }

status=0
"$work/root/usr/games/vegatrade" -v 2>"$work/version" || status=$?
[ "$status" -eq 1 ] || { echo "vegatrade -v exited $status"; exit 1; }
grep -q '^Vegatrade .*v1.2.2 29-Mar-1997$' "$work/version" || { echo "unexpected banner:"; cat "$work/version"; exit 1; }
echo "package ok: $(basename "$package")"
