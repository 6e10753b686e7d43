#!/usr/bin/env bash
# Configures (once) and builds everything into build/ with Ninja and ccache.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
[ -f build/build.ninja ] || cmake -S . -B build -G Ninja -DBEHEER_BENCH=ON >/dev/null
cmake --build build -- -j"$(nproc)"
