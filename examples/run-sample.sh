#!/usr/bin/env bash
# Builds the native VekSetup and runs it on a sample Wine-style prefix: three installed IDEs (Delphi 7,
# Delphi XE2, C++Builder 6) and a product in C:\Vek; an install, then an uninstall, each followed by
# what it changed in the registry and the files. Installs what the build needs first (Debian 12).
#
#   bash examples/run-sample.sh          build folder build/, prefix build/sample-prefix
set -euo pipefail

cd "$(dirname "${BASH_SOURCE[0]}")/.."
build_dir=${BUILD_DIR:-$PWD/build}
jobs=${JOBS:-2}

bash scripts/install-packages.sh cmake make g++ googletest libgtest-dev libgmock-dev libbenchmark-dev python3
cmake -S . -B "$build_dir"
cmake --build "$build_dir" -j "$jobs" --target VekSetup vekreg
python3 examples/sample_prefix.py --native "$build_dir/VekSetup" --vekreg "$build_dir/tests/scenarios/tools/vekreg" \
    --prefix "$build_dir/sample-prefix"
