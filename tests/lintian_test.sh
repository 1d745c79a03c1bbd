#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The Debian package of a build passes lintian without an error or a warning.
#   lintian_test.sh BUILD_DIR
set -euo pipefail
build=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cpack -G DEB -B "$work" --config "$build/CPackConfig.cmake" >"$work/cpack.log" 2>&1 ||
    { cat "$work/cpack.log"; exit 1; }
package=$(ls "$work"/*.deb)
lintian "$package" >"$work/lintian.log" 2>&1 || true
cat "$work/lintian.log"
if grep -E '^[EW]: ' "$work/lintian.log"; then
    echo "lintian found the errors and warnings above in $(basename "$package")" >&2
    exit 1
fi
grep -q '^usr/share/doc/vesk/copyright$' <(dpkg-deb --fsys-tarfile "$package" | tar -t |
                                          sed 's#^\./##') ||
    { echo "no copyright file in the package" >&2; exit 1; }
