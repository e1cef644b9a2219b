# Sourced by ./test and ./run: configures and builds the Windows cross build of one
# bitness, in build/win32 (i686) or build/win64 (x86-64).
#
#   windows_build 32|64 [cmake --build options...]
windows_build() {
    local bits=$1 toolchain=cmake/mingw-i686.cmake
    shift
    [[ $bits == 64 ]] && toolchain=cmake/mingw-x86_64.cmake
    cmake -S . -B "build/win$bits" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
          -DCMAKE_BUILD_TYPE=Release >/dev/null
    cmake --build "build/win$bits" "$@"
}
