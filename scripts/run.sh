#!/usr/bin/env bash
# Builds the Tarvo tutor and starts it from its program folder.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTARVO_BUILD_TESTS=OFF -DTARVO_BUILD_BENCH=OFF
cmake --build build --target tarvo
exec ./build/program/tarvo "$@"
