#!/usr/bin/env bash
# Short fuzz runs of both targets, the problem reader and the solver, then the companion
# command's reader and the format writers: tests/fuzz/run_fuzz.sh for 60 seconds each
# (FUZZ_SECONDS overrides) in build-fuzz/ (VARNEL_FUZZ_BUILD_DIR overrides, e.g. beside a long run
# that holds build-fuzz/). A finding fails the step; it is kept in the build directory's
# artifacts/ folder.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
source .ci/common.sh
ci_need_packages "${CI_CLANG_PACKAGES[@]}" cmake make

tests/fuzz/run_fuzz.sh solve "${FUZZ_SECONDS:-60}"
tests/fuzz/run_fuzz.sh formats "${FUZZ_SECONDS:-60}"
