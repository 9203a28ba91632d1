#!/usr/bin/env bash
# Sets up what is missing, builds everything and runs every test: the host
# unit tests, the binary checks, and the Windows tests under Wine with Xvfb
# and PulseAudio; each group is a test preset of CMakePresets.json. Ends
# with 'N passed, N failed'; exits non-zero on any failure.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

# Each step's wall time, printed as it ends and again in the summary.
step_start=$SECONDS
timings=()
timed() {
  local took=$((SECONDS - step_start))
  timings+=("$1 ${took}s")
  echo "== $1 took ${took} s"
  step_start=$SECONDS
}

scripts/install-deps.sh
. scripts/wine-arch.sh
trees=(host "$QBX_TEST_BUILD")
scripts/build.sh "${trees[@]}"
# Where the tests run the x86_64 build, the 32-bit one is only checked with
# objdump: the shipped binaries and the archives are all it needs, with the
# sample program whose manifest that check must refuse.
if [ "$QBX_TEST_BUILD" != win32 ]; then
  QBX_BUILD_TARGET=dist scripts/build.sh win32
  QBX_BUILD_TARGET=qbx_manifest_sample scripts/build.sh win32
  trees+=("win32 (shipped binaries)")
fi
timed "set-up and builds (${trees[*]})"

# In CI the WAV fuzzer shows one case's message boxes in 16 for real and
# has the stand-in read the others, each reading held against the real
# boxes (tests/wine/fuzz): a real box costs Wine 10 to 40 ms, most of a
# case's time. Elsewhere, and in scripts/fuzz-long.sh, every box is real.
if [ "${CI:-}" = true ]; then
  export QBX_FUZZ_REAL_BOX_EVERY=16
fi

reports="$root/build/reports"
rm -rf "$reports"
mkdir -p "$reports"
status=0

echo "== host tests"
ctest --preset host --output-junit "$reports/host.xml" || status=1
timed host

# The Wine tests run in two lanes side by side, each lane's test beds one
# after the other. A bed is a world of its own (its Wine prefix and server,
# X display and sound server), so the lanes cannot see each other's windows,
# pointer or sound. The lanes are balanced by the beds' measured times: the
# end-to-end tests, which run one at a time and mostly wait on the program,
# beside the other Wine tests, which keep both cores busy.
bed() {  # bed NAME TESTBED-OPTIONS... -- COMMAND...
  local name=$1 began=$SECONDS rc=0
  shift
  echo "== $name"
  scripts/testbed.sh run "$@" || rc=1
  echo "$name $((SECONDS - began))s" >>"$reports/bed-times"
  echo "== $name took $((SECONDS - began)) s (exit $rc)"
  return "$rc"
}
bed_preset() {  # bed_preset NAME PRESET [TESTBED-OPTIONS...]
  local name=$1 preset=$2
  shift 2
  bed "$name" "$@" -- ctest --preset "$preset" --output-junit "$reports/$name.xml"
}
faults_bed() {  # faults_bed NAME CTEST-SELECTION...
  local name=$1
  shift
  bed "$name" -- tests/wine/faults/bed_agent.sh ctest --preset "$QBX_TEST_BUILD-faults" "$@" \
    --output-junit "$reports/$name.xml"
}
lane_one() {
  local rc=0
  bed_preset "wine-$QBX_WINE_ARCH" "$QBX_TEST_BUILD-wine" || rc=1
  faults_bed "wine-faults-$QBX_WINE_ARCH" -E LoadTest || rc=1
  return "$rc"
}
lane_two() {
  local rc=0
  bed_preset "e2e-$QBX_WINE_ARCH" "$QBX_TEST_BUILD-e2e" || rc=1
  faults_bed "wine-load-$QBX_WINE_ARCH" -R LoadTest || rc=1
  bed_preset "dist-$QBX_WINE_ARCH" "$QBX_TEST_BUILD-dist" || rc=1
  bed_preset "wine-noaudio-$QBX_WINE_ARCH" "$QBX_TEST_BUILD-noaudio" --no-audio || rc=1
  bed_preset "wine-depth8-$QBX_WINE_ARCH" "$QBX_TEST_BUILD-depth8" --depth 8 || rc=1
  return "$rc"
}

# Each lane in a process group of its own, so that an interrupted run takes
# both lanes down with their beds (each bed's own trap stops its servers).
lane_pids=()
stop_lanes() {
  local pid
  for pid in "${lane_pids[@]}"; do kill -TERM -- "-$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
}
trap stop_lanes EXIT
trap 'exit 130' INT TERM
set -m
lane_one >"$reports/lane-one.log" 2>&1 &
lane_pids+=($!)
lane_two >"$reports/lane-two.log" 2>&1 &
lane_pids+=($!)
set +m
echo "== Wine tests ($QBX_WINE_ARCH) in two lanes: logs in $reports/lane-*.log"
for pid in "${lane_pids[@]}"; do wait "$pid" || status=1; done
lane_pids=()
cat "$reports/lane-one.log" "$reports/lane-two.log"
timings+=("$(tr '\n' ' ' <"$reports/bed-times")")
timed "Wine lanes"

# After the Wine tests: the first ctest run of a tree asks every test
# program for its tests, which runs them under Wine, and that belongs in the bed.
echo "== binaries"
ctest --preset win32-binaries --output-junit "$reports/binaries.xml" || status=1
timed binaries

echo "== summary"
echo "times: ${timings[*]/%/,} total $SECONDS s"
groups=(host="$reports/host.xml" binaries="$reports/binaries.xml")
for group in wine e2e wine-noaudio dist wine-faults wine-load wine-depth8; do
  groups+=("$group-$QBX_WINE_ARCH=$reports/$group-$QBX_WINE_ARCH.xml")
done
python3 scripts/summarize-junit.py "${groups[@]}" || status=1
exit "$status"
