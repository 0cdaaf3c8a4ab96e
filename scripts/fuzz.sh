#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for a short fixed time
# on a copy of its committed seed corpus (tests/fuzz/corpus/<target>).
#   FUZZ_SECONDS   seconds per target (default 20)
# A crash fails the command; libFuzzer leaves the input as crash-* in the
# current folder: add it to the target's corpus as a regression input.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${FUZZ_SECONDS:-20}"
dir=build-fuzz

cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
  -DTARVO_BUILD_FUZZ=ON -DTARVO_BUILD_TESTS=ON -DTARVO_BUILD_BENCH=OFF >/dev/null
targets=()
for corpus in tests/fuzz/corpus/*/; do
  targets+=("fuzz_$(basename "$corpus")")
done
cmake --build "$dir" --target "${targets[@]}"

export QT_QPA_PLATFORM=offscreen
root=$(pwd)
mkdir -p "$dir/findings"
for t in "${targets[@]}"; do
  work=$(mktemp -d)
  mkdir "$work/corpus"
  cp -r "tests/fuzz/corpus/${t#fuzz_}/." "$work/corpus/"
  if ! (cd "$work" && "$root/$dir/tests/fuzz/$t" -max_total_time="$seconds" \
          -print_final_stats=1 corpus >log 2>&1); then
    tail -n 40 "$work/log"
    cp "$work"/crash-* "$work"/leak-* "$work"/timeout-* "$root/$dir/findings/" 2>/dev/null || true
    echo "== $t found a fault; its input is in $dir/findings/" >&2
    exit 1
  fi
  echo "== $t: $(grep -m1 -o 'number_of_executed_units: *[0-9]*' "$work/log") in ${seconds} s"
  rm -rf "$work"
done
echo "== fuzzing: no finding"
