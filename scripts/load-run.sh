#!/usr/bin/env bash
# The long load run: ACTIONS (default 2000) seeded random actions against the
# real qbx15.exe in its own test bed, printing the program's memory, kernel
# handles, GDI and USER objects every 100 actions.
#   scripts/load-run.sh [ACTIONS] [SEED]
# Needs the build of the tests (scripts/build.sh win64, or win32 where 32-bit
# Wine runs).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
. scripts/wine-arch.sh
exe="build/$QBX_TEST_BUILD/bin/qbx_load_run.exe"
[ -f "$exe" ] || { echo "load-run: build $exe first (scripts/build.sh $QBX_TEST_BUILD)" >&2; exit 2; }
scripts/testbed.sh run -- bash -c '"$QBX_WINE" "$0" "$@" 2>/dev/null' "$exe" "${1:-2000}" "${2:-20261208}"
