#!/usr/bin/env bash
# Builds Quaverling (Linux and 32-bit Windows) and renders the demo loop through it
# with the project's own host, quaverhost: the 32-bit DLL under Wine where this machine can
# execute 32-bit code, else the 64-bit DLL under Wine's 64-bit loader, else the Linux
# plug-in. Results go to out/demo/.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/machine.sh

say() { printf '\n== %s\n' "$*"; }
jobs=$(nproc 2>/dev/null || echo 2)
# Build folders are build/<preset>; QV_BUILD_PREFIX changes the "build/" part.
prefix=${QV_BUILD_PREFIX:-build/}
export WINEDEBUG=-all
# No prompts for Wine's optional .NET and HTML runtimes.
export WINEDLLOVERRIDES="mscoree=;mshtml="

say "This machine"
qv_report_32bit

say "Checking the build tools (installs what is missing)"
if [[ $EUID -ne 0 ]] && command -v sudo >/dev/null; then sudo scripts/install-deps.sh; else scripts/install-deps.sh; fi

build() {
  local preset=$1
  say "Building $preset"
  cmake --preset "$preset" -B "$prefix$preset" >/dev/null
  cmake --build "$prefix$preset" -j "$jobs" --target Quaverling quaverhost make-demo-loop
}
build native-release
build win32

loop=demo/demo-loop.wav
if [[ ! -f $loop ]]; then
  say "Making the demo loop"
  "${prefix}native-release/bin/make-demo-loop" "$loop"
fi

# The first of: the product under Wine, the 64-bit DLL under Wine, the Linux plug-in.
windows_host_runs() { scripts/run-windows-program "$1/quaverhost.exe" help >/dev/null 2>&1; }
if qv_can_run_32bit && windows_host_runs "${prefix}win32/bin"; then
  host=(scripts/run-windows-program "${prefix}win32/bin/quaverhost.exe")
  plugin=${prefix}win32/bin/Quaverling.dll
  how="the 32-bit Windows host tool and Quaverling.dll under Wine"
else
  if qv_can_run_32bit; then
    why="Wine could not run the 32-bit host tool here"
  elif [[ ${QV_FORCE_NO_32BIT:-0} != 0 ]]; then
    why="QV_FORCE_NO_32BIT is set"
  else
    why="this machine cannot execute 32-bit code"
  fi
  say "The 32-bit DLL cannot run: $why; trying the 64-bit one"
  build win64
  if windows_host_runs "${prefix}win64/bin"; then
    host=(scripts/run-windows-program "${prefix}win64/bin/quaverhost.exe")
    plugin=${prefix}win64/bin/Quaverling.dll
    how="the 64-bit Windows host tool and Quaverling.dll under Wine ($why)"
  else
    host=("${prefix}native-release/bin/quaverhost")
    plugin=${prefix}native-release/bin/Quaverling.so
    how="the native Linux host tool and Quaverling.so ($why, and Wine could not run the 64-bit host tool either)"
  fi
fi
say "Running the plug-in with $how"

say "What the plug-in tells a host about itself"
"${host[@]}" info "$plugin"

out=out/demo
mkdir -p "$out"
say "Rendering the demo loop through the default program"
"${host[@]}" render "$plugin" "$loop" "$out/default.wav" --tempo 120 \
  --events-out "$out/default-metronome.txt" --smf-out "$out/default-metronome.mid"

say "Rendering the demo loop as an auto-panner at 2 cycles per beat, synced to the host"
"${host[@]}" render "$plugin" "$loop" "$out/panner-2x.wav" --tempo 120 \
  --param "Stereo Mode=0" --param "Multiplier=0.5" --param "Depth=0.9" \
  --param "Set tempo to=0.5" \
  --events-out "$out/panner-2x-metronome.txt" --smf-out "$out/panner-2x-metronome.mid"

say "A picture of the editor at the default program: out/editor.png"
"${prefix}native-release/bin/quaverhost" snapshot "${prefix}native-release/bin/Quaverling.so" \
  out/editor.png

cat <<DONE

Done. Quaverling was built for Linux (${prefix}native-release/bin/Quaverling.so) and for
32-bit Windows (${prefix}win32/bin/Quaverling.dll), and the demo loop $loop
(8 s, 120 BPM) was run through it with $how.
The results are in $out/:
- default.wav: the default program "Simple Sine Wave", a sine auto-pan at 1.5 cycles
  per beat, 50 % deep, at the program's own tempo of 160 BPM.
- panner-2x.wav: an auto-pan at 2 cycles per beat, 90 % deep, locked to the host's 120 BPM.
- default-metronome.txt and panner-2x-metronome.txt: the metronome notes the plug-in
  sent, one per line with its sample position.
- default-metronome.mid and panner-2x-metronome.mid: the same notes as Standard MIDI
  Files that any DAW opens.
DONE
