#!/bin/sh
# Runs the libFuzzer target for a while from the seeds in fuzz/corpus. The
# fuzzer's own output, with its long dictionary, goes to build/fuzz/fuzz.log;
# this prints its closing figures, or on a finding the report and the file
# that reproduces it.
#   sh scripts/fuzz.sh [seconds]
set -eu
cd "$(dirname "$0")/.."
seconds=${1:-30}

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz
# What the fuzzer finds goes into a scratch corpus, never into the seeds.
rm -rf build/fuzz/findings
mkdir -p build/fuzz/corpus build/fuzz/findings
log=build/fuzz/fuzz.log
if ./build/fuzz/fuzz/span_fuzz -max_total_time="$seconds" -print_final_stats=1 \
     -artifact_prefix=build/fuzz/findings/ build/fuzz/corpus fuzz/corpus >"$log" 2>&1; then
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
  echo "fuzzer: no finding in ${runs:-?} runs over ${seconds} s (full output: $log)"
else
  echo "fuzzer: a finding. Its report (full output: $log):"
  sed '/Recommended dictionary/,/End of recommended dictionary/d' "$log" | grep -v '^#[0-9]'
  echo "reproduce with: ./build/fuzz/fuzz/span_fuzz $(ls build/fuzz/findings/* 2>/dev/null | head -n 1)"
  exit 1
fi
