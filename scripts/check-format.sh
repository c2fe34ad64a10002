#!/usr/bin/env bash
# Checks that src/ and harlow/ are laid out as .clang-format says; names every file that is not.
# Exits 77 (CTest's "skipped") when clang-format is missing: the set-up installs it, and the test
# command fails a run with a skip.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
command -v clang-format >/dev/null || { echo "check-format: clang-format is not installed"; exit 77; }
cd "$root"
mapfile -t files < <(find src harlow \( -name '*.cpp' -o -name '*.h' \) -type f | sort)
bad=()
for f in "${files[@]}"; do
    clang-format --style=file --dry-run --Werror "$f" >/dev/null 2>&1 || bad+=("$f")
done
if ((${#bad[@]})); then
    echo "check-format: ${#bad[@]} of ${#files[@]} files differ from .clang-format (clang-format -i them):"
    printf '  %s\n' "${bad[@]}"
    exit 1
fi
echo "check-format: ${#files[@]} files laid out as .clang-format says"
