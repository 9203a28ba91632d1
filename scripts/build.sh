#!/usr/bin/env bash
# Configures and builds the named trees under build/, each a preset of
# CMakePresets.json (its folder, build type and toolchain):
#   host   native g++, pure logic and its unit tests (ASan, UBSan)
#   win32  i686 Windows: the program that ships
#   win64  x86_64 Windows: the Wine tests on machines without 32-bit execution
# With no names: host and win32. QBX_BUILD_TARGET=NAME builds just that
# target (and what it needs) of each named tree.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
[ $# -gt 0 ] || set -- host win32
jobs=$(nproc 2>/dev/null || echo 2)
. "$root/scripts/wine-arch.sh"
runs() { [ "$QBX_TEST_BUILD" = "$1" ] && echo ON || echo OFF; }
# ccache, where installed, keeps the objects of earlier builds on this
# machine (in ~/.cache/ccache), also those of another clone: paths under
# the clone are hashed relative to it.
launcher=()
if command -v ccache >/dev/null; then
  launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  export CCACHE_BASEDIR="${CCACHE_BASEDIR:-$root}"
fi

for tree in "$@"; do
  # What depends on this machine is given beside the preset.
  case "$tree" in
    host) args=() ;;
    win32|win64) args=(-DQBX_RUN_WINE_TESTS="$(runs "$tree")") ;;
    *) echo "build: unknown tree '$tree'" >&2; exit 2 ;;
  esac
  echo "== build $tree"
  mkdir -p "$root/build"
  (cd "$root" && cmake --preset "$tree" "${args[@]}" "${launcher[@]}") >"$root/build/$tree.configure.log" 2>&1 ||
    { cat "$root/build/$tree.configure.log" >&2; exit 1; }
  (cd "$root" && cmake --build --preset "$tree" -j "$jobs" ${QBX_BUILD_TARGET:+--target "$QBX_BUILD_TARGET"})
done
