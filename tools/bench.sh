#!/usr/bin/env bash
# Builds the release tree and runs the benchmarks (or the one case named, such as "runner"): one
# table of medians, baselines and ratios.
# Exits non-zero when a case misses its goal.
set -euo pipefail
cd "$(dirname "$0")/.."
source tools/packages.sh
tools/install-deps.sh "${BUILD_PACKAGES[@]}"

[ -f build/release/build.ninja ] || cmake --preset release
cmake --build --preset release
build/release/bench/vq3_bench "$@" 2> >(grep -v XDG_RUNTIME_DIR >&2)
