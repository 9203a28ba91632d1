#!/usr/bin/env bash
# Installs everything Quellbox needs to build and test on a Debian 12 machine
# (and openbox, the window manager that frames the program in the README's
# screenshots; the test bed runs none). Safe to run again: it only installs
# what is missing. Needs root (or sudo).
set -euo pipefail

packages=(
  cmake make g++ pkg-config ccache
  g++-mingw-w64-i686 mingw-w64-i686-dev binutils-mingw-w64-i686
  g++-mingw-w64-x86-64 mingw-w64-x86-64-dev binutils-mingw-w64-x86-64
  googletest libgtest-dev
  wine wine64
  xvfb x11-apps x11-utils imagemagick libx11-dev libxtst-dev
  fonts-liberation
  pulseaudio pulseaudio-utils
  sox python3
  halibut nsis zip unzip
  openbox
)

# True when this kernel executes 32-bit x86 programs: a 93-byte static i386
# ELF that only calls exit(0) is run. Some virtual machines refuse it.
runs_32bit_code() {
  local probe
  probe=$(mktemp)
  python3 - "$probe" <<'PY' 2>/dev/null || { rm -f "$probe"; return 1; }
import struct, sys
base = 0x08048000
code = bytes([0x31, 0xDB, 0xB8, 1, 0, 0, 0, 0xCD, 0x80])  # xor ebx,ebx; mov eax,1; int 0x80
size = 52 + 32 + len(code)
header = b"\x7fELF\x01\x01\x01" + bytes(9) + struct.pack("<HHIIIIIHHHHHH", 2, 3, 1, base + 84, 52, 0, 0, 52, 32, 1, 0, 0, 0)
program = struct.pack("<IIIIIIII", 1, 0, base, base, size, size, 5, 0x1000)
open(sys.argv[1], "wb").write(header + program + code)
PY
  chmod +x "$probe"
  local ok=1
  "$probe" 2>/dev/null && ok=0
  rm -f "$probe"
  return "$ok"
}

# The 32-bit Wine only where it can run; elsewhere the tests use the
# 64-bit one (scripts/wine-arch.sh).
if runs_32bit_code; then
  packages+=(wine32:i386)
  need_i386=1
else
  echo "install-deps: this kernel does not run 32-bit code; the 32-bit Wine is left out"
  need_i386=0
fi

SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ "${#missing[@]}" -eq 0 ]; then
  exit 0
fi

echo "install-deps: installing ${missing[*]}"
if [ "$need_i386" = 1 ] && ! dpkg --print-foreign-architectures | grep -qx i386; then
  $SUDO dpkg --add-architecture i386
fi
export DEBIAN_FRONTEND=noninteractive

# A mirror may be caught mid-sync ("File has unexpected size"), with one
# index out of step with its release file. That passes within minutes, so
# the update is tried again; if an index still fails, the install goes on
# with the lists that did arrive, and says so.
updated=0
for attempt in 1 2 3; do
  if $SUDO apt-get update -q; then updated=1; break; fi
  [ "$attempt" -lt 3 ] && { echo "install-deps: package index update failed; trying again in 20 s"; sleep 20; }
done
[ "$updated" = 1 ] || echo "install-deps: WARNING: some package indexes failed to update; installing from the lists at hand"

install() { $SUDO apt-get install -y -q --no-install-recommends "$@"; }
if install "${missing[@]}"; then exit 0; fi

# With one architecture's security index missing, the 32-bit packages can
# no longer match the 64-bit ones (Multi-Arch packages must share a
# version). The release suite's own versions agree across architectures.
codename=$(. /etc/os-release && echo "${VERSION_CODENAME:-bookworm}")
echo "install-deps: retrying with the versions of the '$codename' release suite"
if install -t "$codename" "${missing[@]}"; then exit 0; fi

echo "install-deps: FAILED to install: ${missing[*]}" >&2
exit 1
