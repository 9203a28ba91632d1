#!/usr/bin/env bash
# The long run of the WAV fuzzer under Wine, in a test bed of its own: the
# full field sweeps (every channel count and bits-per-sample value, rates
# spread over the whole 32-bit range) and random mutations after them.
#   scripts/fuzz-long.sh [CHECK_CASES] [PLAY_CASES] [SEED] [sweeps|nosweeps]
# Builds the win64 tree first. Prints the figures of both runs and every
# finding; exits non-zero on any.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
check=${1:-500000}
play=${2:-20000}
seed=${3:-20261208}
sweeps=--fuzz-full-sweeps
[ "${4:-sweeps}" = nosweeps ] && sweeps=
. scripts/wine-arch.sh
scripts/build.sh "$QBX_TEST_BUILD" >/dev/null
start=$(date +%s)
scripts/testbed.sh run -- bash -c "\$QBX_WINE build/$QBX_TEST_BUILD/bin/qbx_wav_fuzz.exe --gtest_filter=WavFuzz.* \
  $sweeps --fuzz-seed=$seed --fuzz-check-cases=$check --fuzz-play-cases=$play"
echo "fuzz-long: $check check cases and $play play cases from seed $seed in $(( $(date +%s) - start )) s"
