#!/usr/bin/env bash
# Builds the fuzz targets with clang (ASan + UBSan) and runs each for a fixed
# time from its committed corpus. Any finding fails the run, with the input
# that caused it printed. Usage: fuzz/run.sh [SECONDS_PER_TARGET] [TARGET...]
# (targets: map settings bindings replay save game; default all, 60 s each).
# New inputs the fuzzer finds go to build-fuzz/corpus/TARGET, not into git.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-60}
shift || true
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  targets=(map settings bindings replay save game)
fi

cmake -S . -B build-fuzz -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DVANTOREL_FUZZ=ON -DVANTOREL_ASSETS=OFF -DVANTOREL_BENCH=OFF > /dev/null
cmake --build build-fuzz -j2 --target "${targets[@]/#/fuzz_}"

status=0
for t in "${targets[@]}"; do
  work=build-fuzz/corpus/$t
  findings=build-fuzz/findings/$t
  mkdir -p "$work" "$findings"
  dict=()
  if [ -f "fuzz/dict/$t.dict" ]; then dict=(-dict="fuzz/dict/$t.dict"); fi
  seeds=("fuzz/corpus/$t")
  if [ "$t" = map ]; then seeds+=(build-fuzz/generated/maps); fi  # the built-in maps as the game loads them
  echo "== fuzz_$t for ${seconds} s"
  # -timeout: one input may take 10 s (a map load must finish in a second or two
  # even under the sanitizers); -rss_limit_mb: the largest map grid allowed is 250 MB.
  if ! ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
       "build-fuzz/fuzz/fuzz_$t" "$work" "${seeds[@]}" "${dict[@]}" \
       -max_total_time="$seconds" -timeout=10 -rss_limit_mb=3072 -print_final_stats=1 \
       -artifact_prefix="$findings/" 2> "build-fuzz/fuzz_$t.log"; then
    status=1
    tail -n 60 "build-fuzz/fuzz_$t.log"
    for f in "$findings"/*; do
      [ -f "$f" ] || continue
      echo "-- reproducer $f ($(wc -c < "$f") bytes):"
      head -c 4096 "$f" | od -A d -c | head -n 40
    done
  fi
  grep -E '^(#[0-9]+ +DONE|Done [0-9]+ runs)|stat::number_of_executed_units|stat::peak_rss' "build-fuzz/fuzz_$t.log" || true
  grep -E '^#[0-9]+' "build-fuzz/fuzz_$t.log" | tail -n 1 || true
done
exit $status
