# Sourced by ./run, ./test, ./bench and ./package: installs the Debian packages they
# need, and only those that are missing (so a machine that has everything goes
# straight on).
#
#   ensure_packages cmake ninja-build libpng-dev ...
#
# Packages named with ":i386" make sure the i386 architecture is enabled first.

_scintle_apt_updated=0

_scintle_missing() {
    local pkg status
    for pkg in "$@"; do
        status=$(dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null || true)
        [[ "$status" == "install ok installed" ]] || echo "$pkg"
    done
}

ensure_packages() {
    local missing
    missing=$(_scintle_missing "$@")
    [[ -z "$missing" ]] && return 0
    local sudo=""
    [[ $(id -u) -ne 0 ]] && sudo="sudo"
    if grep -q ':i386' <<<"$missing" && ! dpkg --print-foreign-architectures | grep -qx i386; then
        $sudo dpkg --add-architecture i386
        _scintle_apt_updated=0
    fi
    echo "Installing: $(echo $missing)" >&2
    if [[ $_scintle_apt_updated -eq 0 ]]; then
        $sudo apt-get update -qq
        _scintle_apt_updated=1
    fi
    # With the recommended packages: Wine's X11 driver and its fonts come as recommends
    # of libwine, and the Wine tests need them.
    # shellcheck disable=SC2086
    $sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq $missing >&2
}

# What building and testing the project needs: both Windows cross compilers, Xlib for
# the native saver, dpkg-dev and file for its package's dependencies (cpack finds the
# programs with file), groff-base to check its manual pages, and Google Benchmark,
# since the tests' build compiles the benchmarks too.
SCINTLE_BUILD_PACKAGES=(cmake ninja-build g++ libgtest-dev libpng-dev libbenchmark-dev
                        libx11-dev libxext-dev dpkg-dev file groff-base
                        g++-mingw-w64-i686 g++-mingw-w64-x86-64)

# What making and checking what users install needs: wixl builds the MSI packages,
# msitools finishes and reads them (msibuild, msiinfo, msidump), lintian checks the
# Debian package.
SCINTLE_PACKAGING_PACKAGES=(wixl msitools lintian)

# The fuzz targets and the ThreadSanitizer build: clang, its sanitizer runtimes and
# libFuzzer, and llvm-symbolizer for readable reports.
SCINTLE_SANITIZER_PACKAGES=(clang-14 libclang-rt-14-dev llvm-14)

# What the native saver's tests run beside it: a virtual display and its tools,
# xscreensaver itself, and pgrep and ps to find the saver it starts.
SCINTLE_X11_PACKAGES=(xvfb x11-utils xdotool imagemagick xscreensaver procps)

# What running the Windows builds under Wine needs, on a virtual display for the
# saver's end-to-end tests and ./run (Xephyr shows Wine two monitors): 64-bit Wine
# always, and 32-bit Wine where the machine can run 32-bit programs (elsewhere it could
# not even start).
SCINTLE_WINE_PACKAGES=(wine wine64 xvfb xserver-xephyr xdotool imagemagick x11-xserver-utils)
if "$(dirname "${BASH_SOURCE[0]}")/machine_runs_i386.sh"; then
    SCINTLE_RUNS_I386=1
    SCINTLE_WINE_PACKAGES+=(wine32:i386)
else
    SCINTLE_RUNS_I386=0
fi

# What building the browser's site needs (web/build.sh): Debian's emscripten (with its
# node) for the engine's module, and a native build for the icons that make-pictures
# draws.
SCINTLE_WEB_BUILD_PACKAGES=(emscripten nodejs cmake ninja-build g++ libpng-dev)

# What showing and testing the site needs: Debian's Chromium, driven by its WebDriver
# through Debian's Selenium for Python (tests/web/).
SCINTLE_WEB_BROWSER_PACKAGES=(chromium chromium-driver python3-selenium)
