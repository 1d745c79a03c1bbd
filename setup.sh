#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what vesk needs from Debian (as root), builds it, makes the base map data that are
# not in the repository, then runs it or its tests.
#   bash setup.sh        build, draw this month's eclipse map into vesk.png and, with a
#                        display, open the window
#   bash setup.sh lunar  build, then fetch NASA's LOLA lunar grid (LDEM_16, 33 MB) and make
#                        data/LRO.dat for the limb correction
#   bash setup.sh test   build, then run the test suite; then once more under AddressSanitizer
#                        and UndefinedBehaviorSanitizer (clang, build-sanitize/), followed by
#                        every fuzz harness over its corpus and for 20 seconds more
set -euo pipefail
cd "$(dirname "$0")"

packages=(cmake make g++ pkg-config libswe-dev googletest libgtest-dev libbenchmark-dev
    qt6-base-dev qt6-svg-dev qt6-tools-dev qt6-l10n-tools qt6-translations-l10n fonts-noto-cjk
    fonts-dejavu-core libnetcdf-dev ferret-datasets gmt gmt-gshhg-high libxml2-utils
    poppler-utils desktop-file-utils appstream dpkg-dev man-db liberfa-dev libcurl4-openssl-dev
    nodejs nlohmann-json3-dev
    clang libclang-rt-dev libtimezonemap-data tzdata lintian libwebp-dev
    qt6-image-formats-plugins)
missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' ||
        missing+=("$package")
done
if ((${#missing[@]})); then
    apt-get update
    DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${missing[@]}"
fi

cmake -S . -B build -DCMAKE_BUILD_TYPE=Release
cmake --build build -j"$(nproc)"

# The relief grid, resampled from ETOPO5 (ferret-datasets), and the coast, river and boundary
# files from GSHHG (gmt-gshhg-high).
if [ ! -f data/globe04.dat ] || [ build/vesk-make-relief -nt data/globe04.dat ]; then
    ./build/vesk-make-relief --etopo /usr/share/ferret-vis/data/etopo5.cdf --grid data/globe04.dat
fi
if [ ! -f data/sa_bdy.cbd ]; then
    ./build/vesk-make-vectormap --out data
fi
# The time zones' boundaries, from the geo-tz package of the npm registry (Node at build time
# only; the program reads the file it makes). npm comes with the machine's Node.js, or from
# Debian's package.
zones=tools/timezones
if [ ! -f data/timezones.dat ] || [ $zones/make_zone_table.js -nt data/timezones.dat ] ||
    [ $zones/package-lock.json -nt data/timezones.dat ]; then
    command -v npm >/dev/null || DEBIAN_FRONTEND=noninteractive apt-get install -y npm
    npm ci --prefix $zones --no-audit --no-fund
    node $zones/make_zone_table.js data/timezones.dat
fi

# The guide's pictures are drawn from the data made above: configured again, the build sees
# the data and draws the pictures anew.
cmake -S . -B build >/dev/null
cmake --build build --target vesk_guide

lunarGrid=https://pds-geosciences.wustl.edu/lro/lro-l-lola-3-rdr-v1/lrolol_1xxx/data/lola_gdr/cylindrical/img/ldem_16.lbl

case "${1:-run}" in
run)
    ./build/vesk info
    ./build/vesk render --out vesk.png
    echo "vesk.png: this month's eclipse map"
    # With a display, the window program.
    if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
        ./build/vesk
    fi
    ;;
lunar)
    # LRO LOLA gridded elevation, 16 samples per degree, at the PDS Geosciences Node
    ./build/vesk-make-lro --url "$lunarGrid" --out data/LRO.dat
    ;;
test)
    ctest --test-dir build --output-on-failure
    CC=clang CXX=clang++ cmake -S . -B build-sanitize -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DVESK_FUZZ=ON
    cmake --build build-sanitize -j"$(nproc)"
    ctest --test-dir build-sanitize --output-on-failure -j"$(nproc)"
    bash tests/fuzz/run build-sanitize 20
    ;;
*)
    echo "usage: bash setup.sh [run|lunar|test]" >&2
    exit 2
    ;;
esac
