#!/usr/bin/env bash
# Times a newcomer's first start: a fresh clone of this branch, no compiler
# cache (CCACHE_DISABLE=1), no Wine prefix, its scripts/start.sh run in a
# test bed of its own (Xvfb, PulseAudio, a Wine prefix that does not exist
# yet), and the seconds until the program's main window is shown on the
# display (its X window, titled "Quellbox", viewable). The packages are
# taken as installed.
#   bench/first_window.sh [RUNS=1]
# QBX_WINE_ARCH=win64 times the machine that runs 64-bit code only (the
# x86_64 build under 64-bit Wine) on a machine that could run either.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
runs="${1:-1}"
branch=$(git -C "$root" rev-parse --abbrev-ref HEAD)
for run in $(seq "$runs"); do
  work=$(mktemp -d /tmp/qbx-first-window.XXXXXX)
  git clone -q --branch "$branch" "$root" "$work/quellbox"
  QBX_CLONE="$work/quellbox" "$root/scripts/testbed.sh" run -- bash -c '
    log="$QBX_BED/start.log"
    begin=$(date +%s%N)
    WINEPREFIX="$QBX_BED/first-prefix" CCACHE_DISABLE=1 "$QBX_CLONE/scripts/start.sh" >"$log" 2>&1 &
    started=$!
    until xwininfo -name Quellbox 2>/dev/null | grep -q IsViewable; do
      kill -0 "$started" 2>/dev/null || { echo "first-window: start.sh ended without a window" >&2; tail -20 "$log" >&2; exit 1; }
      sleep 0.2
    done
    end=$(date +%s%N)
    echo "first-window: $QBX_WINE_ARCH: $(( (end - begin + 500000000) / 1000000000 )) s from a fresh clone to the first window"
    # The program started runs in a prefix of its own: ended here, with its server.
    WINEPREFIX="$QBX_BED/first-prefix" timeout 20 wineserver -k >/dev/null 2>&1
    WINEPREFIX="$QBX_BED/first-prefix" timeout 20 wineserver -w >/dev/null 2>&1
    echo "first-window: built $(grep -c "Building C.* object" "$log") objects in $(grep "^== build" "$log" | tr "\n" " ")"
  '
  rm -rf "$work"
done
