#!/usr/bin/env bash
# The long run of the WAV fuzzer under Wine, in a test bed of its own: the
# full field sweeps (every channel count and bits-per-sample value, rates
# spread over the whole 32-bit range) and random mutations after them.
#   scripts/fuzz-long.sh [CHECK_CASES] [PLAY_CASES] [SEED] [sweeps|nosweeps] [REAL_BOX_EVERY]
# Every box of the long run is a real one, unless REAL_BOX_EVERY (1 unless
# given) asks for one case in that many to show its boxes for real and the
# stand-in to read the others where the code asks for them, as the CI run
# does with 16, which is about four times as fast.
# The source check's four shards and the player's two run in two processes
# side by side (a case mostly waits on the Wine server, so two keep both
# cores busy). Builds the win64 tree first. Prints the figures of every
# shard and every finding; exits non-zero on any.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
check=${1:-500000}
play=${2:-20000}
seed=${3:-20261208}
sweeps=--fuzz-full-sweeps
[ "${4:-sweeps}" = nosweeps ] && sweeps=
real_box_every=${5:-1}
. scripts/wine-arch.sh
scripts/build.sh "$QBX_TEST_BUILD" >/dev/null
logs=$(mktemp -d /tmp/qbx-fuzz-long.XXXXXX)
start=$(date +%s)
status=0
scripts/testbed.sh run -- bash -c "
  exe=build/$QBX_TEST_BUILD/bin/qbx_wav_fuzz.exe
  args='$sweeps --fuzz-real-box-every=$real_box_every --fuzz-seed=$seed --fuzz-check-cases=$check --fuzz-play-cases=$play'
  \$QBX_WINE \$exe \$args --gtest_filter='Shard/WavFuzzCheck.*/0:Shard/WavFuzzCheck.*/1:Shard/WavFuzzPlay.*/0' \
    >$logs/a.log 2>&1 & a=\$!
  \$QBX_WINE \$exe \$args --gtest_filter='Shard/WavFuzzCheck.*/2:Shard/WavFuzzCheck.*/3:Shard/WavFuzzPlay.*/1' \
    >$logs/b.log 2>&1 & b=\$!
  rc=0
  wait \$a || rc=1
  wait \$b || rc=1
  exit \$rc" || status=$?
cat "$logs/a.log" "$logs/b.log"
echo "fuzz-long: $check check cases and $play play cases from seed $seed in $(( $(date +%s) - start )) s (logs in $logs)"
[ "$status" -eq 0 ] || { echo "fuzz-long: FAILED" >&2; exit 1; }
