#!/usr/bin/env bash
# Installs what vesk needs from Debian (as root), builds it, then runs it or its tests.
#   bash setup.sh        build, then show this month's eclipse
#   bash setup.sh test   build, then run the test suite
set -euo pipefail
cd "$(dirname "$0")"

packages=(cmake make g++ pkg-config libswe-dev googletest libgtest-dev libbenchmark-dev
    qt6-base-dev fonts-ipafont-mincho fonts-ipafont-gothic fonts-dejavu-core)
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

case "${1:-run}" in
run) ./build/vesk info ;;
test) ctest --test-dir build --output-on-failure ;;
*)
    echo "usage: bash setup.sh [run|test]" >&2
    exit 2
    ;;
esac
