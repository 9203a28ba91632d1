#!/usr/bin/env bash
# The environment the Wine tests need: a private Wine prefix, an Xvfb display
# and a PulseAudio server whose default sink is a pipe recorded to a file,
# so a test can hear exactly what was played.
#
#   scripts/testbed.sh run [--no-audio] [--depth N] -- COMMAND...
#       brings the bed up, runs COMMAND inside it, takes it down again on
#       every exit path, and returns COMMAND's exit code.
#
# COMMAND sees: WINEPREFIX, DISPLAY, XDG_RUNTIME_DIR (PulseAudio's socket),
# QBX_WINE and QBX_WINE_ARCH (the Wine loader and win32/win64),
# QBX_BED (the bed's folder), QBX_RECORDING (the raw s16le 44100 Hz stereo
# recording of the pipe sink, empty when --no-audio) and WINEDEBUG=-all.
set -euo pipefail

usage() { echo "usage: $0 run [--no-audio] [--depth 24|8] -- COMMAND..." >&2; exit 2; }
[ "${1:-}" = run ] || usage
shift
audio=1
depth=24
while [ $# -gt 0 ]; do
  case "$1" in
    --no-audio) audio=0; shift ;;
    --depth) depth="$2"; shift 2 ;;
    --) shift; break ;;
    *) usage ;;
  esac
done
[ $# -gt 0 ] || usage

bed=$(mktemp -d /tmp/qbx-bed.XXXXXX)
export QBX_BED="$bed"
pids=()
fresh=""  # a pristine prefix while this bed makes it

teardown() {
  local rc=$?
  trap - EXIT INT TERM
  set +e
  if [ -n "$fresh" ]; then
    WINEPREFIX="$fresh" timeout 20 wineserver -k >/dev/null 2>&1
    WINEPREFIX="$fresh" timeout 20 wineserver -w >/dev/null 2>&1
    rm -rf "$fresh"
  fi
  if [ -n "${WINEPREFIX:-}" ] && command -v wineserver >/dev/null; then
    WINEPREFIX="$WINEPREFIX" timeout 20 wineserver -k >/dev/null 2>&1
    WINEPREFIX="$WINEPREFIX" timeout 20 wineserver -w >/dev/null 2>&1
  fi
  if [ "$audio" = 1 ] && [ -n "${XDG_RUNTIME_DIR:-}" ]; then
    XDG_RUNTIME_DIR="$XDG_RUNTIME_DIR" timeout 10 pactl exit >/dev/null 2>&1 || true
    XDG_RUNTIME_DIR="$XDG_RUNTIME_DIR" timeout 10 pulseaudio --kill >/dev/null 2>&1 || true
  fi
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null; done
  for pid in "${pids[@]}"; do wait "$pid" 2>/dev/null; done
  if [ -s "$bed/pulse.pids" ]; then
    while read -r pid; do kill "$pid" 2>/dev/null; done <"$bed/pulse.pids"
  fi
  rm -rf "$bed"
  exit "$rc"
}
trap teardown EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

# --- X display --------------------------------------------------------------
# Xvfb picks a free display number itself, so several beds can run at once.
Xvfb -displayfd 3 -screen 0 "1024x768x$depth" -nolisten tcp 3>"$bed/display" >"$bed/xvfb.log" 2>&1 &
pids+=($!)
for _ in $(seq 100); do
  [ -s "$bed/display" ] && break
  sleep 0.1
done
display=$(tr -dc 0-9 <"$bed/display")
[ -n "$display" ] || { echo "testbed: Xvfb did not start" >&2; cat "$bed/xvfb.log" >&2; exit 1; }
export DISPLAY=":$display"

# --- PulseAudio with a recording pipe sink -----------------------------------
export XDG_RUNTIME_DIR="$bed/runtime"
mkdir -m 0700 "$XDG_RUNTIME_DIR"
export QBX_RECORDING="$bed/recording.raw"
: >"$QBX_RECORDING"
if [ "$audio" = 1 ]; then
  fifo="$bed/sink.fifo"
  mkfifo "$fifo"
  # The server's start is a script of its own, exported as QBX_PULSE_START,
  # so a test that kills the server (tests/wine/faults) can bring it back.
  # It also restarts the recording's reader, which ends with the server.
  # Every process it starts is listed in $bed/pulse.pids for the teardown.
  # The second, silent sink has a product name with a letter outside ASCII,
  # as many a real device's name has.
  export QBX_PULSE_START="$bed/start-pulse.sh"
  cat >"$QBX_PULSE_START" <<SCRIPT
#!/usr/bin/env bash
# The reader must hold the FIFO open for as long as the server runs.
if ! { [ -s "$bed/reader.pid" ] && kill -0 "\$(cat "$bed/reader.pid")" 2>/dev/null; }; then
  cat "$fifo" >>"$QBX_RECORDING" &
  echo \$! >"$bed/reader.pid"
  echo \$! >>"$bed/pulse.pids"
fi
HOME="$bed" XDG_RUNTIME_DIR="$XDG_RUNTIME_DIR" pulseaudio --daemonize=no -n --exit-idle-time=-1 --disallow-exit \\
  --use-pid-file=no --log-target=file:"$bed/pulse.log" \\
  --load="module-pipe-sink file=$fifo sink_name=qbx_record format=s16le rate=44100 channels=2 use_system_clock_for_timing=yes" \\
  --load="module-null-sink sink_name=qbx_null sink_properties='device.description=\"Lautsprecher (Realtek® Audio)\"'" \\
  --load="module-native-protocol-unix" \\
  --load="module-always-sink" >/dev/null 2>&1 </dev/null &
echo \$! >"$bed/pulse.pid"
echo \$! >>"$bed/pulse.pids"
for _ in \$(seq 100); do
  [ -S "$XDG_RUNTIME_DIR/pulse/native" ] && XDG_RUNTIME_DIR="$XDG_RUNTIME_DIR" pactl info >/dev/null 2>&1 && break
  sleep 0.1
done
XDG_RUNTIME_DIR="$XDG_RUNTIME_DIR" pactl set-default-sink qbx_record >/dev/null 2>&1
SCRIPT
  chmod +x "$QBX_PULSE_START"
  "$QBX_PULSE_START"
  [ -S "$XDG_RUNTIME_DIR/pulse/native" ] || { echo "testbed: PulseAudio did not start" >&2; cat "$bed/pulse.log" >&2; exit 1; }
fi

# --- Wine prefix ---------------------------------------------------------------
# The 32-bit loader where the kernel runs 32-bit code, else the 64-bit one
# (the tests are then built for x86_64: see scripts/wine-arch.sh).
. "$(dirname "$0")/wine-arch.sh"
export QBX_WINE QBX_WINE_ARCH
export WINELOADER="$QBX_WINE"
export WINEARCH="$QBX_WINE_ARCH"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"

# What every bed's prefix starts as, made in the folder $1 (its WINEPREFIX).
make_prefix() {
  WINEPREFIX="$1" timeout 180 "$QBX_WINE" wineboot -i >"$bed/wineboot.log" 2>&1 ||
    { echo "testbed: wineboot failed" >&2; cat "$bed/wineboot.log" >&2; return 1; }
  # Unmanaged windows: with no window manager on the display, Wine would wait
  # two seconds for one at every destruction of a managed window.
  WINEPREFIX="$1" "$QBX_WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 ||
    { echo "testbed: the registry of the new prefix cannot be written" >&2; return 1; }
  WINEPREFIX="$1" timeout 20 wineserver -w
  # Debian's Wine notes the name of the folder of the prefix's server
  # socket (under /tmp) in the file "wineserver"; each copy makes its own.
  rm -f "$1/wineserver"
}

# A new prefix takes wineboot 15 to 20 s; a copy of one takes well under
# one. So the first bed makes a pristine prefix under build/ and every bed
# starts from a copy of it. Its name holds what it is made of: the Wine
# version, the architecture and make_prefix itself; a change to any of
# them makes a new one. It is made aside and moved into place whole, so a
# bed that runs at the same time never copies half of one.
pristine_root="$(cd "$(dirname "$0")/.." && pwd)/build/wine-prefixes"
recipe=$( { "$QBX_WINE" --version; echo "$QBX_WINE_ARCH"; declare -f make_prefix; } | sha256sum | cut -c1-16)
pristine="$pristine_root/$QBX_WINE_ARCH-$recipe"
if [ ! -f "$pristine/system.reg" ]; then
  mkdir -p "$pristine_root"
  fresh=$(mktemp -d "$pristine_root/new.XXXXXX")
  make_prefix "$fresh"
  mv -T "$fresh" "$pristine" 2>/dev/null || rm -rf "$fresh"
  fresh=""
  [ -f "$pristine/system.reg" ] || { echo "testbed: no pristine prefix at $pristine" >&2; exit 1; }
fi
export WINEPREFIX="$bed/wine"
cp -a --reflink=auto "$pristine" "$WINEPREFIX"
# The first Wine process of a prefix starts its services (services.exe,
# winedevice.exe), the first one with a window its desktop (explorer.exe
# /desktop). Started here, before any test, they hold the log and not the
# output pipe of a test, which ctest would wait on, and two tests never
# race to start the desktop. (rundll32 makes a hidden window of its own.)
{ timeout 60 "$QBX_WINE" wineboot && timeout 60 "$QBX_WINE" rundll32.exe user32.dll,GetDesktopWindow; } \
  >"$bed/wineboot.log" 2>&1 ||
  { echo "testbed: the copied prefix did not start" >&2; cat "$bed/wineboot.log" >&2; exit 1; }
# Keep one wineserver for the whole run: every test process starts faster.
wineserver -p >/dev/null 2>&1 || true

set +e
"$@"
status=$?
set -e
exit "$status"
