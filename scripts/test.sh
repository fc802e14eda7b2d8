#!/usr/bin/env bash
# The test command: installs every dependency (Debian 12, as root or through sudo), builds the native
# VekSetup with AddressSanitizer and UBSan and VekSetup.exe with the i686 MinGW-w64 cross compiler, and
# runs every test with ctest: the unit tests, the fuzz seeds, and every scenario run by both builds
# (VekSetup.exe under Wine) and compared. Without a working Wine it fails: the comparison is the point.
#
#   bash scripts/test.sh            build folders build/ and build-win32/ beside this checkout's sources
#   BUILD_DIR=... BUILD_WIN32_DIR=... JOBS=... bash scripts/test.sh
set -euo pipefail

cd "$(dirname "${BASH_SOURCE[0]}")/.."
source_dir=$PWD
build_dir=${BUILD_DIR:-$source_dir/build}
build_win32_dir=${BUILD_WIN32_DIR:-$source_dir/build-win32}
jobs=${JOBS:-2}

packages=(cmake make g++ googletest libgtest-dev libgmock-dev libbenchmark-dev python3
          wine wine64 wine32:i386 g++-mingw-w64-i686)

say() { printf '\n==== %s\n' "$*"; }
die() {
    printf '\n!!!! %s\n' "$*" >&2
    exit 1
}

check_wine() {
    local package
    for package in wine wine64 wine32:i386; do
        dpkg-query -W -f='${Status}\n' "$package" 2>/dev/null | grep -q '^install ok installed$' ||
            die "WINE IS NOT INSTALLED ($package is missing): the scenarios cannot compare VekSetup.exe with the native build. Failing."
    done
    wine --version >/dev/null 2>&1 || die "WINE DOES NOT RUN ('wine --version' failed): the scenarios cannot compare VekSetup.exe with the native build. Failing."
    say "$(wine --version) is installed"
}

bash scripts/install-packages.sh "${packages[@]}" || die "could not install the packages the tests need"
check_wine

say "building VekSetup.exe (i686 MinGW-w64) in $build_win32_dir"
cmake -S "$source_dir" -B "$build_win32_dir" -DCMAKE_TOOLCHAIN_FILE="$source_dir/cmake/mingw-i686.cmake" \
    -DCMAKE_BUILD_TYPE=Release
cmake --build "$build_win32_dir" -j "$jobs"
[ -f "$build_win32_dir/VekSetup.exe" ] || die "the cross build made no $build_win32_dir/VekSetup.exe"

say "building the native VekSetup and the tests (AddressSanitizer, UBSan) in $build_dir"
cmake -S "$source_dir" -B "$build_dir" -DVEKSETUP_SANITIZE=ON -DVEKSETUP_WIN32_EXE="$build_win32_dir/VekSetup.exe"
cmake --build "$build_dir" -j "$jobs"

say "running every test"
ctest --test-dir "$build_dir" -j "$jobs" --output-on-failure
