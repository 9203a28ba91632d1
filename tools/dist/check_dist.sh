#!/usr/bin/env bash
# Checks the built distribution of a Windows tree without running it: the
# archive holds exactly the shipped files, with every page of the built HTML
# manual, whose links all resolve among its pages (tools/dist/check_manual.py);
# its binaries are of the tree's machine type and pass the import, export
# and manifest checks, and the installer is a program of the same machine type.
#   tools/dist/check_dist.sh ARCHIVE SETUP OBJDUMP FORMAT MANUAL
# FORMAT: pei-i386 or pei-x86-64; MANUAL: the folder of the built manual pages.
set -euo pipefail
archive="$1"; setup="$2"; objdump="$3"; format="$4"; manual="$5"
root=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

pages=$(cd "$manual" && LC_ALL=C ls)
[ -n "$pages" ] || { echo "FAIL no manual pages built in $manual"; exit 1; }
expected=$( (printf '%s\n' README.txt chdelay.dll chorus.dll demo.wav flanger.dll led.dll phaser.dll player.dll \
  qbx15.cnt qbx15.exe qbx15.hlp manual; printf 'manual/%s\n' $pages) | LC_ALL=C sort | tr '\n' ' ' | sed 's/ $//')
(cd "$work" && unzip -q "$archive")
got=$(cd "$work" && find . -mindepth 1 -printf '%P\n' | LC_ALL=C sort | tr '\n' ' ' | sed 's/ $//')
if [ "$got" != "$expected" ]; then
  echo "FAIL $(basename "$archive") holds [$got], expected [$expected]"
  failures=$((failures + 1))
fi
for f in "$work"/*.exe "$work"/*.dll "$setup"; do
  if ! "$objdump" -f "$f" | grep -q "file format $format"; then
    echo "FAIL $(basename "$f") is not $format"
    failures=$((failures + 1))
  fi
done
bash "$root/scripts/check-binaries.sh" "$work" "$objdump" || failures=$((failures + 1))
python3 "$root/tools/dist/check_manual.py" "$work/manual" $pages || failures=$((failures + 1))

if [ "$failures" -ne 0 ]; then
  echo "check-dist: $failures problem(s)"
  exit 1
fi
echo "check-dist: $(basename "$archive") and $(basename "$setup") hold $format binaries as expected"
