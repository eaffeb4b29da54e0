#!/usr/bin/env bash
# One-command set-up for a fresh Debian or Ubuntu machine.
#   ./setup.sh run   install what is missing, build, open the calculator
#   ./setup.sh test  install what is missing, build, run the whole test suite
set -euo pipefail
cd "$(dirname "$0")"

packages=(build-essential cmake qt6-base-dev qt6-charts-dev libqt6opengl6-dev libgtest-dev
          libgmock-dev libbenchmark-dev libcli11-dev nlohmann-json3-dev clang clang-format
          libclang-rt-dev xvfb xauth
          fonts-dejavu-core fonts-noto-mono libxcb-damage0-dev poppler-utils desktop-file-utils
          appstream lintian dpkg-dev file ccache)

install_missing() {
    local missing=()
    for p in "${packages[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    local sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    $sudo apt-get update -q
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
}

jobs=$(nproc 2>/dev/null || echo 2)
# The build compiles through ccache when it is installed; paths relative to this clone let a
# fresh clone elsewhere on the machine reuse what an earlier one compiled.
export CCACHE_BASEDIR="${CCACHE_BASEDIR:-$PWD}"

build() { # preset
    cmake --preset "$1" >/dev/null
    cmake --build --preset "$1" -j "$jobs"
}

run_calculator() {
    build release
    if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
        exec build/bin/ferrolux
    fi
    echo "No display found (DISPLAY and WAYLAND_DISPLAY are unset), so the window cannot open."
    echo "Here is the worked example's report from the command-line tool instead:"
    echo
    build/bin/ferrolux-report --example
}

passed=0

# Runs one CTest preset and adds its test count to `passed` (a failure ends the script).
run_ctest() { # preset
    local log
    log=$(mktemp)
    ctest --preset "$1" | tee "$log"
    passed=$((passed + $(grep -Eo 'tests failed out of [0-9]+' "$log" | grep -Eo '[0-9]+$')))
    rm -f "$log"
}

# Every tracked C++ file as .clang-format lays it out; fast, so it runs first.
check_format() {
    echo "== Formatting (clang-format)"
    git ls-files -z '*.cpp' '*.h' | xargs -0 clang-format --dry-run -Werror
}

# Builds the Debian package from the ci build; checks that it holds every installed part and
# that its desktop entry, AppStream data and the package itself pass their validators.
check_package() {
    local deb listing unpacked part
    (cd build && cpack -G DEB >/dev/null)
    deb=$(ls build/ferrolux_*_amd64.deb)
    listing=$(dpkg-deb -c "$deb")
    for part in usr/bin/ferrolux usr/bin/ferrolux-report usr/share/ferrolux/Transformer-1.jpg \
                usr/share/ferrolux/Transformer-4.jpg usr/share/applications/org.ferrolux.Ferrolux.desktop \
                usr/share/icons/hicolor/48x48/apps/ferrolux.png \
                usr/share/metainfo/org.ferrolux.Ferrolux.metainfo.xml \
                usr/share/man/man1/ferrolux-report.1.gz usr/share/doc/ferrolux/copyright; do
        grep -q " \./$part\$" <<<"$listing" || { echo "$deb lacks $part" >&2; exit 1; }
    done
    unpacked=$(mktemp -d)
    dpkg-deb -x "$deb" "$unpacked"
    local desktop_problems
    desktop_problems=$(desktop-file-validate "$unpacked"/usr/share/applications/*.desktop)
    [ -z "$desktop_problems" ] || { echo "$desktop_problems" >&2; exit 1; }
    appstreamcli validate --no-net "$unpacked"/usr/share/metainfo/*.metainfo.xml
    rm -rf "$unpacked"
    lintian --fail-on error "$deb"
    echo "$deb: contents, desktop entry, AppStream data and lintian checked"
    passed=$((passed + 1))
}

run_tests() {
    check_format
    echo "== Release build, warnings as errors, all tests"
    build ci
    run_ctest ci
    echo "== Debian package"
    check_package
    echo "== AddressSanitizer + UndefinedBehaviorSanitizer build, all tests"
    build sanitize
    run_ctest sanitize
    echo "== Fuzz smoke runs (${FUZZ_SECONDS:-20} s per target)"
    build fuzz
    fuzz/run_smoke.sh build-fuzz/bin "${FUZZ_SECONDS:-20}"
    passed=$((passed + $(ls fuzz/corpus | wc -l)))
    echo
    echo "summary: $passed passed, 0 failed"
}

case "${1:-}" in
    run) install_missing; run_calculator ;;
    test) install_missing; run_tests ;;
    *) echo "usage: $0 run|test" >&2; exit 2 ;;
esac
