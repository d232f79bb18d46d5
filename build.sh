#!/usr/bin/env bash
# Builds varnel in build/ (Release) and, on request, solves an example or runs the tests.
#   ./build.sh            build everything
#   ./build.sh example    build only the program, then solve examples/plain_grid.txt
#   ./build.sh test       build everything, then run the whole test suite
# Missing Debian packages are installed first (apt-get, as root or through sudo).
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")"

# The compiler and build tools; GoogleTest and Google Benchmark; OpenMP; for the companion command
# CLI11, nlohmann-json and CaDiCaL; for its tests xmllint, rsvg-convert and GNU parallel; cram,
# which runs the README's examples as tests, and jq, which one of them uses; for the installed
# library's test pkg-config; for the Python module pybind11, Python's headers, pytest, and venv,
# setuptools, wheel and pip for its pip install test.
PACKAGES=(g++ cmake make libgtest-dev libbenchmark-dev libomp-dev libcli11-dev nlohmann-json3-dev
    libcadical-dev libxml2-utils librsvg2-bin parallel python3-cram jq pkg-config pybind11-dev
    python3-dev python3-pytest python3-venv python3-setuptools python3-wheel python3-pip)

install_missing_packages() {
    if ! command -v dpkg-query >/dev/null || ! command -v apt-get >/dev/null; then
        echo "build.sh: no apt here; make sure these are installed: ${PACKAGES[*]}" >&2
        return 0
    fi
    local missing=()
    local package
    for package in "${PACKAGES[@]}"; do
        if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
            missing+=("$package")
        fi
    done
    if [ "${#missing[@]}" -eq 0 ]; then
        return 0
    fi
    local sudo=()
    if [ "$(id -u)" -ne 0 ]; then
        sudo=(sudo)
    fi
    echo "build.sh: installing ${missing[*]}"
    "${sudo[@]}" apt-get update
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y "${missing[@]}"
}

# Builds the given targets in build/ (all of them when none is given).
build() {
    cmake -S . -B build -DCMAKE_BUILD_TYPE=Release
    local targets=()
    [ "$#" -gt 0 ] && targets=(--target "$@")
    cmake --build build -j"$(nproc)" "${targets[@]}"
}

command="${1:-build}"
case "$command" in
build | example | test) ;;
*)
    echo "usage: ./build.sh [build|example|test]" >&2
    exit 2
    ;;
esac

install_missing_packages
case "$command" in
build)
    build
    ;;
example)
    # Only the program: a newcomer sees an answer without waiting for the suite to build.
    build varnel_solver
    ./build/varnel_solver s examples/plain_grid.txt
    ;;
test)
    build
    ctest --test-dir build --output-on-failure -j"$(nproc)"
    ;;
esac
