#!/usr/bin/env bash
# The installed library as its users meet it: `cmake --install BUILD --prefix P` into a temporary
# prefix, then examples/library built against P three ways (the CMake package with the shared
# library, with the static one, and pkg-config), each program run and its report checked.
#   tests/lib/install_example.sh BUILD_DIR SOURCE_DIR
set -euo pipefail
build="$1"
source="$2"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
prefix="$work/prefix"

cmake --install "$build" --prefix "$prefix" >"$work/install.log"
for file in include/varnel/varnel.h include/varnel/verify.h bin/varnel bin/varnel_solver; do
    [ -e "$prefix/$file" ] || { echo "not installed: $file" >&2; exit 1; }
done
ls "$prefix"/lib*/libvarnel.so* "$prefix"/lib*/libvarnel.a "$prefix"/lib*/cmake/varnel/varnelConfig.cmake >/dev/null

# The example prints its findings and exits with 1 when any is unexpected.
check_run() {
    local program="$1" name="$2"
    if ! "$program" >"$work/$name.out" 2>&1; then
        cat "$work/$name.out" >&2
        echo "install_example.sh: the $name build of the example failed its tour" >&2
        exit 1
    fi
    grep -q '^tour: all as expected$' "$work/$name.out"
    grep -q '^check: unique, difficulty [a-z]* (rating [1-5]\.[0-9][0-9]), level 1' "$work/$name.out"
    grep -q '^made for a difficulty: medium (rating 2\.[0-9][0-9]): ' "$work/$name.out"
    grep -q "^the main program's verdict: found 1 answer(s).$" "$work/$name.out"
}

for kind in shared static; do
    static=OFF
    [ "$kind" = static ] && static=ON
    cmake -S "$source/examples/library" -B "$work/$kind" -DCMAKE_PREFIX_PATH="$prefix" \
        -DVARNEL_USE_STATIC_LIBS="$static" -DCMAKE_BUILD_TYPE=Release >"$work/$kind.log"
    cmake --build "$work/$kind" >>"$work/$kind.log"
    check_run "$work/$kind/puzzle_tour" "$kind"
done
# The static build holds the library: it must not need libvarnel.so at run time.
if ldd "$work/static/puzzle_tour" | grep -q libvarnel; then
    echo "install_example.sh: the static build links libvarnel.so" >&2
    exit 1
fi

pc="$(dirname "$(find "$prefix" -name varnel.pc | head -n 1)")"
flags="$(PKG_CONFIG_PATH="$pc" pkg-config --cflags --libs varnel)"
libdir="$(PKG_CONFIG_PATH="$pc" pkg-config --variable=libdir varnel)"
# shellcheck disable=SC2086
c++ -std=c++17 "$source/examples/library/puzzle_tour.cpp" $flags -Wl,-rpath,"$libdir" \
    -o "$work/pkg-config-tour"
check_run "$work/pkg-config-tour" pkg-config
echo "install_example.sh: the example built and ran against the installed package, the static library and pkg-config"
