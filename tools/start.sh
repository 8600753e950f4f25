#!/usr/bin/env bash
# Installs what is missing, builds the tool (optimised) and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
source tools/packages.sh
tools/install-deps.sh "${BUILD_PACKAGES[@]}" "${RUNTIME_PACKAGES[@]}"

[ -f build/release/build.ninja ] || cmake --preset release
cmake --build --preset release
exec build/release/bin/vq3mt
