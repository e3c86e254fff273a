#!/usr/bin/env bash
# Builds an optimised Korvani and starts the editor: ./run.sh [drawing.xml]
set -euo pipefail
cd "$(dirname "$0")"
. scripts/deps.sh
korvani_install_missing
korvani_private_runtime_dir

build=build/release
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DKORVANI_TESTS=OFF >/dev/null
cmake --build "$build" -j"$(nproc)"

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  echo "korvani: no display found (DISPLAY is not set); start it in a desktop session, or under Xvfb: xvfb-run -a ./run.sh" >&2
  exit 1
fi
exec "$build/korvani" "$@"
