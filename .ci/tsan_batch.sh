#!/usr/bin/env bash
# One create batch (c1: 30 problems on 4 threads) built with ThreadSanitizer, in a fresh folder:
# no data race, status 0, one new file of 30 lines. Then one problem made on its own with its
# candidate clues judged on two threads (varnel_probe make --threads 2): no race, and the same
# problem as on one thread.
#
# The build uses clang with LLVM's OpenMP runtime, which loads Archer, the runtime's
# ThreadSanitizer support, so that the fork, the barriers and the locks of the parallel loop are
# seen as synchronisation. g++ with libgomp cannot be checked soundly: libgomp is not built for
# ThreadSanitizer, and even a plain parallel loop followed by a read of its results is reported
# as a race in the program's own code. ignore_noninstrumented_modules=1 drops only accesses made
# inside uninstrumented libraries (the OpenMP runtime itself); no suppression names our code.
#   .ci/tsan_batch.sh      builds in build-tsan/ (VARNEL_TSAN_BUILD_DIR overrides)
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
root="$PWD"
source .ci/common.sh
ci_need_packages "${CI_CLANG_PACKAGES[@]}" cmake make

BUILD="${VARNEL_TSAN_BUILD_DIR:-build-tsan}"
CXX=clang++ cmake -S . -B "$BUILD" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVARNEL_SANITIZE=thread \
    -DVARNEL_BUILD_TESTS=OFF -DVARNEL_BUILD_BENCH=OFF -DCMAKE_COMPILE_WARNING_AS_ERROR=ON >/dev/null
cmake --build "$BUILD" --target varnel_solver varnel_probe -j"$(nproc)"

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
export TSAN_OPTIONS="halt_on_error=1 exitcode=66 ignore_noninstrumented_modules=1"
export OMP_NUM_THREADS=4

# First a canary: the same setup must report a plain race in a parallel loop, or it checks nothing.
cat >"$work/canary.cpp" <<'CANARY'
#include <cstdio>
int main() {
    long sum = 0;
#pragma omp parallel for schedule(static)
    for (int i = 0; i < 100000; ++i) sum += i;
    std::printf("%ld\n", sum);
}
CANARY
clang++ -fsanitize=thread -fopenmp -g -O1 "$work/canary.cpp" -o "$work/canary"
if "$work/canary" >/dev/null 2>&1; then
    echo "tsan_batch.sh: ThreadSanitizer did not see the canary's race" >&2
    exit 1
fi

status=0
(cd "$work" && "$root/$BUILD/varnel_solver" c1) || status=$?
if [ "$status" -ne 0 ]; then
    echo "tsan_batch.sh: varnel_solver c1 exited with status $status (66: a ThreadSanitizer report)" >&2
    exit 1
fi
shopt -s nullglob
files=("$work"/*.dat)
if [ "${#files[@]}" -ne 1 ]; then
    echo "tsan_batch.sh: expected one output file, found ${#files[@]}" >&2
    exit 1
fi
lines="$(wc -l <"${files[0]}")"
if [ "$lines" -ne 30 ]; then
    echo "tsan_batch.sh: ${files[0]##*/} has $lines lines, not 30" >&2
    exit 1
fi
echo "TSan batch: no race, ${files[0]##*/} with 30 lines"

status=0
one="$("$root/$BUILD/varnel_probe" make 0 7 1)" || status=$?
two="$("$root/$BUILD/varnel_probe" make 0 7 1 --threads 2)" || status=$?
if [ "$status" -ne 0 ]; then
    echo "tsan_batch.sh: varnel_probe make --threads 2 exited with status $status (66: a ThreadSanitizer report)" >&2
    exit 1
fi
if [ "$one" != "$two" ]; then
    echo "tsan_batch.sh: the problem judged on two threads differs from the one judged on one" >&2
    exit 1
fi
echo "TSan judge threads: no race, the same problem on one and two threads"
