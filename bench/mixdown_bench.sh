#!/usr/bin/env bash
# Mixdown speed: renders a 60-second 44.1 kHz stereo file under Wine through
# an empty patch and through all four effects switched on, and in the same
# run times a plain cp of the file and sox's nearest effect chain on it.
#   bench/mixdown_bench.sh [BUILD_TREE]   (default: the tree the Wine tests run)
# Brings up the Wine test bed itself when it is not already inside one.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/scripts/wine-arch.sh"
tree=${1:-build/$QBX_TEST_BUILD}
if [ -z "${QBX_BED:-}" ]; then
  exec "$root/scripts/testbed.sh" run --no-audio -- "$0" "$tree"
fi
cd "$root"
exe="$tree/bin/mixdown_bench.exe"
[ -f "$exe" ] || { echo "mixdown_bench: build $tree first (scripts/build.sh)" >&2; exit 1; }

work=$(mktemp -d /tmp/qbx-bench.XXXXXX)
trap 'rm -rf "$work"' EXIT
sox -n -r 44100 -c 2 -b 16 "$work/in.wav" synth 60 sine 220 sine 331 gain -6
repeats=5

# Best of $repeats wall-clock runs of a command, in seconds.
best_of() {
  local best=""
  for _ in $(seq "$repeats"); do
    local t0 t1
    t0=$(date +%s%N)
    "$@" >/dev/null 2>&1
    t1=$(date +%s%N)
    local t=$(( t1 - t0 ))
    if [ -z "$best" ] || [ "$t" -lt "$best" ]; then best=$t; fi
  done
  awk -v ns="$best" 'BEGIN { printf "%.3f", ns / 1e9 }'
}

echo "source: 60 s, 44100 Hz, 16-bit stereo, $(stat -c %s "$work/in.wav") bytes"
echo "cp:              best $(best_of cp "$work/in.wav" "$work/copy.wav") s"
echo "sox chain:       best $(best_of sox -R -D "$work/in.wav" -b 16 "$work/sox.wav" phaser 0.8 0.74 3 0.4 0.5 -s \
  flanger 0 2 0 71 0.5 sine 50 lin chorus 0.7 0.9 55 0.4 0.25 2 -s echos 0.8 0.7 300 0.3 300 0.25) s"
win_in="Z:${work//\//\\}\\in.wav"
win_out="Z:${work//\//\\}\\out.wav"
for mode in empty four; do
  "$QBX_WINE" "$exe" "$win_in" "$win_out" "$mode" "$repeats"
  echo "  whole process (Wine start-up included): best $(best_of "$QBX_WINE" "$exe" "$win_in" "$win_out" "$mode" 1) s"
done
