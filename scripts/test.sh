#!/usr/bin/env bash
# Sets up what is missing, builds everything and runs every test: the host
# unit tests, the binary checks, and the Windows tests under Wine with Xvfb
# and PulseAudio. Ends with 'N passed, N failed'; exits non-zero on any failure.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

scripts/install-deps.sh
. scripts/wine-arch.sh
trees=(host win32)
[ "$QBX_TEST_BUILD" = win32 ] || trees+=("$QBX_TEST_BUILD")
scripts/build.sh "${trees[@]}"

reports="$root/build/reports"
rm -rf "$reports"
mkdir -p "$reports"
status=0

echo "== host tests"
ctest --test-dir build/host -j 2 --output-on-failure --output-junit "$reports/host.xml" || status=1

echo "== binaries"
ctest --test-dir build/win32 -L binaries --output-on-failure --output-junit "$reports/binaries.xml" || status=1

echo "== Wine tests ($QBX_WINE_ARCH)"
scripts/testbed.sh run -- ctest --test-dir "build/$QBX_TEST_BUILD" -LE 'binaries|noaudio|dist|faults-bed|depth8|mixdown-long' -j 2 \
  --output-on-failure \
  --output-junit "$reports/wine.xml" || status=1

echo "== Wine tests without a sound device ($QBX_WINE_ARCH)"
scripts/testbed.sh run --no-audio -- ctest --test-dir "build/$QBX_TEST_BUILD" -L noaudio --output-on-failure \
  --output-junit "$reports/wine-noaudio.xml" || status=1

echo "== Windows distribution: the zip and the installer in a fresh prefix ($QBX_WINE_ARCH)"
scripts/testbed.sh run -- ctest --test-dir "build/$QBX_TEST_BUILD" -L dist --output-on-failure \
  --output-junit "$reports/dist.xml" || status=1

echo "== Wine fault tests: a sound server that dies, small disks ($QBX_WINE_ARCH)"
scripts/testbed.sh run -- tests/wine/faults/bed_agent.sh ctest --test-dir "build/$QBX_TEST_BUILD" -L faults-bed \
  --output-on-failure --output-junit "$reports/wine-faults.xml" || status=1

echo "== Wine tests on a 256-colour screen ($QBX_WINE_ARCH)"
scripts/testbed.sh run --depth 8 -- ctest --test-dir "build/$QBX_TEST_BUILD" -L depth8 --output-on-failure \
  --output-junit "$reports/wine-depth8.xml" || status=1

echo "== summary"
python3 scripts/summarize-junit.py host="$reports/host.xml" binaries="$reports/binaries.xml" \
  "wine-$QBX_WINE_ARCH=$reports/wine.xml" "wine-noaudio-$QBX_WINE_ARCH=$reports/wine-noaudio.xml" \
  "dist-$QBX_WINE_ARCH=$reports/dist.xml" "wine-faults-$QBX_WINE_ARCH=$reports/wine-faults.xml" \
  "wine-depth8-$QBX_WINE_ARCH=$reports/wine-depth8.xml" || status=1
exit "$status"
