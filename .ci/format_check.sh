#!/usr/bin/env bash
# Formatting is mechanical: every C++ source and header of the repository must be exactly what
# clang-format makes of it with the checked-in .clang-format. Prints the offending places and
# fails otherwise; `clang-format -i FILE` mends a file.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
source .ci/common.sh
ci_need_packages clang-format

mapfile -t sources < <(git ls-files '*.cpp' '*.h' 2>/dev/null || find . -name '*.cpp' -o -name '*.h')
echo "clang-format: ${#sources[@]} files"
clang-format --dry-run --Werror "${sources[@]}"
echo "clang-format: clean"
