#!/usr/bin/env bash
# Installs what is missing, builds the tests (sanitizers on, warnings as errors) and runs them.
set -euo pipefail
cd "$(dirname "$0")/.."
source tools/packages.sh
tools/install-deps.sh "${BUILD_PACKAGES[@]}" "${RUNTIME_PACKAGES[@]}" "${TEST_PACKAGES[@]}"

[ -f build/dev/build.ninja ] || cmake --preset dev
cmake --build --preset dev
ctest --preset dev
