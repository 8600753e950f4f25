#!/usr/bin/env bash
# Builds the tool (optimised) and packs the Linux download, vq3mt-<version>-linux-<cpu>.tar.gz:
# one folder holding vq3mt, vq3run and README.txt. Prints the tarball's path.
# Usage: tools/package.sh [BUILD_FOLDER]   (build/release by default)
set -euo pipefail
cd "$(dirname "$0")/.."
source tools/packages.sh
tools/install-deps.sh "${BUILD_PACKAGES[@]}"

build=${1:-build/release}
[ -f "$build/build.ninja" ] || cmake --preset release -B "$build"
cmake --build "$build" --target vq3mt vq3run
cpack --config "$build/CPackConfig.cmake" |
    sed -n 's/^CPack: - package: \(.*\) generated\.$/\1/p'
