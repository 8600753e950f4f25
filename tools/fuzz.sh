#!/usr/bin/env bash
# Builds the script-line fuzzer with clang and runs it for a bounded time (default 300 s).
# Not part of the tests: run it by hand. Findings land in build/fuzz/findings.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-300}
tools/install-deps.sh clang libclang-rt-dev cmake ninja-build

[ -f build/fuzz/build.ninja ] || cmake --preset fuzz
cmake --build --preset fuzz
mkdir -p build/fuzz/corpus build/fuzz/findings
cp tests/fuzz/seeds/* build/fuzz/corpus/
build/fuzz/tests/fuzz/vq3_script_line_fuzz -max_total_time="$seconds" -max_len=512 \
    -artifact_prefix=build/fuzz/findings/ build/fuzz/corpus
