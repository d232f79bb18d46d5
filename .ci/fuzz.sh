#!/usr/bin/env bash
# A short fuzz run of the problem reader and the solver: tests/fuzz/run_fuzz.sh for 60 seconds
# (FUZZ_SECONDS overrides) in build-fuzz/ (VARNEL_FUZZ_BUILD_DIR overrides, e.g. beside a long run
# that holds build-fuzz/). A finding fails the step; it is kept in the build directory's
# artifacts/ folder.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
source .ci/common.sh
ci_need_packages "${CI_CLANG_PACKAGES[@]}" cmake make

tests/fuzz/run_fuzz.sh "${FUZZ_SECONDS:-60}"
