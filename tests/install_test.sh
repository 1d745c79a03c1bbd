#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The install tree stands on its own: install into a temporary prefix, move the tree elsewhere
# and run info, render and the window's screenshot from an empty folder, with no repository
# data within reach and no path of the build in the installed (stripped) program.
#   bash tests/install_test.sh BUILD_FOLDER SOURCE_FOLDER [sanitized]
# (A sanitized build keeps source paths for its reports: the path check is left out there.)
set -euo pipefail
build=$(realpath "$1")
source=$(realpath "$2")
sanitized=${3:-}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cmake --install "$build" --prefix "$work/first" --strip >/dev/null
mv "$work/first" "$work/moved"
mkdir "$work/empty"
cd "$work/empty"
unset VESK_DATA
export XDG_CACHE_HOME="$work/cache"
vesk="$work/moved/bin/vesk"

if [ -z "$sanitized" ] && grep -q -a -F -e "$source" -e "$build" "$vesk"; then
    echo "the installed program holds a path of the build" >&2
    exit 1
fi
"$vesk" info --year 2024 --month 4 | grep -q "^date (UT)   2024-04-08$"
# the historical sites come with the program
"$vesk" info --year -762 --month 6 --place Nineveh | grep -q "^name        Nineveh (historical site)$"
"$vesk" render --year 2024 --month 4 --kml --out map.png
QT_QPA_PLATFORM=offscreen "$vesk" --screenshot window.png
for file in map.png 202404_earth.kml 202404.kml window.png; do
    [ -s "$file" ] || { echo "$file was not written" >&2; exit 1; }
done
# The moved tree holds the same data as the repository: the same map, byte for byte.
mkdir "$work/repository"
(cd "$work/repository" && "$build/vesk" render --year 2024 --month 4 --kml --out map.png)
cmp map.png "$work/repository/map.png"
for file in applications/org.vesk.Vesk.desktop metainfo/org.vesk.Vesk.metainfo.xml \
    icons/hicolor/scalable/apps/org.vesk.Vesk.svg icons/hicolor/48x48/apps/org.vesk.Vesk.png; do
    [ -s "$work/moved/share/$file" ] || { echo "share/$file is missing" >&2; exit 1; }
done
MANPATH="$work/moved/share/man" MANWIDTH=80 man -P cat vesk 2>/dev/null |
    grep -q "vesk - maps and circumstances of solar eclipses"
desktop-file-validate "$work/moved/share/applications/org.vesk.Vesk.desktop"
appstreamcli validate --no-net --pedantic "$work/moved/share/metainfo/org.vesk.Vesk.metainfo.xml" \
    >/dev/null
for field in '<project_license>GPL-3.0-or-later</project_license>' '<url type="homepage">'; do
    grep -qF "$field" "$work/moved/share/metainfo/org.vesk.Vesk.metainfo.xml" ||
        { echo "the metainfo has no $field" >&2; exit 1; }
done
echo "installed, moved and run from $work/moved"
