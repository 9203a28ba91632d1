#!/usr/bin/env bash
# Builds and runs the effects benchmark natively (optimised, no sanitizers;
# it times sox on the same file in the same run) and the Windows build of the
# same loop under Wine, then times sox once more beside the Wine figures.
#   bench/dsp/run_bench.sh
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
cd "$root"
. scripts/wine-arch.sh
work="$root/build/bench-out"
mkdir -p "$work"

cmake -S "$root" -B build/bench -DCMAKE_BUILD_TYPE=Release -DQBX_SANITIZE=OFF -DBUILD_TESTING=OFF \
  >build/bench.configure.log
cmake --build build/bench -j "$(nproc)" --target qbx_dsp_bench >/dev/null
echo "== native ($(uname -m))"
build/bench/bench/dsp/qbx_dsp_bench "$work"

scripts/build.sh "$QBX_TEST_BUILD" >/dev/null
echo "== Windows $QBX_WINE_ARCH build under Wine"
scripts/testbed.sh run --no-audio -- bash -c "cd '$work' && \$QBX_WINE '$root/build/$QBX_TEST_BUILD/bin/qbx_dsp_bench.exe' ." \
  2>/dev/null | tr -d '\r'
start=$(date +%s.%N)
sox -R -D "$work/bench_in.wav" -b 16 "$work/bench_sox.wav" phaser 0.8 0.74 3 0.4 0.5 -s flanger 0 2 0 71 0.5 sine 50 lin \
  chorus 0.7 0.9 55 0.4 0.25 2 -s echos 0.8 0.7 300 0.3 300 0.25 2>/dev/null
end=$(date +%s.%N)
echo "  sox beside it: $(echo "60 / ($end - $start)" | bc -l | xargs printf '%.0f') x real time"
