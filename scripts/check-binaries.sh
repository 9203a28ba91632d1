#!/usr/bin/env bash
# Checks a folder of built Windows binaries: each imports only system DLLs
# and the project's own DLLs (no MinGW runtime beside them), each effect
# module exports exactly its undecorated entry points, and no binary carries
# (nor has beside it) a manifest that requests an execution level, while the
# program's own manifest asks for the UTF-8 code page.
#   scripts/check-binaries.sh BIN_DIR OBJDUMP
#
# Why no execution level: the program writes its settings file and the
# temporary mixdown file into the Windows directory. On Windows Vista and
# later, a program whose manifest requests no execution level is a legacy
# program, and file virtualization redirects those writes into the user's
# VirtualStore, where the program reads them back; one that requests any
# level (asInvoker included) is refused the writes instead.
set -euo pipefail
dir="$1"
objdump="$2"

own='phaser.dll flanger.dll chorus.dll chdelay.dll led.dll player.dll'
system='kernel32.dll user32.dll gdi32.dll winmm.dll comdlg32.dll comctl32.dll advapi32.dll shell32.dll msvcrt.dll ole32.dll'
system+=' api-ms-win-crt-'  # prefix, never expected with msvcrt but harmless
failures=0

exports_of() { "$objdump" -p "$1" | awk '/\[Ordinal\/Name Pointer\] Table/{t=1;next} t&&/^[ \t]*\[/{print $NF} t&&/^$/{t=0}'; }

shopt -s nullglob
files=("$dir"/*.exe "$dir"/*.dll)
[ "${#files[@]}" -gt 0 ] || { echo "check-binaries: nothing built in $dir" >&2; exit 1; }
for f in "${files[@]}"; do
  while read -r dll; do
    lower=$(echo "$dll" | tr 'A-Z' 'a-z')
    ok=0
    for allowed in $own $system; do
      case "$lower" in "$allowed"*) ok=1 ;; esac
    done
    if [ "$ok" = 0 ]; then
      echo "FAIL $(basename "$f") imports $dll"
      failures=$((failures + 1))
    fi
  done < <("$objdump" -p "$f" | awk '/DLL Name:/{print $3}')
done

# A manifest's text in the binary's resources or in a .manifest file, UTF-8
# or UTF-16 (the zero bytes dropped). grep reads to the end (-c, not -q), so
# tr never meets a closed pipe, which pipefail would take for a failure.
requests_execution_level() { tr -d '\000' <"$1" | LC_ALL=C grep -a -i -c 'requestedExecutionLevel' >/dev/null; }
for f in "${files[@]}" "$dir"/*.manifest; do
  if requests_execution_level "$f"; then
    echo "FAIL $(basename "$f") carries a manifest that requests an execution level (it ends file virtualization)"
    failures=$((failures + 1))
  fi
done

# The program asks for UTF-8 as its process code page, so that a file name
# in any language reaches it whole through the ANSI calls.
asks_for_utf8() { tr -d '\000' <"$1" | LC_ALL=C grep -a -c '<activeCodePage[^>]*>UTF-8</activeCodePage>' >/dev/null; }
if [ -f "$dir/qbx15.exe" ] && ! asks_for_utf8 "$dir/qbx15.exe"; then
  echo "FAIL qbx15.exe carries no manifest that asks for the UTF-8 code page"
  failures=$((failures + 1))
fi

expect_exports() {
  local file="$dir/$1"; shift
  [ -f "$file" ] || { echo "FAIL $1 missing"; failures=$((failures + 1)); return; }
  local got want
  got=$(exports_of "$file" | sort | tr '\n' ' ')
  want=$(printf '%s\n' "$@" | sort | tr '\n' ' ')
  if [ "$got" != "$want" ]; then
    echo "FAIL $(basename "$file") exports [$got], expected [$want]"
    failures=$((failures + 1))
  fi
}
expect_exports phaser.dll InitPhaser ChangePhaser Phaser
expect_exports flanger.dll InitFlanger ChangeFlanger Flanger
expect_exports chorus.dll InitChorus ChangeChorus Chorus
expect_exports chdelay.dll InitChDelay ChangeChDelay ChDelay
expect_exports led.dll Led
if [ -f "$dir/player.dll" ]; then
  expect_exports player.dll Play Pause Stop NotifyChangesToPlayer _ChangeVolume@16 GetNumWaveOutDevs
fi

if [ "$failures" -ne 0 ]; then
  echo "check-binaries: $failures problem(s) in $dir"
  exit 1
fi
echo "check-binaries: ${#files[@]} binaries in $dir import only system and own DLLs; exports as expected; no execution level requested; UTF-8 code page asked for"
