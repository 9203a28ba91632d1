# Sourced: picks the Wine loader for this machine and sets QBX_WINE (its
# path), QBX_WINE_ARCH (win32 or win64) and QBX_TEST_BUILD (the build tree
# whose Windows binaries the tests run).
#
# Quellbox ships as a 32-bit program and is tested as one wherever the
# kernel can execute 32-bit code. Some virtual machines run 64-bit user code
# only (their kernels refuse i386 binaries with ENOEXEC); there the same
# sources are built for x86_64 and tested under 64-bit Wine. QBX_WINE_ARCH
# set beforehand forces a choice.
if [ -z "${QBX_WINE_ARCH:-}" ]; then
  if [ -x /usr/lib/wine/wine ] && /usr/lib/wine/wine --version >/dev/null 2>&1; then
    QBX_WINE_ARCH=win32
  else
    QBX_WINE_ARCH=win64
  fi
fi
case "$QBX_WINE_ARCH" in
  win32) QBX_WINE=/usr/lib/wine/wine; QBX_TEST_BUILD=win32 ;;
  win64) QBX_WINE=/usr/lib/wine/wine64; QBX_TEST_BUILD=win64 ;;
  *) echo "wine-arch: QBX_WINE_ARCH must be win32 or win64" >&2; return 1 ;;
esac
