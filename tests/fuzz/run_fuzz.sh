#!/usr/bin/env bash
# Builds the fuzz target with clang in build-fuzz/ and fuzzes the problem reader and the solver.
#   tests/fuzz/run_fuzz.sh SECONDS          fuzz for SECONDS on one core
#   tests/fuzz/run_fuzz.sh merge            minimise tests/fuzz/corpus with what the runs found
# New inputs go to build-fuzz/corpus, findings to build-fuzz/artifacts/; the kept corpus in
# tests/fuzz/corpus only changes through "merge". A finding ends the run with status 1.
# VARNEL_FUZZ_BUILD_DIR names another build directory (CI, or a second run beside a long one).
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/../.."

BUILD="${VARNEL_FUZZ_BUILD_DIR:-build-fuzz}"
FUZZ="$BUILD/solve_fuzz"
MAX_LEN=4096  # the kept corpus holds small files only; large inputs are the generated seeds

build() {
    CXX=clang++ cmake -S . -B "$BUILD" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVARNEL_FUZZ=ON \
        -DVARNEL_BUILD_TESTS=OFF -DVARNEL_BUILD_BENCH=OFF >/dev/null
    cmake --build "$BUILD" --target solve_fuzz -j2
}

# Seeds: the examples, every line of the golden solve files on its own, the hand-written hostile
# inputs of tests/fuzz/seeds, and large inputs generated here.
make_seeds() {
    local seeds="$BUILD/seeds" large="$BUILD/large-seeds"
    rm -rf "$seeds" "$large"
    mkdir -p "$seeds" "$large"
    cp examples/*.txt tests/fuzz/seeds/* "$seeds/"
    local file
    for file in tests/golden/solve/*.txt; do
        split -l 1 -a 3 "$file" "$seeds/$(basename "$file" .txt)_"
    done
    # A 1 MB line, and boards just over and just within the 32767 padded cells of the labels.
    head -c 1048576 /dev/zero | tr '\0' '.' >"$large/line_1mb.txt"
    board() {  # board HEIGHT WIDTH: an empty compact problem
        local row i
        row="$(head -c "$2" /dev/zero | tr '\0' '.')/"
        printf '1/%d/%d/' "$1" "$2"
        for ((i = 0; i < $1; i++)); do printf '%s' "$row"; done
        printf '\n'
    }
    board 180 180 >"$large/over_limit_180x180.txt"
    board 179 179 >"$large/at_limit_179x179.txt"
    board 1 10921 >"$large/over_limit_1x10921.txt"
    board 1 10920 >"$large/at_limit_1x10920.txt"
}

mkdir -p "$BUILD/corpus" "$BUILD/artifacts" tests/fuzz/corpus
case "${1:-}" in
merge)
    build
    fresh="$BUILD/corpus-merged"
    rm -rf "$fresh"
    mkdir -p "$fresh"
    "$FUZZ" -merge=1 -max_len=$MAX_LEN "$fresh" tests/fuzz/corpus "$BUILD/corpus"
    rm -rf tests/fuzz/corpus
    mv "$fresh" tests/fuzz/corpus
    echo "tests/fuzz/corpus: $(ls tests/fuzz/corpus | wc -l) files"
    ;;
[0-9]*)
    build
    make_seeds
    # The large inputs once each: libFuzzer would cut them to MAX_LEN when fuzzing.
    "$FUZZ" -rss_limit_mb=4096 "$BUILD"/large-seeds/*
    "$FUZZ" -max_total_time="$1" -max_len=$MAX_LEN -timeout=60 -rss_limit_mb=2048 \
        -print_final_stats=1 -artifact_prefix="$BUILD/artifacts/" \
        "$BUILD/corpus" tests/fuzz/corpus "$BUILD/seeds"
    ;;
*)
    echo "usage: tests/fuzz/run_fuzz.sh SECONDS | merge" >&2
    exit 2
    ;;
esac
