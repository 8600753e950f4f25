#!/usr/bin/env bash
# Counts non-blank, non-comment C++ lines per folder and the tests' share of the product code.
# bench/ counts on neither side.
set -euo pipefail
cd "$(dirname "$0")/.."

count() {
    find "$@" -type f \( -name '*.cpp' -o -name '*.h' \) -print0 |
        xargs -0 cat | grep -Ev '^\s*(//.*)?$' | wc -l
}

product=0
for folder in app conversion platform runner ui; do
    lines=$(count "$folder")
    product=$((product + lines))
    printf '%-12s %5d\n' "$folder/" "$lines"
done
tests=$(count tests)
printf '%-12s %5d\n' "product" "$product" "tests/" "$tests"
awk -v t="$tests" -v p="$product" \
    'BEGIN { printf "tests are %.1f%% of the product code (at most 40%%)\n", 100 * t / p }'
