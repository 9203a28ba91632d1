# Sourced by the screenshot tools inside scripts/testbed.sh: makes the bed's
# display look like a desktop for the pictures, and finds the program on it.
#
#   screenshot_desktop        starts a window manager (openbox, from Debian's
#                             packages) on $DISPLAY and lets Wine hand it its
#                             windows, so the frame and the caption with its
#                             buttons are drawn as a desktop draws them;
#                             programs started after it are framed
#   program_region            the program's main window with its frame on the
#                             screen, grown over the program's other windows
#                             that are shown (the popup menu, a dialog, the
#                             About picture): WxH+X+Y for a crop
#
# The test bed itself runs no window manager: there Wine draws the captions.

screenshot_desktop() {
  command -v openbox >/dev/null || { echo "screenshot_desktop: openbox is not installed (scripts/install-deps.sh)" >&2; return 1; }
  # The caption as this window has it: icon, title, minimise and close
  # (a fixed-size window has no maximise button).
  cat >"$QBX_BED/openbox.xml" <<'XML'
<?xml version="1.0" encoding="UTF-8"?>
<openbox_config xmlns="http://openbox.org/3.4/rc">
  <theme>
    <name>Clearlooks</name>
    <titleLayout>NLIC</titleLayout>
  </theme>
  <placement><policy>Smart</policy></placement>
  <desktops><number>1</number></desktops>
</openbox_config>
XML
  openbox --config-file "$QBX_BED/openbox.xml" >"$QBX_BED/openbox.log" 2>&1 &
  local _
  for _ in $(seq 100); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
    sleep 0.1
  done
  xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' ||
    { echo "screenshot_desktop: the window manager did not start" >&2; cat "$QBX_BED/openbox.log" >&2; return 1; }
  # The bed keeps Wine's windows to itself (no window manager to wait for);
  # here the window manager frames them.
  "$QBX_WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d Y /f >/dev/null 2>&1
}

# Left, top, width and height of a window on the screen.
window_geometry() {
  xwininfo -id "$1" | awk '/Absolute upper-left X/{x=$4} /Absolute upper-left Y/{y=$4}
    /^  Width:/{w=$2} /^  Height:/{h=$2} END{print x, y, w, h}'
}

program_region() {
  local id x y w h l r t b
  # Titled "Quellbox", or "NAME - Quellbox" once a file is open.
  id=$(xwininfo -root -tree | awk '/ "([^"]* - )?Quellbox": \("qbx15.exe"/{print $1; exit}')
  [ -n "$id" ] || { echo "program_region: no Quellbox window" >&2; return 1; }
  read -r x y w h < <(window_geometry "$id")
  # The frame's left, right, top and bottom widths ("= 1, 1, 20, 1").
  read -r l r t b < <(xprop -id "$id" _NET_FRAME_EXTENTS | sed -n 's/.*= //p' | tr -d ',')
  local left=$((x - ${l:-0})) top=$((y - ${t:-0})) right=$((x + w + ${r:-0})) bottom=$((y + h + ${b:-0}))
  local other ox oy ow oh
  for other in $(xwininfo -root -tree | awk '/\("qbx15.exe" "qbx15.exe"\)/{print $1}'); do
    [ "$other" = "$id" ] && continue
    xwininfo -id "$other" | grep -q IsViewable || continue
    read -r ox oy ow oh < <(window_geometry "$other")
    [ "$ow" -gt 1 ] && [ "$oh" -gt 1 ] || continue
    [ "$ox" -ge "$left" ] || left=$ox
    [ "$oy" -ge "$top" ] || top=$oy
    [ $((ox + ow)) -le "$right" ] || right=$((ox + ow))
    [ $((oy + oh)) -le "$bottom" ] || bottom=$((oy + oh))
  done
  echo "$((right - left))x$((bottom - top))+$left+$top"
}
