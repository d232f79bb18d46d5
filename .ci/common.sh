# Helpers for the CI steps; sourced, not run.

# Installs the Debian packages among "$@" that are missing (apt-get, as root or through sudo),
# as build.sh does for the Release build.
ci_need_packages() {
    if ! command -v dpkg-query >/dev/null || ! command -v apt-get >/dev/null; then
        echo "ci: no apt here; make sure these are installed: $*" >&2
        return 0
    fi
    local missing=() package
    for package in "$@"; do
        if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
            missing+=("$package")
        fi
    done
    [ "${#missing[@]}" -eq 0 ] && return 0
    local sudo=()
    [ "$(id -u)" -ne 0 ] && sudo=(sudo)
    echo "ci: installing ${missing[*]}"
    "${sudo[@]}" apt-get update
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y "${missing[@]}"
}

# The clang toolchain of the checking builds: the compiler, its sanitizer and libFuzzer runtimes,
# and LLVM's OpenMP runtime with Archer, its ThreadSanitizer support.
CI_CLANG_PACKAGES=(clang libclang-rt-14-dev libomp-dev)
