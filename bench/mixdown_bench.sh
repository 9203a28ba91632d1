#!/usr/bin/env bash
# Mixdown speed under Wine, on 44.1 kHz stereo files of 10 and 60 minutes.
# For each length, in the same run: a plain cp of the file, sox's nearest
# effect chain, the renderer's loop alone (mixdown_bench.exe: PrepareMixdown
# to the closed file) and the whole Mixdown through the real program
# (mixdown_program_bench.exe: the Save dialog's OK to the finished file under
# the target's name), each through an empty patch and all four effects, left
# alone and again with a hand at work (the pointer circling over the Progress
# dialog, a key held down) with its ratio to the render left alone; and
# the render's posted-message traffic alone, one step per block with nothing
# rendered, the floor under any render that posts a step per block.
# Prints the median (and best) of REPEATS runs of each, the ratios against
# sox and cp, and the machine's load before and after.
#   bench/mixdown_bench.sh [BUILD_TREE] [REPEATS] [MINUTES...]
#   (defaults: the tree the Wine tests run, 3 repeats, 10 and 60 minutes)
# QBX_BENCH_BIN=FOLDER times the qbx15.exe and mixdown_bench.exe of another
# built folder (an older build, say) with this tree's program driver.
# Brings up the Wine test bed itself when it is not already inside one.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/scripts/wine-arch.sh"
tree=${1:-build/$QBX_TEST_BUILD}
if [ -z "${QBX_BED:-}" ]; then
  exec "$root/scripts/testbed.sh" run -- "$0" "$@"
fi
cd "$root"
repeats=${2:-3}
shift $(( $# > 2 ? 2 : $# )) || true
minutes=("$@")
[ ${#minutes[@]} -gt 0 ] || minutes=(10 60)
bin=${QBX_BENCH_BIN:-$tree/bin}
driver="$tree/bin/mixdown_program_bench.exe"
for f in "$bin/mixdown_bench.exe" "$bin/qbx15.exe" "$driver"; do
  [ -f "$f" ] || { echo "mixdown_bench: $f missing: build $tree first (scripts/build.sh)" >&2; exit 1; }
done
bin=$(cd "$bin" && pwd)

work=$(mktemp -d /tmp/qbx-bench.XXXXXX)
trap 'rm -rf "$work"' EXIT
winpath() { echo "Z:${1//\//\\}"; }

# Median of $repeats wall-clock runs of a command, in seconds.
median_of() {
  local times=()
  for _ in $(seq "$repeats"); do
    local t0 t1
    t0=$(date +%s%N)
    "$@" >/dev/null 2>&1
    t1=$(date +%s%N)
    times+=($(( t1 - t0 )))
  done
  printf '%s\n' "${times[@]}" | sort -n | awk '{ a[NR] = $1 } END { printf "%.3f", a[int((NR + 1) / 2)] / 1e9 }'
}
# The median figure of a line "... best X s, median Y s ..." of the Windows benches.
median_in() { sed -n 's/.*median \([0-9.]*\) s.*/\1/p' | tail -1; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }

echo "load before: $(cut -d' ' -f1-3 /proc/loadavg) on $(nproc) cores; $repeats runs of each, medians"
for m in "${minutes[@]}"; do
  in="$work/in.wav"
  sox -n -r 44100 -c 2 -b 16 "$in" synth $(( m * 60 )) sine 220 sine 331 gain -6
  echo "== $m minutes: $(stat -c %s "$in") bytes"
  cp_s=$(median_of cp "$in" "$work/copy.wav"); rm -f "$work/copy.wav"
  sox_s=$(median_of sox -R -D "$in" -b 16 "$work/sox.wav" phaser 0.8 0.74 3 0.4 0.5 -s \
    flanger 0 2 0 71 0.5 sine 50 lin chorus 0.7 0.9 55 0.4 0.25 2 -s echos 0.8 0.7 300 0.3 300 0.25)
  rm -f "$work/sox.wav"
  printf '  %-28s %8s s\n' "cp" "$cp_s" "sox chain" "$sox_s"
  steps=$("$QBX_WINE" "$bin/mixdown_bench.exe" "$(winpath "$in")" "$(winpath "$work/out.wav")" steps "$repeats" \
    2>/dev/null | tr -d '\r' | median_in || true)
  printf '  %-28s %8s s\n' "posted steps alone" "${steps:-FAILED}"
  [ -z "$steps" ] || echo "    one posted WM_MIXDOWN_STEP per block, nothing rendered: $(ratio "$steps" "$cp_s") x cp's time"
  for mode in empty four; do
    loop=$("$QBX_WINE" "$bin/mixdown_bench.exe" "$(winpath "$in")" "$(winpath "$work/out.wav")" "$mode" "$repeats" \
      2>/dev/null | tr -d '\r' | median_in || true)
    rm -f "$work/out.wav"
    line=$("$QBX_WINE" "$driver" "$(winpath "$bin")" "$(winpath "$in")" "$(winpath "$work/target.wav")" "$mode" \
      "$repeats" 2>/dev/null | tr -d '\r' | grep '^program' || true)
    prog=$(echo "$line" | median_in)
    rm -f "$work/target.wav"
    printf '  %-28s %8s s\n' "renderer loop, $mode" "${loop:-FAILED}" "program Mixdown, $mode" "${prog:-FAILED}"
    echo "    $(echo "$line" | sed -n 's/.*(medians: \(.*\))/\1/p')"
    # The same Mixdown with a hand at work all the while.
    for hand in pointer key; do
      moving=$("$QBX_WINE" "$driver" "$(winpath "$bin")" "$(winpath "$in")" "$(winpath "$work/target.wav")" "$mode" \
        "$repeats" "$hand" 2>/dev/null | tr -d '\r' | grep '^program' | median_in || true)
      rm -f "$work/target.wav"
      label="program Mixdown, $mode, $hand"
      [ "$hand" = pointer ] && label="program Mixdown, $mode, moving pointer"
      [ "$hand" = key ] && label="program Mixdown, $mode, key held"
      printf '  %-28s %8s s' "$label" "${moving:-FAILED}"
      [ -n "$moving" ] && [ -n "$prog" ] && printf '   (%s x left alone)' "$(ratio "$moving" "$prog")"
      echo
    done
    [ -n "$loop" ] && [ -n "$prog" ] || continue
    if [ "$mode" = empty ]; then
      echo "    empty patch against cp: loop $(ratio "$loop" "$cp_s") x cp's time, program $(ratio "$prog" "$cp_s") x"
    else
      echo "    four effects, speed against sox: loop $(ratio "$sox_s" "$loop") x, program $(ratio "$sox_s" "$prog") x"
      echo "    per minute of sound: loop $(ratio "$loop" "$m") s, program $(ratio "$prog" "$m") s, sox $(ratio "$sox_s" "$m") s"
    fi
  done
  rm -f "$in"
done
echo "load after: $(cut -d' ' -f1-3 /proc/loadavg)"
