#!/bin/bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The program builds alone: configured without the tests and the tools, CMake looks for none of
# GTest, Google Benchmark, the Swiss Ephemeris, netCDF or libcurl, and the target vesk builds
# and runs. Usage: alone_test.sh SOURCE_DIR
set -euo pipefail
source=$1
build=$(mktemp -d)
trap 'rm -rf "$build"' EXIT
cmake -S "$source" -B "$build" -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF \
    -DVESK_BUILD_TOOLS=OFF -DCMAKE_DISABLE_FIND_PACKAGE_GTest=ON \
    -DCMAKE_DISABLE_FIND_PACKAGE_benchmark=ON >"$build/configure.log" 2>&1 || {
    tail -30 "$build/configure.log"
    exit 1
}
if grep -E '^(SWE|NETCDF|CURL)_FOUND|^(GTest|benchmark)_DIR:' "$build/CMakeCache.txt"; then
    echo "the program's configuration looked for a library only the tests or tools need"
    exit 1
fi
cmake --build "$build" --target vesk -j 2 >"$build/build.log" 2>&1 || {
    tail -40 "$build/build.log"
    exit 1
}
"$build/vesk" --version
