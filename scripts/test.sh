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

echo "== Wine tests ($QBX_WINE_ARCH)"
scripts/testbed.sh run -- ctest --preset "$QBX_TEST_BUILD-wine" --output-junit "$reports/wine.xml" || status=1
timed "wine-$QBX_WINE_ARCH"

# After the Wine tests: the first ctest run of a tree asks every test
# program for its tests, which runs them under Wine, and that belongs in the bed.
echo "== binaries"
ctest --preset win32-binaries --output-junit "$reports/binaries.xml" || status=1
timed binaries

echo "== Wine tests without a sound device ($QBX_WINE_ARCH)"
scripts/testbed.sh run --no-audio -- ctest --preset "$QBX_TEST_BUILD-noaudio" \
  --output-junit "$reports/wine-noaudio.xml" || status=1
timed "wine-noaudio-$QBX_WINE_ARCH"

echo "== Windows distribution: the zip and the installer in a fresh prefix ($QBX_WINE_ARCH)"
scripts/testbed.sh run -- ctest --preset "$QBX_TEST_BUILD-dist" --output-junit "$reports/dist.xml" || status=1
timed "dist-$QBX_WINE_ARCH"

echo "== Wine fault tests: a sound server that dies, small disks ($QBX_WINE_ARCH)"
scripts/testbed.sh run -- tests/wine/faults/bed_agent.sh ctest --preset "$QBX_TEST_BUILD-faults" \
  --output-junit "$reports/wine-faults.xml" || status=1
timed "wine-faults-$QBX_WINE_ARCH"

echo "== Wine tests on a 256-colour screen ($QBX_WINE_ARCH)"
scripts/testbed.sh run --depth 8 -- ctest --preset "$QBX_TEST_BUILD-depth8" \
  --output-junit "$reports/wine-depth8.xml" || status=1
timed "wine-depth8-$QBX_WINE_ARCH"

echo "== summary"
echo "times: ${timings[*]/%/,} total $SECONDS s"
python3 scripts/summarize-junit.py host="$reports/host.xml" binaries="$reports/binaries.xml" \
  "wine-$QBX_WINE_ARCH=$reports/wine.xml" "wine-noaudio-$QBX_WINE_ARCH=$reports/wine-noaudio.xml" \
  "dist-$QBX_WINE_ARCH=$reports/dist.xml" "wine-faults-$QBX_WINE_ARCH=$reports/wine-faults.xml" \
  "wine-depth8-$QBX_WINE_ARCH=$reports/wine-depth8.xml" || status=1
exit "$status"
