#!/usr/bin/env bash
# Installs the Debian packages the build needs, only those that are missing.
# Usage: tools/install-deps.sh [linux|windows|fuzz|all]   (default: linux)
set -euo pipefail

linux="cmake g++ make libgtest-dev libbenchmark-dev libedit-dev libcurl4-openssl-dev pkg-config"
# The Windows build: the i686 cross compiler, GoogleTest's sources and 32-bit Wine.
windows="g++-mingw-w64-i686-posix binutils-mingw-w64-i686 googletest wine wine32:i386"
# The fuzz targets need clang's libFuzzer; nothing else does.
fuzz="clang"
case "${1:-linux}" in
  linux) wanted="$linux" ;;
  fuzz) wanted="$fuzz" ;;
  windows) wanted="$windows" ;;
  all) wanted="$linux $windows" ;;
  *) echo "usage: $0 [linux|windows|fuzz|all]" >&2; exit 2 ;;
esac

# Without dpkg this is no Debian system: leave the packages to the user.
command -v dpkg >/dev/null 2>&1 || exit 0

missing=""
for p in $wanted; do
  dpkg -s "$p" >/dev/null 2>&1 || missing="$missing $p"
done
[ -z "$missing" ] && exit 0

if [ "$(id -u)" -ne 0 ]; then
  if command -v sudo >/dev/null 2>&1; then
    exec sudo "$0" "$@"
  fi
  echo "missing packages:$missing (run this script as root to install them)" >&2
  exit 1
fi

export DEBIAN_FRONTEND=noninteractive
# 32-bit Wine comes from the i386 architecture, known before the update.
case "$missing" in
  *:i386*)
    dpkg --print-foreign-architectures | grep -qx i386 || dpkg --add-architecture i386 ;;
esac
echo "installing:$missing"
apt-get update -qq
apt-get install -y -qq $missing
