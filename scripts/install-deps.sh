#!/usr/bin/env bash
# Installs what the build and tests need on Debian 12; skips what is already there.
set -euo pipefail
source "$(dirname "$0")/machine.sh"

need=()
have() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'; }

packages=(cmake ninja-build g++ make pkg-config libgtest-dev libgmock-dev libbenchmark-dev
          libfreetype-dev libpng-dev fonts-liberation fonts-dejavu-core
          g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix
          wine wine64 xvfb xauth clang-format
          libxcb1-dev libxcb-shm0-dev libxcb-xtest0-dev libxcb-res0-dev)

# 32-bit Wine only where this machine can execute it.
if qv_can_run_32bit; then
  packages+=(wine32:i386)
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    dpkg --add-architecture i386
    apt-get update -qq
  fi
fi
for p in "${packages[@]}"; do have "$p" || need+=("$p"); done
if ((${#need[@]})); then
  [[ -n "$(ls -A /var/lib/apt/lists 2>/dev/null | grep -v lock)" ]] || apt-get update -qq
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${need[@]}" \
    || { apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${need[@]}"; }
fi
