# Shared by scripts/run and scripts/test. Sourced, not run.

QUENVALE_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

# Runs an apt-get or dpkg command; while another apt or dpkg holds its lock
# (an unattended upgrade, a package manager in another window), waits for it,
# up to five minutes, instead of failing with status 100 at once.
with_dpkg_lock_wait() {
    local deadline=$((SECONDS + ${QUENVALE_LOCK_WAIT:-300})) log status said=false
    log="$(mktemp)"
    while true; do
        status=0
        "$@" 2>"$log" || status=$?
        if [ "$status" -eq 0 ] || [ "$SECONDS" -ge "$deadline" ] ||
            ! grep -qE 'Could not get lock|Unable to acquire the dpkg frontend lock|Unable to lock|locked by another process' "$log"; then
            cat "$log" >&2
            rm -f "$log"
            return "$status"
        fi
        $said || echo "quenvale: another apt or dpkg is running; waiting for it to finish" >&2
        said=true
        sleep 5
    done
}

# Whether a command can run as root here: as root itself, or through sudo.
can_be_root() {
    [ "$(id -u)" -eq 0 ] || command -v sudo >/dev/null 2>&1
}

# Runs a command as root: directly as root, else through sudo. Check
# can_be_root first to say what to do instead.
as_root() {
    if [ "$(id -u)" -eq 0 ]; then
        "$@"
    else
        sudo "$@"
    fi
}

# Installs the Debian packages that are not installed yet, as root or through
# sudo; says plainly what to do when neither is possible.
ensure_packages() {
    local missing=() pkg
    for pkg in "$@"; do
        if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed'; then
            missing+=("$pkg")
        fi
    done
    [ ${#missing[@]} -eq 0 ] && return 0

    if ! can_be_root; then
        echo "quenvale: these Debian packages are missing: ${missing[*]}" >&2
        echo "quenvale: run this script as root, or install sudo, or install them yourself:" >&2
        echo "    apt-get install ${missing[*]}" >&2
        exit 1
    fi
    echo "quenvale: installing ${missing[*]}" >&2
    export DEBIAN_FRONTEND=noninteractive
    with_dpkg_lock_wait as_root apt-get update -qq
    with_dpkg_lock_wait as_root apt-get install -y -qq --no-install-recommends \
        -o DPkg::Lock::Timeout=60 "${missing[@]}"
}

BUILD_PACKAGES=(cmake ninja-build g++ pkg-config python3 gettext)
WINDOW_PACKAGES=(qt6-base-dev qt6-translations-l10n libgl-dev fonts-ipafont-gothic)
TEST_PACKAGES=(libgtest-dev libgmock-dev libbenchmark-dev nlohmann-json3-dev desktop-file-utils libc-bin libxml2-utils)
# The page: Emscripten (which runs its tools with node and needs acorn),
# terser, which minifies the page's scripts, and
# headless Chromium driven by Selenium for its tests and its benchmark, and
# WebKitGTK (Safari's engine) for the same tests on a virtual display; npm
# brings the accessibility checker, pinned by its lock file; the browser tests
# build the Japanese and English locales WebKitGTK takes its language from;
# the printed page is read back with poppler's pdfinfo and pdftotext; Binaryen
# optimises the page's WebAssembly once more, and zopfli compresses it.
WEB_PACKAGES=(emscripten binaryen node-acorn node-terser nodejs python3 chromium chromium-driver
    python3-selenium webkit2gtk-driver xvfb xauth locales poppler-utils zopfli)
# The Debian packages' build, checks, tests against the installed programs
# (autopkgtest, the window on a virtual display, the command line's
# completion) and the second build that must come out the same (faketime,
# diffoscope): scripts/check-package.
PACKAGE_PACKAGES=(dpkg-dev debhelper fakeroot devscripts lintian appstream desktop-file-utils man-db
    autopkgtest xvfb xauth xdotool faketime diffoscope-minimal bash-completion)
CHECK_PACKAGES=(clang libclang-rt-dev clang-tidy "${PACKAGE_PACKAGES[@]}")

# Configures and builds the tree in $1 with the given extra CMake arguments.
build_tree() {
    local dir="$1"
    shift
    cmake -S "$QUENVALE_ROOT" -B "$dir" -G Ninja "$@"
    cmake --build "$dir" -j2
}
