#!/usr/bin/env bash
# Renders each effect at its start-up and extreme settings into WAV files
# and sox spectrogram PNGs under build/render/.
#   bench/dsp/render_sonograms.sh
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
cd "$root"
out="$root/build/render"
mkdir -p "$out"
cmake -S "$root" -B build/bench -DCMAKE_BUILD_TYPE=Release -DQBX_SANITIZE=OFF -DBUILD_TESTING=OFF \
  >build/bench.configure.log
cmake --build build/bench -j "$(nproc)" --target qbx_dsp_render >/dev/null
build/bench/bench/dsp/qbx_dsp_render "$out"
for wav in "$out"/*.wav; do
  sox "$wav" -n spectrogram -t "$(basename "$wav" .wav)" -o "${wav%.wav}.png"
done
echo "spectrograms in $out"
