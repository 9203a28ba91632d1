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
  wine wine32:i386 wine64
  xvfb x11-apps x11-utils imagemagick libx11-dev libxtst-dev
  fonts-liberation
  pulseaudio pulseaudio-utils
  sox python3
  halibut nsis zip unzip
  openbox
)

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
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  $SUDO dpkg --add-architecture i386
fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -q
$SUDO apt-get install -y -q --no-install-recommends "${missing[@]}"
