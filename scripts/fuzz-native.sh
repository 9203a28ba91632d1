#!/usr/bin/env bash
# Builds the libFuzzer harnesses of tests/fuzz/ with clang under ASan and
# UBSan and runs each for SECONDS (default 60) from a fixed seed, keeping
# its corpus under build/fuzz-native/. A harness that fails leaves its
# crashing input there and makes the script fail.
#   scripts/fuzz-native.sh [SECONDS] [HARNESS...]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
seconds=${1:-60}
shift || true
all=(display_number wav_format mixdown_layout knob_mapping)
[ $# -gt 0 ] && all=("$@")

sources_of() {
  case "$1" in
    display_number) echo model/display_number.cpp ;;
    wav_format) echo audio/wav_format.cpp ;;
    mixdown_layout) echo audio/mixdown_layout.cpp ;;
    knob_mapping) echo model/effect_parameters.cpp model/display_number.cpp model/effects.cpp model/effect_ranges.cpp ;;
    *) echo "fuzz-native: unknown harness '$1'" >&2; exit 2 ;;
  esac
}

out="$root/build/fuzz-native"
mkdir -p "$out"
flags=(-std=c++17 -g -O1 -I"$root" -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all
       -fno-omit-frame-pointer -Wall -Wextra -Wno-unused-parameter)
status=0
for name in "${all[@]}"; do
  # shellcheck disable=SC2046
  clang++ "${flags[@]}" "tests/fuzz/${name}_fuzz.cpp" tests/fuzz/fuzz_property.cpp $(sources_of "$name") \
    -o "$out/$name"
  mkdir -p "$out/corpus/$name" "$out/crashes/$name"
  echo "== $name: ${seconds} s"
  start=$(date +%s)
  if "$out/$name" -seed=1 -max_total_time="$seconds" -print_final_stats=1 -max_len=1024 \
       -artifact_prefix="$out/crashes/$name/" "$out/corpus/$name" >"$out/$name.log" 2>&1; then
    result=ok
  else
    result=FAILED
    status=1
  fi
  runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$out/$name.log" | grep -o '[0-9]*$' || echo "?")
  cover=$(grep -o 'cov: [0-9]*' "$out/$name.log" | tail -1 || true)
  echo "$name: $result after $(( $(date +%s) - start )) s, $runs runs, $cover, corpus $(ls "$out/corpus/$name" | wc -l) inputs"
  [ "$result" = ok ] || tail -30 "$out/$name.log"
done
exit "$status"
