#!/usr/bin/env bash
# Counts non-blank, non-comment lines: C++ per product folder, and the tests' share of the product
# code, the shell checks that act as tests (tests/**/*.sh, tools/check-drop-boxes.sh) included.
# bench/ counts on neither side.
set -euo pipefail
cd "$(dirname "$0")/.."

code_lines() {
    find "$@" -type f \( -name '*.cpp' -o -name '*.h' \) -print0 |
        xargs -0 cat | grep -Ev '^\s*(//.*)?$' | wc -l
}
shell_lines() {
    cat "$@" | grep -Ev '^\s*(#.*)?$' | wc -l
}

product=0
for folder in app conversion platform runner ui; do
    lines=$(code_lines "$folder")
    product=$((product + lines))
    printf '%-14s %5d\n' "$folder/" "$lines"
done
tests=$(code_lines tests)
mapfile -t checks < <(find tests -name '*.sh' | sort; echo tools/check-drop-boxes.sh)
checks_lines=$(shell_lines "${checks[@]}")
printf '%-14s %5d\n' "product" "$product" "tests/ (C++)" "$tests" "shell checks" "$checks_lines"
awk -v t=$((tests + checks_lines)) -v p="$product" \
    'BEGIN { printf "tests are %.1f%% of the product code (at most 35%%)\n", 100 * t / p }'
