# Sourced by ./test and ./run: configure and build the host and Windows builds.
#   kv_configure_all            configures build/host, build/host-asan, build/win32 and
#                               build/win64 (once)
#   kv_build NAME [targets...]  builds one of them (all targets unless given)
#   KV_PRODUCT_TARGETS          the programs that ship (./package builds only these)
# host-asan is the host build with AddressSanitizer and UBSan; ./test builds only its test
# programs there (target kv_tests).
KV_ROOT=${KV_ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}
KV_BUILD=${KV_BUILD:-$KV_ROOT/build}
KV_PRODUCT_TARGETS=(Kelvorine skinpack acstool gallery)

# ./setup checks every package in well under a second when all are present.
kv_ensure_setup() {
    "$KV_ROOT/setup"
}

# kv_configure NAME [cmake args...]
kv_configure() {
    local name=$1; shift
    local dir=$KV_BUILD/$name
    if [ ! -f "$dir/build.ninja" ]; then
        cmake -S "$KV_ROOT" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >"$dir.configure.log" 2>&1 ||
            { mkdir -p "$dir"; cat "$dir.configure.log" >&2; echo "build: configure of $name failed" >&2; return 1; }
    fi
}

kv_configure_all() {
    mkdir -p "$KV_BUILD"
    kv_configure host || return 1
    # -O1 and line tables only: what the sanitizers' reports need, and the quickest to compile.
    kv_configure host-asan -DKV_SANITIZE=ON -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -g1 -DNDEBUG" \
        -DCMAKE_C_FLAGS_RELWITHDEBINFO="-O1 -g1 -DNDEBUG" || return 1
    kv_configure win32 -DCMAKE_TOOLCHAIN_FILE="$KV_ROOT/cmake/Toolchain-i686-w64-mingw32.cmake" || return 1
    kv_configure win64 -DCMAKE_TOOLCHAIN_FILE="$KV_ROOT/cmake/Toolchain-x86_64-w64-mingw32.cmake" || return 1
}

# kv_build NAME [targets...]
kv_build() {
    local name=$1; shift
    echo "build: $name"
    cmake --build "$KV_BUILD/$name" -- "$@" || { echo "build: $name failed" >&2; return 1; }
}
