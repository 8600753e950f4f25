#!/usr/bin/env bash
# Installs what is missing, builds the tests (sanitizers on, warnings as errors) and runs them,
# checks the refusal boxes of a drop from a file manager (tools/check-drop-boxes.sh), then
# cross-builds the Windows side and runs its tests under Wine (tools/test-windows.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
source tools/packages.sh
tools/install-deps.sh "${BUILD_PACKAGES[@]}" "${RUNTIME_PACKAGES[@]}" "${TEST_PACKAGES[@]}" \
    "${CHECK_PACKAGES[@]}"

[ -f build/dev/build.ninja ] || cmake --preset dev
cmake --build --preset dev
# The script runner the tests start must find no display, or its window would wait for a user.
env -u DISPLAY -u WAYLAND_DISPLAY ctest --preset dev
tools/check-drop-boxes.sh qt build/dev/bin/vq3mt
tools/test-windows.sh
