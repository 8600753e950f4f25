#!/usr/bin/env bash
# Makes the Windows download, vq3mt-1.4.0-win64.zip: an optimised MinGW-w64 build of the tool
# and its read-me, zipped by CPack. Prints the zip's path.
set -euo pipefail
cd "$(dirname "$0")/.."
source tools/packages.sh
tools/install-deps.sh "${WINDOWS_BUILD_PACKAGES[@]}"

[ -f build/windows-release/build.ninja ] || cmake --preset windows-release >/dev/null
cmake --build --preset windows-release --target vq3mt
(cd build/windows-release && cpack -G ZIP >/dev/null)
realpath build/windows-release/package/vq3mt-*-win64.zip
