#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The Debian packages of a build (vesk and vesk-tools) pass lintian without an error or a warning.
#   lintian_test.sh BUILD_DIR
set -euo pipefail
build=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cpack -G DEB -B "$work" --config "$build/CPackConfig.cmake" >"$work/cpack.log" 2>&1 ||
    { cat "$work/cpack.log"; exit 1; }
for name in vesk vesk-tools; do
    package=$(ls "$work/${name}_"*.deb)
    lintian "$package" >"$work/lintian.log" 2>&1 || true
    cat "$work/lintian.log"
    if grep -E '^[EW]: ' "$work/lintian.log"; then
        echo "lintian found the errors and warnings above in $(basename "$package")" >&2
        exit 1
    fi
    grep -q "^usr/share/doc/$name/copyright\$" <(dpkg-deb --fsys-tarfile "$package" | tar -t |
                                                sed 's#^\./##') ||
        { echo "no copyright file in $(basename "$package")" >&2; exit 1; }
done
# the program's package needs no library of the tools alone (the Swiss Ephemeris library serves
# both: the sky's sidereal time, analytic, reads no ephemeris file)
if dpkg-deb -f "$work"/vesk_*.deb Depends | grep -E 'libcurl|libnetcdf'; then
    echo "the program's package depends on a library of the tools" >&2
    exit 1
fi
