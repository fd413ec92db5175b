#!/usr/bin/env bash
# Runs the plug-in inside real third-party hosts, headless: the Linux plug-in in
# Ardour, and the 32-bit Windows DLL in LMMS where this machine can execute 32-bit
# code. Installs the hosts, builds what the tests need in
# ${QV_BUILD_PREFIX:-build/}native-release (and win32 for LMMS), bounds every step
# in time and exits non-zero on any failure. Work files: ${prefix}real-hosts/.
set -uo pipefail
cd "$(dirname "$0")/.." || exit 1
source scripts/machine.sh

prefix=${QV_BUILD_PREFIX:-build/}
native=${prefix}native-release
work=${prefix}real-hosts
jobs=$(nproc 2>/dev/null || echo 2)
passed=0 failed=0 skipped=0

as_root() { if [[ $EUID -ne 0 ]] && command -v sudo >/dev/null; then sudo "$@"; else "$@"; fi; }

install() {
  local missing=()
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  ((${#missing[@]})) || return 0
  printf '== installing %s\n' "${missing[*]}"
  as_root env DEBIAN_FRONTEND=noninteractive timeout 1200 apt-get install -y -qq \
    --no-install-recommends "${missing[@]}" ||
    { as_root timeout 600 apt-get update -qq &&
      as_root env DEBIAN_FRONTEND=noninteractive timeout 1200 apt-get install -y -qq \
        --no-install-recommends "${missing[@]}"; }
}

# Runs one test under a time limit and counts it.
check() {
  local name=$1 limit=$2
  shift 2
  printf '\n== %s\n' "$name"
  timeout -k 10 "$limit" "$@"
  local status=$?
  if ((status == 0)); then
    passed=$((passed + 1))
  else
    ((status == 124)) && echo "FAIL: $name took longer than $limit s"
    failed=$((failed + 1))
  fi
}

install ardour || { echo "FAIL: cannot install Ardour"; exit 1; }

printf '\n== native-release: build\n'
if ! { cmake --preset native-release -B "$native" -DQV_WERROR="${QV_WERROR:-OFF}" >/dev/null &&
  cmake --build "$native" -j "$jobs" --target Quaverling quaverhost qv_probe_plugin \
    qv_broken_plugin qv_host_check; }; then
  echo "FAIL: the native-release build"
  exit 1
fi
bin=$native/bin
tools=("$bin/ProbePlugin.so" "$bin/quaverhost" "$bin/qv_host_check")

# Host sync in the default program; then the song position driving a triangle
# tremolo at another tempo.
check "Ardour: host sync, default program, 96 BPM" 300 \
  tests/hosts/ardour/render-test.sh "$work/ardour-host-sync" "$bin/Quaverling.so" Quaverling \
  "${tools[@]}" 96 1.5 8=0.5
check "Ardour: song position sync, triangle tremolo x2, 137 BPM" 300 \
  tests/hosts/ardour/render-test.sh "$work/ardour-position-sync" "$bin/Quaverling.so" Quaverling \
  "${tools[@]}" 137 2 0=0.5 2=0.8 3=0.3 5=0.05 6=1 8=0.75
check "Ardour: a broken plug-in fails the test" 600 \
  tests/hosts/ardour/broken-plugin-test.sh "$work/ardour-broken" "$bin/BrokenPlugin.so" \
  "${tools[@]}"

if ! qv_can_run_32bit; then
  printf '\nSKIPPED: LMMS test — this machine cannot execute 32-bit code\n'
  skipped=$((skipped + 1))
else
  # LMMS hosts 32-bit DLLs with its 32-bit VST server under Wine.
  install lmms lmms-vst-server:i386 xvfb xauth || { echo "FAIL: cannot install LMMS"; exit 1; }
  win32=${prefix}win32
  printf '\n== win32: build\n'
  if { cmake --preset win32 -B "$win32" -DQV_WERROR="${QV_WERROR:-OFF}" >/dev/null &&
    cmake --build "$win32" -j "$jobs" --target Quaverling quaverhost; }; then
    check "LMMS: host sync, default program, 96 BPM" 300 \
      tests/hosts/lmms/render-test.sh "$work/lmms-host-sync" "$win32/bin/Quaverling.dll" \
      "$win32/bin/quaverhost.exe" "$bin/qv_host_check" 96 1.5 8=0.5
  else
    echo "FAIL: the win32 build"
    failed=$((failed + 1))
  fi
fi

printf '\nreal-hosts: %d passed, %d failed, %d skipped\n' "$passed" "$failed" "$skipped"
((failed == 0))
