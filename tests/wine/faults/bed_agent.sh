#!/usr/bin/env bash
# Runs COMMAND with an agent beside it that does, on a test's request, what
# a Windows program under Wine cannot do itself: kill and restart the bed's
# PulseAudio server, mount a small tmpfs and map a Wine drive letter to it.
#
#   tests/wine/faults/bed_agent.sh COMMAND...     (inside scripts/testbed.sh)
#
# A test writes a file NAME.req into $QBX_BED/agent holding one line,
# "ACTION ARG...", and waits for NAME.done, which holds the action's exit
# code. Paths must lie inside $QBX_BED. Actions:
#   kill-pulse            SIGKILL the server (the reader of the recording ends too)
#   start-pulse           start it again ($QBX_PULSE_START)
#   mount-small DIR KB    a tmpfs of KB kilobytes at DIR
#   umount DIR
#   map-drive LETTER DIR  the Wine drive LETTER: points at DIR
#   unmap-drive LETTER
#   link LINK TARGET      a symbolic link LINK pointing at TARGET
#   add-sinks N           N more null sinks, "QbxExtra01" onward (more wave-out devices)
#   remove-sinks          unload the sinks add-sinks made
set -uo pipefail
[ -n "${QBX_BED:-}" ] && [ -n "${WINEPREFIX:-}" ] || { echo "bed_agent: run inside scripts/testbed.sh" >&2; exit 2; }
requests="$QBX_BED/agent"
mkdir -p "$requests"
mounts="$QBX_BED/agent-mounts"
: >"$mounts"

# Running, not just an unreaped zombie (the bed's processes may belong to an
# init that never reaps).
alive() {
  [ -r "/proc/$1/stat" ] && [ "$(awk '{print $3}' "/proc/$1/stat")" != Z ]
}

inside_bed() {
  local p
  p=$(realpath -m "$1")
  [[ "$p" == "$QBX_BED"/* ]]
}

act() {
  case "$1" in
    kill-pulse)
      [ -s "$QBX_BED/pulse.pid" ] || return 1
      kill -KILL "$(cat "$QBX_BED/pulse.pid")" 2>/dev/null
      for _ in $(seq 50); do
        alive "$(cat "$QBX_BED/pulse.pid")" || return 0
        sleep 0.1
      done
      return 1 ;;
    start-pulse)
      [ -n "${QBX_PULSE_START:-}" ] || return 1
      "$QBX_PULSE_START" ;;
    mount-small)
      inside_bed "$2" && [[ "$3" =~ ^[0-9]+$ ]] || return 1
      mkdir -p "$2" && mount -t tmpfs -o "size=${3}k" tmpfs "$2" && echo "$2" >>"$mounts" ;;
    umount)
      inside_bed "$2" || return 1
      umount "$2" ;;
    map-drive)
      [[ "$2" =~ ^[d-y]$ ]] && inside_bed "$3" || return 1
      ln -sfn "$3" "$WINEPREFIX/dosdevices/$2:" ;;
    unmap-drive)
      [[ "$2" =~ ^[d-y]$ ]] || return 1
      rm -f "$WINEPREFIX/dosdevices/$2:" ;;
    link)
      inside_bed "$2" && inside_bed "$3" || return 1
      ln -sfn "$3" "$2" ;;
    add-sinks)
      [[ "$2" =~ ^[0-9]+$ ]] && [ "$2" -le 60 ] || return 1
      local i id
      for i in $(seq -w 1 "$2"); do
        id=$(pactl load-module module-null-sink sink_name="qbx_extra_$i" \
          sink_properties=device.description="QbxExtra$i") || return 1
        echo "$id" >>"$QBX_BED/agent-sinks"
      done ;;
    remove-sinks)
      [ -s "$QBX_BED/agent-sinks" ] || return 0
      while read -r id; do pactl unload-module "$id"; done <"$QBX_BED/agent-sinks"
      : >"$QBX_BED/agent-sinks" ;;
    *) return 1 ;;
  esac
}

serve() {
  while :; do
    for req in "$requests"/*.req; do
      [ -e "$req" ] || continue
      read -r -a words < <(tr -d "\r" <"$req")
      act "${words[@]}" >/dev/null 2>&1
      echo $? >"${req%.req}.tmp"
      mv "${req%.req}.tmp" "${req%.req}.done"
      rm -f "$req"
    done
    sleep 0.05
  done
}

serve &
agent=$!
"$@"
status=$?
kill "$agent" 2>/dev/null
wait "$agent" 2>/dev/null
# Nothing the tests mounted outlives them.
sort -ru "$mounts" | while read -r dir; do umount "$dir" 2>/dev/null; done
exit "$status"
