#!/usr/bin/env bash
# Checks that every C++ source follows .clang-format (the test command runs this); with --fix,
# formats them in place.
set -euo pipefail
cd "$(dirname "$0")/.."
mapfile -t files < <(git ls-files --cached --others --exclude-standard '*.cpp' '*.h' 2>/dev/null || find src tests bench tools -name '*.cpp' -o -name '*.h')
if [ "${1:-}" = --fix ]; then
    clang-format -i "${files[@]}"
    exit 0
fi
bad=()
for f in "${files[@]}"; do
    clang-format --dry-run -Werror "$f" >/dev/null 2>&1 || bad+=("$f")
done
if [ ${#bad[@]} -gt 0 ]; then
    echo "format: ${#bad[@]} file(s) differ from .clang-format (bash scripts/format.sh --fix):"
    printf '  %s\n' "${bad[@]}"
    exit 1
fi
echo "format: ${#files[@]} files follow .clang-format"
