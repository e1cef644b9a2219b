# Sourced by ./run, ./test, ./bench and ./package: installs the Debian packages they
# need, and only those that are missing (so a machine that has everything goes
# straight on).
#
#   ensure_packages cmake ninja-build libpng-dev ...
#
# Packages named with ":i386" make sure the i386 architecture is enabled first.
#
# A package mirror can be caught in the middle of a sync: an index that fails to
# fetch, then packages that cannot be resolved without it. So a failed update is tried
# again and, if it still fails, the install is tried with the indexes that did come;
# a failed install is tried again after another update. When nothing helps, one line
# says what is missing and what the mirror said, and ensure_packages returns 1.
# SCINTLE_APT_TRIES and SCINTLE_APT_PAUSE (seconds) set how hard it tries.

_scintle_apt_updated=0

_scintle_missing() {
    local pkg status
    for pkg in "$@"; do
        status=$(dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null || true)
        [[ "$status" == "install ok installed" ]] || echo "$pkg"
    done
}

# The line of apt's output (file) that tells why it failed: the mirror's own complaint
# when there is one, else apt's last error.
_scintle_apt_reason() {
    local reason
    reason=$(grep -m1 -i 'mirror sync\|unexpected size\|hash sum mismatch' "$1" || true)
    [[ -n $reason ]] || reason=$(grep '^E:' "$1" | tail -n 1 || true)
    [[ -n $reason ]] || reason=$(tail -n 1 "$1")
    echo "$reason" | sed 's/^E: *//'
}

# apt-get update, tried again after a pause while it fails; what the last failure
# printed is kept in the file named.
_scintle_apt_update() {  # LOG SUDO
    local log=$1 sudo=$2 try
    for ((try = 1; try <= _scintle_apt_tries; try++)); do
        $sudo apt-get update -qq >"$log" 2>&1 && { cat "$log" >&2; : >"$log"; return 0; }
        cat "$log" >&2
        ((try < _scintle_apt_tries)) || return 1
        echo "apt-get update failed ($(_scintle_apt_reason "$log"));" \
             "trying again in ${_scintle_apt_pause}s" >&2
        sleep "$_scintle_apt_pause"
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
    local _scintle_apt_tries=${SCINTLE_APT_TRIES:-4} _scintle_apt_pause=${SCINTLE_APT_PAUSE:-20}
    local log updateLog try
    log=$(mktemp) updateLog=$(mktemp)
    # An index that still fails is left out: what the others hold may be enough.
    if [[ $_scintle_apt_updated -eq 0 ]] && _scintle_apt_update "$updateLog" "$sudo"; then
        _scintle_apt_updated=1
    fi
    # With the recommended packages: Wine's X11 driver and its fonts come as recommends
    # of libwine, and the Wine tests need them. A failed install updates again first.
    for ((try = 1; ; try++)); do
        # shellcheck disable=SC2086
        if $sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq $missing >"$log" 2>&1; then
            cat "$log" >&2
            rm -f "$log" "$updateLog"
            return 0
        fi
        cat "$log" >&2
        ((try < _scintle_apt_tries)) || break
        echo "apt-get install failed ($(_scintle_apt_reason "$log"));" \
             "trying again in ${_scintle_apt_pause}s" >&2
        sleep "$_scintle_apt_pause"
        _scintle_apt_update "$updateLog" "$sudo" || true
    done
    # The mirror's complaint, from the update, says more than the install's own error.
    local reason
    [[ -s $updateLog ]] && reason=$(_scintle_apt_reason "$updateLog") || reason=$(_scintle_apt_reason "$log")
    rm -f "$log" "$updateLog"
    echo "Could not install $(_scintle_missing $missing | tr '\n' ' ')after $try tries;" \
         "apt-get said: \"$reason\". The package mirror may be in the middle of a sync:" \
         "try again later." >&2
    return 1
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

# What showing the site needs, and testing it in Chromium: Debian's Chromium, driven by its WebDriver
# through Debian's Selenium for Python (tests/web/); what the tests load into the
# pages comes from the npm registry (ensure_npm_packages tests/web), with the npm that
# comes with the machine's Node.js.
SCINTLE_WEB_BROWSER_PACKAGES=(chromium chromium-driver python3-selenium)

# The other two engines the browser tests and benchmarks run the pages in: Firefox ESR
# (driven by puppeteer-core from tests/web's lock) and WebKitGTK (its WebDriver and
# MiniBrowser, on a private Xvfb).
SCINTLE_WEB_ENGINE_PACKAGES=(firefox-esr webkit2gtk-driver xvfb)

# The npm packages that DIR's package-lock.json pins, installed with `npm ci` (never a
# browser download) unless the lock is the one last installed. Tried as apt is.
ensure_npm_packages() {
    local dir=$1 stamp=$1/node_modules/.installed-lock try
    cmp -s "$dir/package-lock.json" "$stamp" && return 0
    command -v npm >/dev/null || { echo "npm is missing (it comes with Node.js)" >&2; return 1; }
    echo "Installing the npm packages of $dir" >&2
    for ((try = 1; try <= ${SCINTLE_APT_TRIES:-4}; try++)); do
        if (cd "$dir" && npm ci --no-audit --no-fund --ignore-scripts >/dev/null); then
            cp "$dir/package-lock.json" "$stamp"
            return 0
        fi
        ((try < ${SCINTLE_APT_TRIES:-4})) && sleep "${SCINTLE_APT_PAUSE:-20}"
    done
    echo "Could not install the npm packages of $dir after $((try - 1)) tries (npm ci said why above)." >&2
    return 1
}
