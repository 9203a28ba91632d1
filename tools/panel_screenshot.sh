#!/usr/bin/env bash
# Screenshot of the assembled panel (tools/screenshots/panel_showcase.cpp) in
# the Wine test bed, framed by a window manager as on a desktop
# (tools/screenshot_desktop.sh): the window with its frame; on an 8-bit
# screen the panel alone, read with its own colormap (there the root
# window's colours, which the frame has, are not the window's):
#   tools/panel_screenshot.sh OUT.png [--depth 8|24] [intro|ready]
# QBX_SHOT_DELAY sets the seconds before the shot (default 6).
# Needs the win64 (or win32, where it runs) build.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=$(realpath -m "$1"); shift
depth=24
state=ready
while [ $# -gt 0 ]; do
  case "$1" in
    --depth) depth="$2"; shift 2 ;;
    intro|ready) state="$1"; shift ;;
    *) echo "usage: $0 OUT.png [--depth 8|24] [intro|ready]" >&2; exit 2 ;;
  esac
done
. "$root/scripts/wine-arch.sh"
exe="$root/build/$QBX_TEST_BUILD/bin/qbx_panel_showcase.exe"
[ -f "$exe" ] || { echo "panel_screenshot: build $QBX_TEST_BUILD first" >&2; exit 1; }
"$root/scripts/testbed.sh" run --no-audio --depth "$depth" -- bash -c '
  set -e
  . "$4/tools/screenshot_desktop.sh"
  screenshot_desktop
  $QBX_WINE "$1" "$2" 10 & pid=$!
  sleep "${QBX_SHOT_DELAY:-6}"
  id=$(xwininfo -root -tree | grep "\"Quellbox\"" | head -1 | awk "{print \$1}")
  [ -n "$id" ] || { echo "panel_screenshot: no Quellbox window" >&2; exit 1; }
  if [ "$5" = 8 ]; then import -window "$id" "$3"; else import -frame -window "$id" "$3"; fi
  wait $pid || true
' _ "$exe" "$state" "$out" "$root" "$depth"
echo "panel_screenshot: wrote $out"
