#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Renders every case of tests/golden/cases.txt and compares the SHA-256 of each picture, of its
# --text output and of the KML documents and central.prn that it writes with the reference
# list tests/golden/outputs.sha256.
#   bash tests/golden_test.sh VESK            compare; the outputs of a failing run are kept in
#                                             $VESK_GOLDEN_KEEP when that is set
#   bash tests/golden_test.sh VESK --update   rewrite the reference list
set -euo pipefail
vesk=$(realpath "$1")
here=$(cd "$(dirname "$0")" && pwd)
cases=$here/golden/cases.txt
reference=$here/golden/outputs.sha256
work=$(mktemp -d)
cache=$(mktemp -d) # the program's cache, apart from the outputs compared
trap 'rm -rf "$work" "$cache"' EXIT
# The user's own data folder (a lunar grid, a city list) is not the reference's.
export XDG_DATA_HOME="$work/no-user-data"
export XDG_CACHE_HOME="$cache"

while read -r name args; do
    [[ -z "$name" || "$name" == \#* ]] && continue
    mkdir "$work/$name"
    # shellcheck disable=SC2086
    (cd "$work/$name" && "$vesk" render $args --out "$name.png" --text >"$name.txt")
done <"$cases"
(cd "$work" && find . -type f | sort | xargs sha256sum) >"$work/outputs.sha256"

# Writing KML never changes the picture.
if ! cmp -s "$work/america-total/america-total.png" "$work/america-no-kml/america-no-kml.png"; then
    echo "the map with --kml differs from the map without it" >&2
    exit 1
fi

if [ "${2:-}" = --update ]; then
    cp "$work/outputs.sha256" "$reference"
    exit 0
fi
if ! diff "$reference" "$work/outputs.sha256"; then
    if [ -n "${VESK_GOLDEN_KEEP:-}" ]; then
        mkdir -p "$VESK_GOLDEN_KEEP"
        cp -r "$work"/. "$VESK_GOLDEN_KEEP"
        echo "the outputs are in $VESK_GOLDEN_KEEP" >&2
    fi
    echo "the renders differ from tests/golden/outputs.sha256" >&2
    exit 1
fi
