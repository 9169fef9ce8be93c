#!/usr/bin/env bash
# Checks the files that give the game its place in the desktop's menu, as
# they stand in the sources:
#
#   check_desktop.sh entry    SOURCE_DIR APP_ID
#   check_desktop.sh metainfo SOURCE_DIR APP_ID VERSION
#   check_desktop.sh icons    SOURCE_DIR SIZE...
#
# entry: desktop-file-validate has nothing to say about the menu entry, which
# starts the game in a terminal under the application id's icon, and names,
# describes and gives keywords for the game in every language it is
# translated into. metainfo: appstreamcli, pedantic and without the network,
# has nothing to say about the AppStream metadata, which launches the menu
# entry, provides the game, rates its content, has its summary and every
# paragraph of its description in every language, and lists the project's
# version as its newest release. icons: a PNG of each size, exactly as
# scripts/icons renders it from the drawing, and no other.
set -euo pipefail
what=$1
source_dir=$2
shift 2
data=$source_dir/data
fail() { echo "$*"; exit 1; }

# The languages the game speaks: the catalogs' list when there is one, and
# the six it was first translated into.
languages="de es fr pt_BR ru zh_CN"
if [ -f "$source_dir/po/LINGUAS" ]; then
    languages+=" $(sed 's/#.*//' "$source_dir/po/LINGUAS" | tr -s ' \n' ' ')"
fi
languages=$(tr ' ' '\n' <<<"$languages" | sed '/^$/d' | sort -u)

case $what in
entry)
    app_id=$1
    entry=$data/$app_id.desktop
    report=$(desktop-file-validate "$entry" 2>&1) || true
    [ -z "$report" ] || { echo "desktop-file-validate reports:"; echo "$report"; exit 1; }
    for line in Type=Application Exec=vegatrade Terminal=true "Icon=$app_id"; do
        grep -qx "$line" "$entry" || fail "the menu entry has no line $line"
    done
    grep -qx 'Categories=Game;.*BoardGame;.*' "$entry" || fail "the menu entry is not in the board games"
    for key in Name GenericName Comment Keywords; do
        grep -q "^$key=." "$entry" || fail "the menu entry has no $key"
        for language in $languages; do
            grep -q "^$key\[$language\]=." "$entry" || fail "the menu entry has no $key in $language"
        done
    done
    echo "desktop-file-validate: nothing to report; translated into" $languages
    ;;
metainfo)
    app_id=$1 version=$2
    metainfo=$data/$app_id.metainfo.xml
    report=$(appstreamcli validate --no-net --pedantic --no-color "$metainfo" 2>&1) || true
    [ "$report" = "✔ Validation was successful." ] || [ "$report" = "Validation was successful." ] ||
        { echo "appstreamcli validate reports:"; echo "$report"; exit 1; }
    for line in "<id>$app_id</id>" "<launchable type=\"desktop-id\">$app_id.desktop</launchable>" \
                "<binary>vegatrade</binary>" '<content_rating type="oars-1.1"' "<project_license>MIT</project_license>"; do
        grep -qF "$line" "$metainfo" || fail "the metainfo has no $line"
    done
    newest=$(sed -n 's/.*<release version="\([^"]*\)".*/\1/p' "$metainfo" | head -n 1)
    [ "$newest" = "$version" ] || fail "the newest release in the metainfo is $newest, the project's version $version"
    paragraphs=$(grep -c '<p>' "$metainfo")
    releases=$(sed -n '/<releases>/,/<\/releases>/p' "$metainfo" | grep -c '<p>' || true)
    for language in $languages; do
        grep -q "<summary xml:lang=\"$language\">" "$metainfo" || fail "the metainfo has no summary in $language"
        translated=$(grep -c "<p xml:lang=\"$language\">" "$metainfo" || true)
        [ "$translated" -eq $((paragraphs - releases)) ] ||
            fail "the description has $((paragraphs - releases)) paragraphs, $translated of them in $language"
    done
    echo "appstreamcli validate --no-net --pedantic: nothing to report; translated into" $languages
    ;;
icons)
    work=$(mktemp -d)
    trap 'rm -rf "$work"' EXIT
    expected=""
    for size in "$@"; do
        icon=$data/icons/${size}x${size}.png
        expected+="${size}x${size}.png "
        test -f "$icon" || fail "no ${size}x${size} icon"
        # The PNG header: its signature, then width and height in IHDR.
        header=($(od -An -tu1 -N24 "$icon"))
        [ "${header[*]:0:8}" = "137 80 78 71 13 10 26 10" ] || fail "$icon is not a PNG"
        width=$(( (header[16] << 24) + (header[17] << 16) + (header[18] << 8) + header[19] ))
        height=$(( (header[20] << 24) + (header[21] << 16) + (header[22] << 8) + header[23] ))
        [ "$width" -eq "$size" ] && [ "$height" -eq "$size" ] || fail "$icon is $width x $height pixels"
        rsvg-convert --width="$size" --height="$size" --output="$work/$size.png" "$data/icons/vegatrade.svg"
        cmp -s "$work/$size.png" "$icon" || fail "$icon is not what the drawing renders to: run scripts/icons"
    done
    found=$(cd "$data/icons" && ls -- *.png | sort | tr '\n' ' ')
    expected=$(tr ' ' '\n' <<<"$expected" | sed '/^$/d' | sort | tr '\n' ' ')
    [ "$found" = "$expected" ] ||
        fail "data/icons holds $found; the build installs $expected"
    echo "icons:" "$@"
    ;;
*) fail "unknown check $what" ;;
esac
