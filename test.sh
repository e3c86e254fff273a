#!/usr/bin/env bash
# Builds Korvani with AddressSanitizer and UndefinedBehaviorSanitizer and runs
# every test headless. Installs missing Debian packages first.
set -euo pipefail
cd "$(dirname "$0")"
. scripts/deps.sh
korvani_install_missing
korvani_german_locale
korvani_private_runtime_dir

build=build/test
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DKORVANI_SANITIZE=ON -DKORVANI_TESTS=ON \
  -DCMAKE_CXX_FLAGS="-O1 -g" >/dev/null
cmake --build "$build" -j"$(nproc)"
export QT_QPA_PLATFORM=offscreen
ctest --test-dir "$build" --output-on-failure -j"$(nproc)" "$@"
