#!/usr/bin/env bash
# Brings a Debian 12 machine to what the build and the tests need. Safe to run again: every
# step checks first and does nothing when its part is already there.
set -euo pipefail

SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi

# Both mingw-w64 compilers: i686 builds the shipped 32-bit programs, x86_64 the build that the
# Windows tests run under wine64. 32-bit Wine (wine32, the i386 architecture) is not installed:
# the machines we build on cannot execute 32-bit Linux processes, so it could never start.
need_pkgs=(
  cmake make g++ python3 ca-certificates
  g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix
  wine wine64 xvfb x11-apps imagemagick xdotool
  fonts-wqy-zenhei fonts-wqy-microhei locales
  googletest
)

missing=()
for p in "${need_pkgs[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ "${#missing[@]}" -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  $SUDO apt-get update -q
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

if ! locale -a 2>/dev/null | grep -qi '^zh_CN\.utf-\?8$'; then
  echo "setup: generating the zh_CN.UTF-8 locale"
  if ! grep -q '^zh_CN.UTF-8 UTF-8' /etc/locale.gen 2>/dev/null; then
    echo 'zh_CN.UTF-8 UTF-8' | $SUDO tee -a /etc/locale.gen >/dev/null
  fi
  $SUDO locale-gen >/dev/null
fi

echo "setup: ready"
