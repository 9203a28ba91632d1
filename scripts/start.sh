#!/usr/bin/env bash
# Sets up what is missing, builds Quellbox and starts it under Wine on the
# current display ($DISPLAY). On Windows, run build/win32/bin/qbx15.exe as it is.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
[ -n "${DISPLAY:-}" ] || { echo "start: no X display: set DISPLAY (e.g. run it in a desktop session, or under xvfb-run)" >&2; exit 1; }
scripts/install-deps.sh
. scripts/wine-arch.sh
trees=(win32)
[ "$QBX_TEST_BUILD" = win32 ] || trees+=("$QBX_TEST_BUILD")
scripts/build.sh "${trees[@]}"
exe="build/$QBX_TEST_BUILD/bin/qbx15.exe"
if [ ! -f "$exe" ]; then
  echo "start: the program itself (qbx15.exe) is not built yet; only the libraries and tests exist so far." >&2
  exit 1
fi
export WINEPREFIX="${WINEPREFIX:-$HOME/.wine-quellbox-$QBX_WINE_ARCH}" WINEARCH="$QBX_WINE_ARCH" WINELOADER="$QBX_WINE"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
cd "$(dirname "$exe")"
exec "$QBX_WINE" qbx15.exe
