#!/usr/bin/env bash
# Static analysis: clang-tidy with the checked-in .clang-tidy over the program's own code (app/,
# textio/, solver/, creator/, tools/, companion/, checker/, ladder/, explain/, lib/, python/ and their
# headers), then cppcheck over all sources, tests, benchmarks and examples included. Any finding
# fails the step.
#   .ci/static_analysis.sh     needs build/compile_commands.json (./build.sh makes it);
#                              VARNEL_TIDY_BUILD_DIR names another build directory
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
source .ci/common.sh
ci_need_packages clang-tidy cppcheck

BUILD="${VARNEL_TIDY_BUILD_DIR:-build}"
if [ ! -f "$BUILD/compile_commands.json" ]; then
    echo "static_analysis.sh: no $BUILD/compile_commands.json; run ./build.sh first" >&2
    exit 1
fi

mapfile -t sources < <(find app textio solver creator tools companion checker ladder explain lib python -name '*.cpp' | sort)
echo "clang-tidy: ${#sources[@]} files"
# Every finding is an error by WarningsAsErrors; the counts of warnings it filtered out in
# system headers ("N warnings generated.") are dropped from the log.
printf '%s\n' "${sources[@]}" |
    xargs -P"$(nproc)" -n4 clang-tidy -p "$BUILD" --quiet --config-file=.clang-tidy 2>&1 |
    { grep -v -E '^[0-9]+ warnings? generated\.$' || true; }

mapfile -t all_sources < <(find app textio solver creator tools companion checker ladder explain lib python tests bench examples -name '*.cpp' | sort)
echo "cppcheck: ${#all_sources[@]} files"
# googletest: the TEST macros; the standard headers are not read (missingIncludeSystem is only
# an information message and not enabled), which keeps the run to seconds.
cppcheck --enable=warning,performance,portability --error-exitcode=1 --std=c++20 \
    --library=googletest --inline-suppr -I . -I include --quiet \
    --template='{file}:{line}: {severity} [{id}] {message}' "${all_sources[@]}"
echo "static analysis: clean"
