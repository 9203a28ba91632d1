#!/usr/bin/env bash
# Screenshots of the running program in its states, taken in the Wine test
# bed with a window manager that frames the program as a desktop does
# (tools/screenshot_desktop.sh): intro, prompt, the popup menu after the
# first right click, the active panel, playing the demo, the Effects Patch,
# Preferences, Progress (held still during a mixdown of a minute of sound)
# and About dialogs. Each picture is the program's windows with their frame.
#   tools/quellbox_screenshots.sh OUTDIR
# Needs the win64 (or win32, where it runs) build.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=$(realpath -m "${1:?usage: $0 OUTDIR}")
mkdir -p "$out"
. "$root/scripts/wine-arch.sh"
bin="$root/build/$QBX_TEST_BUILD/bin"
[ -f "$bin/qbx15.exe" ] && [ -f "$bin/qbx_drive.exe" ] || { echo "quellbox_screenshots: build $QBX_TEST_BUILD first" >&2; exit 1; }
"$root/scripts/testbed.sh" run -- bash -c '
  set -e
  . "$3/tools/screenshot_desktop.sh"
  screenshot_desktop
  cd "$1"
  shot() { import -window root -crop "$(program_region)" +repage "$2/$3.png"; }
  $QBX_WINE qbx15.exe & pid=$!
  sleep 1.5; shot _ "$2" intro
  $QBX_WINE qbx_drive.exe wait=3000; shot _ "$2" prompt
  $QBX_WINE qbx_drive.exe activate menu wait=500; shot _ "$2" menu
  $QBX_WINE qbx_drive.exe escape wait=300; shot _ "$2" active
  xdemo=$($QBX_WINE winepath -w "$1/demo.wav" 2>/dev/null | tr -d "\r")
  $QBX_WINE qbx_drive.exe "open=$xdemo" command=PLAY wait=1500; shot _ "$2" playing
  $QBX_WINE qbx_drive.exe command=STOP command=EFFECTS_PATCH wait=800; shot _ "$2" effects_patch
  $QBX_WINE qbx_drive.exe close=Effects\ Patch command=PREFERENCES wait=800; shot _ "$2" preferences
  $QBX_WINE qbx_drive.exe close=Preferences
  python3 -c "import wave,math,sys
w=wave.open(sys.argv[1],\"wb\"); w.setnchannels(2); w.setsampwidth(2); w.setframerate(44100)
f=b\"\".join(int(8000*math.sin(i*0.05)).to_bytes(2,\"little\",signed=True)*2 for i in range(44100))
w.writeframes(f*60); w.close()" "$QBX_BED/minute.wav"
  xlong=$($QBX_WINE winepath -w "$QBX_BED/minute.wav" 2>/dev/null | tr -d "\r")
  xout=$($QBX_WINE winepath -w "$QBX_BED/minute_out.wav" 2>/dev/null | tr -d "\r")
  $QBX_WINE qbx_drive.exe "open=$xlong" "mixdown=$xout" freeze wait=300; shot _ "$2" progress
  $QBX_WINE qbx_drive.exe thaw wait=3000 command=ABOUT wait=800; shot _ "$2" about
  wineserver -k || true
' _ "$bin" "$out" "$root"
echo "quellbox_screenshots: wrote $out"
