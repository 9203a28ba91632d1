#!/usr/bin/env bash
# Screenshots of the running program in its states, taken in the Wine test
# bed: intro, prompt, the popup menu after the first right click, playing
# the demo, and the About picture.
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
  cd "$1"
  shot() { import -window root "$2/full.png"; convert "$2/full.png" -crop 560x330+232+230 +repage "$2/$3.png"; rm "$2/full.png"; }
  $QBX_WINE qbx15.exe & pid=$!
  sleep 1.5; shot _ "$2" intro
  $QBX_WINE qbx_drive.exe wait=3000; shot _ "$2" prompt
  $QBX_WINE qbx_drive.exe activate menu wait=500; shot _ "$2" menu
  $QBX_WINE qbx_drive.exe escape wait=200
  xdemo=$($QBX_WINE winepath -w "$1/demo.wav" 2>/dev/null | tr -d "\r")
  $QBX_WINE qbx_drive.exe "open=$xdemo" command=20 wait=1500; shot _ "$2" playing
  $QBX_WINE qbx_drive.exe command=22 command=107 wait=800; shot _ "$2" about
  wineserver -k || true
' _ "$bin" "$out"
echo "quellbox_screenshots: wrote $out"
