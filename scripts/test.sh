#!/usr/bin/env bash
# Builds the Tarvo tutor with its tests and benchmarks and runs every test.
#   --sanitize   build with AddressSanitizer and UndefinedBehaviorSanitizer
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh

dir=build-test
flags=(-DCMAKE_BUILD_TYPE=RelWithDebInfo)
if [ "${1:-}" = "--sanitize" ]; then
  dir=build-asan
  flags=(-DCMAKE_BUILD_TYPE=Debug -DTARVO_SANITIZE=ON)
fi

# Formatting: every C++ source follows .clang-format.
git ls-files '*.cpp' '*.h' | xargs -r clang-format --dry-run -Werror

cmake -S . -B "$dir" -G Ninja "${flags[@]}"
cmake --build "$dir"
export QT_QPA_PLATFORM=offscreen
ctest --test-dir "$dir" --output-on-failure -j2
