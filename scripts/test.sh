#!/usr/bin/env bash
# Builds and runs every test: the 32-bit and 64-bit Windows builds, whose tests run under
# Wine, then native (with AddressSanitizer and UBSan), the thread test under
# ThreadSanitizer, and the plug-in in real hosts (scripts/real-hosts.sh). On a machine that cannot execute 32-bit code (or with
# QV_FORCE_NO_32BIT=1) the 32-bit build is built and checked without running it, and the
# summary says so. Exits non-zero when anything fails to build or any test that could run
# fails.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/machine.sh

jobs=$(nproc 2>/dev/null || echo 2)
# Build folders are build/<preset>; QV_BUILD_PREFIX changes the "build/" part.
prefix=${QV_BUILD_PREFIX:-build/}
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree=;mshtml="
# QV_WERROR=ON (as CI sets it) makes every warning an error, here and in real-hosts.sh.
export QV_WERROR=${QV_WERROR:-OFF}

printf '== This machine\n'
qv_report_32bit

if [[ $EUID -ne 0 ]] && command -v sudo >/dev/null; then sudo scripts/install-deps.sh; else scripts/install-deps.sh; fi

# Create the Wine prefix once, before tests start several Wine processes at a time.
if qv_can_run_32bit; then
  xvfb-run -a wine wineboot -i >/dev/null 2>&1 || true
else
  xvfb-run -a /usr/lib/wine/wine64 wineboot -i >/dev/null 2>&1 || true
fi

failed=()
skipped=()
scripts/check-format.sh || failed+=("format")
# The Windows builds go first: their tests leave pictures drawn through GDI under Wine,
# which the native tests then compare with the software backend's (and, told so here, fail
# when there are none).
for preset in win32 win64 native-debug; do
  printf '\n== %s: configure and build\n' "$preset"
  dir=$prefix$preset
  if ! { cmake --preset "$preset" -B "$dir" -DQV_WERROR="$QV_WERROR" && cmake --build "$dir" -j "$jobs"; }; then
    failed+=("$preset (build)")
    continue
  fi
  tests=()
  if [[ $preset == win32 ]] && ! qv_can_run_32bit; then
    printf '\n== %s: checks that need no 32-bit code to run\n' "$preset"
    tests=(-L static)
    skipped+=("SKIPPED: 32-bit Windows tests — this machine cannot execute 32-bit code")
  else
    printf '\n== %s: tests\n' "$preset"
  fi
  # A virtual display for the tests that open windows.
  QV_REQUIRE_GDI_PICTURES=1 xvfb-run -a \
    ctest --test-dir "$dir" --output-on-failure -j "$jobs" "${tests[@]}" ||
    failed+=("$preset (tests)")
done

# ThreadSanitizer: only the tests that run several threads are built and run in this build:
# audio beside parameter changes, and the X11 editor beside audio and its own event thread.
printf '\n== native-tsan: thread tests\n'
{ cmake --preset native-tsan -B "${prefix}native-tsan" -DQV_WERROR="$QV_WERROR" &&
  cmake --build "${prefix}native-tsan" -j "$jobs" --target threads_audio_control x11_editor_tests &&
  xvfb-run -a ctest --test-dir "${prefix}native-tsan" --output-on-failure \
    -R '^(threads_audio_control|x11_editor_tests)$'; } ||
  failed+=("native-tsan (threads)")

# The Linux plug-in in Ardour, and the 32-bit DLL in LMMS where 32-bit code runs.
printf '\n== real hosts\n'
hosts_log=${prefix}real-hosts.log
mkdir -p "$(dirname "$hosts_log")"
scripts/real-hosts.sh 2>&1 | tee "$hosts_log" || failed+=("real hosts")
mapfile -t -O "${#skipped[@]}" skipped < <(grep '^SKIPPED:' "$hosts_log")

printf '\n'
for line in "${skipped[@]}"; do printf '%s\n' "$line"; done
if ((${#failed[@]})); then
  printf 'FAILED: %s\n' "${failed[*]}"
  exit 1
fi
printf 'All builds and tests that this machine can run passed.\n'
