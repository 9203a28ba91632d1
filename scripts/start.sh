#!/usr/bin/env bash
# Sets up what is missing, builds the program (nothing of the tests) and
# starts it under Wine on the current display ($DISPLAY), playing through
# the desktop's sound server (a user PulseAudio server is started when none
# answers). On Windows, run build/win32/bin/qbx15.exe as it is.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
if [ -z "${DISPLAY:-}" ]; then
  cat >&2 <<'TEXT'
start: no X display (DISPLAY is not set). Quellbox is a window on an X display:
  - in a desktop session, run it from a terminal there (DISPLAY is set for you), or
    name the display yourself:   DISPLAY=:0 scripts/start.sh
  - without a desktop, give it a virtual one:   xvfb-run -a scripts/start.sh
TEXT
  exit 1
fi
scripts/install-deps.sh

# Wine plays through PulseAudio: without a server that answers, the program
# finds no wave-out device at all. A desktop normally runs one (PulseAudio,
# or PipeWire's stand-in); otherwise a user server is started here.
if ! timeout 5 pactl info >/dev/null 2>&1; then
  echo "start: no sound server answers; starting a user PulseAudio server"
  pulseaudio --start --exit-idle-time=-1 >/dev/null 2>&1 || true
  for _ in $(seq 50); do
    timeout 5 pactl info >/dev/null 2>&1 && break
    sleep 0.1
  done
  timeout 5 pactl info >/dev/null 2>&1 ||
    echo "start: PulseAudio did not start; Quellbox will find no wave-out device" >&2
fi
. scripts/wine-arch.sh
export WINEPREFIX="${WINEPREFIX:-$HOME/.wine-quellbox-$QBX_WINE_ARCH}" WINEARCH="$QBX_WINE_ARCH" WINELOADER="$QBX_WINE"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"

# A new Wine prefix takes a while to set up: it is made while the program
# builds.
prefix_setup=
if [ ! -e "$WINEPREFIX/system.reg" ]; then
  echo "start: setting up the Wine prefix $WINEPREFIX while the program builds"
  "$QBX_WINE" wineboot --init >/dev/null 2>&1 &
  prefix_setup=$!
fi

# Only the program and what it needs to run, in the tree that this
# machine's Wine runs (scripts/wine-arch.sh); scripts/test.sh builds the
# tests.
QBX_BUILD_TARGET=program scripts/build.sh "$QBX_TEST_BUILD"
[ -z "$prefix_setup" ] || wait "$prefix_setup" || true
cd "build/$QBX_TEST_BUILD/bin"
exec "$QBX_WINE" qbx15.exe
