#!/usr/bin/env bash
# The whole test suite once more, a Debug build by clang with AddressSanitizer and
# UndefinedBehaviorSanitizer (no recovery: the first report fails the run), assertions on, the
# standard library's own checks on (-D_GLIBCXX_ASSERTIONS: bounds of vector and string
# accesses) and warnings as errors. The whole-program tests run the sanitized varnel_solver too.
#   .ci/sanitize.sh        builds in build-asan/ (VARNEL_ASAN_BUILD_DIR overrides)
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
source .ci/common.sh
ci_need_packages "${CI_CLANG_PACKAGES[@]}" cmake make libgtest-dev

BUILD="${VARNEL_ASAN_BUILD_DIR:-build-asan}"
# -O1 keeps the sanitized suite fast; a Debug build has no -DNDEBUG, so the asserts stay on.
CXX=clang++ cmake -S . -B "$BUILD" -DCMAKE_BUILD_TYPE=Debug \
    "-DCMAKE_CXX_FLAGS_DEBUG=-O1 -g -D_GLIBCXX_ASSERTIONS" \
    -DVARNEL_SANITIZE=address,undefined -DVARNEL_BUILD_BENCH=OFF \
    -DCMAKE_COMPILE_WARNING_AS_ERROR=ON >/dev/null
cmake --build "$BUILD" -j"$(nproc)"

# A report exits with 86 (never 0 or 1, which the whole-program tests expect), leaks included.
export ASAN_OPTIONS="exitcode=86:detect_leaks=1:check_initialization_order=1:strict_init_order=1"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
ctest --test-dir "$BUILD" --output-on-failure -j"$(nproc)"

# As root the read-only-folder test of create mode is skipped, since root writes anywhere; run
# the create-mode tests once more as an ordinary user so that it runs too.
if [ "$(id -u)" -eq 0 ] && command -v setpriv >/dev/null; then
    log="$(mktemp)"
    if ! setpriv --reuid=65534 --regid=65534 --clear-groups \
        "$BUILD/varnel_tests" --gtest_filter='CreateMode.*' >"$log" 2>&1; then
        cat "$log"
        exit 1
    fi
    if grep -q '^\[  SKIPPED \]' "$log"; then
        cat "$log"
        echo "sanitize.sh: a create-mode test was skipped without root" >&2
        exit 1
    fi
    rm -f "$log"
    echo "create-mode tests as an ordinary user: passed"
fi
