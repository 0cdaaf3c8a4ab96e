#!/usr/bin/env bash
# Builds the Tarvo tutor with its tests and benchmarks and runs every test:
# the release build, the widget-free tests under the sanitizers, and a short
# fuzzing run of every file reader.
#   --sanitize   only: build everything, windows too, with the sanitizers
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh

# Formatting: every C++ source follows .clang-format.
git ls-files '*.cpp' '*.h' | xargs -r clang-format --dry-run -Werror

export QT_QPA_PLATFORM=offscreen

if [ "${1:-}" = "--sanitize" ]; then
  # Everything, windows too, under AddressSanitizer and UndefinedBehaviorSanitizer.
  cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTARVO_SANITIZE=ON \
    -DTARVO_REQUIRE_STROKE_DATA=ON
  cmake --build build-asan
  ctest --test-dir build-asan --output-on-failure -j2
  exit
fi

# Every test on the release build.
cmake -S . -B build-test -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTARVO_REQUIRE_STROKE_DATA=ON
cmake --build build-test
ctest --test-dir build-test --output-on-failure -j2

# Memory safety: the widget-free tests under AddressSanitizer and
# UndefinedBehaviorSanitizer (any report fails the test). The data
# regeneration tests (label data) are not among them.
cmake -S . -B build-asan-core -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTARVO_SANITIZE=ON \
  -DTARVO_BUILD_BENCH=OFF
cmake --build build-asan-core --target core_tests
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir build-asan-core --output-on-failure -j2 -L core

# Each file reader under libFuzzer for a short time on its seed corpus.
./scripts/fuzz.sh
