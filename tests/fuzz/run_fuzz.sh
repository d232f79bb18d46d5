#!/usr/bin/env bash
# Builds the fuzz targets with clang in build-fuzz/ and runs one of them:
#   solve_fuzz    the main program's problem reader and the solver (the default)
#   formats_fuzz  the companion command's strict reader and the format writers
#   tests/fuzz/run_fuzz.sh [solve|formats] SECONDS   fuzz for SECONDS on one core
#   tests/fuzz/run_fuzz.sh [solve|formats] merge     minimise the kept corpus with what runs found
# New inputs go to build-fuzz/corpus (build-fuzz/formats-corpus), findings to
# build-fuzz/artifacts/; the kept corpus in tests/fuzz/corpus (tests/fuzz/formats_corpus) only
# changes through "merge". A finding ends the run with status 1.
# VARNEL_FUZZ_BUILD_DIR names another build directory (CI, or a second run beside a long one).
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/../.."

BUILD="${VARNEL_FUZZ_BUILD_DIR:-build-fuzz}"
MAX_LEN=4096  # the kept corpus holds small files only; large inputs are the generated seeds

TARGET=solve
if [ "${1:-}" = solve ] || [ "${1:-}" = formats ]; then
    TARGET="$1"
    shift
fi
FUZZ="$BUILD/${TARGET}_fuzz"
if [ "$TARGET" = solve ]; then
    KEPT=tests/fuzz/corpus
    WORK="$BUILD/corpus"
else
    KEPT=tests/fuzz/formats_corpus
    WORK="$BUILD/formats-corpus"
fi

build() {
    CXX=clang++ cmake -S . -B "$BUILD" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVARNEL_FUZZ=ON \
        -DVARNEL_BUILD_TESTS=OFF -DVARNEL_BUILD_BENCH=OFF >/dev/null
    cmake --build "$BUILD" --target "${TARGET}_fuzz" -j2
}

# An empty compact problem: compact_board HEIGHT WIDTH.
compact_board() {
    local row i
    row="$(head -c "$2" /dev/zero | tr '\0' '.')/"
    printf '1/%d/%d/' "$1" "$2"
    for ((i = 0; i < $1; i++)); do printf '%s' "$row"; done
    printf '\n'
}

# Seeds of the solve target: the examples, every line of the golden solve files on its own, the
# hand-written hostile inputs of tests/fuzz/seeds, and large inputs generated here.
make_solve_seeds() {
    local seeds="$1" large="$2" file
    cp examples/*.txt tests/fuzz/seeds/* "$seeds/"
    for file in tests/golden/solve/*.txt; do
        split -l 1 -a 3 "$file" "$seeds/$(basename "$file" .txt)_"
    done
    # A 1 MB line, and boards just over and just within the 32767 padded cells of the labels.
    head -c 1048576 /dev/zero | tr '\0' '.' >"$large/line_1mb.txt"
    compact_board 180 180 >"$large/over_limit_180x180.txt"
    compact_board 179 179 >"$large/at_limit_179x179.txt"
    compact_board 1 10921 >"$large/over_limit_1x10921.txt"
    compact_board 1 10920 >"$large/at_limit_1x10920.txt"
}

# Seeds of the formats target: its hand-written hostile inputs, every golden URL and game ID on
# its own line, the golden solve files, and large inputs generated here.
make_formats_seeds() {
    local seeds="$1" large="$2"
    cp tests/fuzz/formats_seeds/* tests/golden/solve/*.txt "$seeds/"
    grep -v '^#' tests/golden/formats/canonical.tsv | cut -f2 | split -l 1 -a 3 - "$seeds/url_"
    grep -v '^#' tests/golden/formats/canonical.tsv | cut -f3 | split -l 1 -a 3 - "$seeds/id_"
    grep -v '^#' tests/golden/formats/decode.tsv | cut -f1 | split -l 1 -a 3 - "$seeds/other_url_"
    head -c 1048576 /dev/zero | tr '\0' '.' >"$large/line_1mb.txt"
    { printf 'p?slither/9/9/'; head -c 1048576 /dev/zero | tr '\0' 'z'; } >"$large/url_runs_1mb.txt"
    { printf 'p?slither/9/9/'; head -c 1048576 /dev/zero | tr '\0' '0'; } >"$large/url_clues_1mb.txt"
    { printf '9x9t0:'; head -c 1048576 /dev/zero; } >"$large/id_nul_1mb.txt"
    compact_board 180 180 >"$large/over_limit_180x180.txt"
    compact_board 179 179 >"$large/at_limit_179x179.txt"
    compact_board 179 179 | tr '/' '\n' | tail -n +4 >"$large/grid_at_limit_179x179.txt"
    printf 'https://puzz.link/p?slither/179/179/z\n' >"$large/url_at_limit.txt"
    printf 'https://puzz.link/p?slither/180/180/z\n' >"$large/url_over_limit.txt"
}

mkdir -p "$WORK" "$BUILD/artifacts" "$KEPT"
case "${1:-}" in
merge)
    build
    fresh="$BUILD/${TARGET}-corpus-merged"
    rm -rf "$fresh"
    mkdir -p "$fresh"
    "$FUZZ" -merge=1 -max_len=$MAX_LEN "$fresh" "$KEPT" "$WORK"
    rm -rf "$KEPT"
    mv "$fresh" "$KEPT"
    echo "$KEPT: $(ls "$KEPT" | wc -l) files"
    ;;
[0-9]*)
    build
    seeds="$BUILD/${TARGET}-seeds" large="$BUILD/${TARGET}-large-seeds"
    rm -rf "$seeds" "$large"
    mkdir -p "$seeds" "$large"
    "make_${TARGET}_seeds" "$seeds" "$large"
    # The large inputs once each: libFuzzer would cut them to MAX_LEN when fuzzing.
    "$FUZZ" -rss_limit_mb=4096 "$large"/*
    "$FUZZ" -max_total_time="$1" -max_len=$MAX_LEN -timeout=60 -rss_limit_mb=2048 \
        -print_final_stats=1 -artifact_prefix="$BUILD/artifacts/${TARGET}-" \
        "$WORK" "$KEPT" "$seeds"
    ;;
*)
    echo "usage: tests/fuzz/run_fuzz.sh [solve|formats] SECONDS | [solve|formats] merge" >&2
    exit 2
    ;;
esac
