#!/usr/bin/env bash
# Installs what is missing, builds Gonilux and opens it on the bundled sample library.
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release -DGONILUX_BUILD_TESTS=OFF \
      -DGONILUX_BUILD_BENCH=OFF > build.log 2>&1 || { cat build.log; exit 1; }
cmake --build build -j"$(nproc)"
if [[ -x build/apps/gonilux/gonilux ]]; then
  exec build/apps/gonilux/gonilux "$@" "$PWD/samples"
fi
exec build/apps/gonilux-cli/gonilux-cli info "$PWD"/samples/*.ies
