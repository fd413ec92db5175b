#!/usr/bin/env bash
# Builds and runs every test: the 32-bit and 64-bit Windows builds, whose tests run
# under Wine, then native (with AddressSanitizer and UBSan). Exits non-zero when
# anything fails to build or any test fails.
set -euo pipefail
cd "$(dirname "$0")/.."

jobs=$(nproc 2>/dev/null || echo 2)
# Build folders are build/<preset>; QV_BUILD_PREFIX changes the "build/" part.
prefix=${QV_BUILD_PREFIX:-build/}
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree=;mshtml="

if [[ $EUID -ne 0 ]] && command -v sudo >/dev/null; then sudo scripts/install-deps.sh; else scripts/install-deps.sh; fi

# Create the Wine prefix once, before tests start several Wine processes at a time.
xvfb-run -a wineboot -i >/dev/null 2>&1 || true

failed=()
scripts/check-format.sh || failed+=("format")
# The Windows builds go first: their tests leave pictures drawn through GDI under Wine,
# which the native tests then compare with the software backend's.
for preset in win32 win64 native-debug; do
  printf '\n== %s: configure and build\n' "$preset"
  dir=$prefix$preset
  if ! { cmake --preset "$preset" -B "$dir" && cmake --build "$dir" -j "$jobs"; }; then
    failed+=("$preset (build)")
    continue
  fi
  printf '\n== %s: tests\n' "$preset"
  # A virtual display for the tests that open windows.
  xvfb-run -a ctest --test-dir "$dir" --output-on-failure -j "$jobs" || failed+=("$preset (tests)")
done

# ThreadSanitizer: only the thread test is built and run in this build.
printf '\n== native-tsan: thread test\n'
{ cmake --preset native-tsan -B "${prefix}native-tsan" &&
  cmake --build "${prefix}native-tsan" -j "$jobs" --target threads_audio_control &&
  ctest --test-dir "${prefix}native-tsan" --output-on-failure -R '^threads_'; } ||
  failed+=("native-tsan (threads)")

if ((${#failed[@]})); then
  printf '\nFAILED: %s\n' "${failed[*]}"
  exit 1
fi
printf '\nAll builds and tests passed.\n'
