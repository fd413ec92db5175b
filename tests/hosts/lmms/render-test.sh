#!/usr/bin/env bash
# Renders a test signal through the 32-bit Windows plug-in inside LMMS (its VST
# server runs the DLL under Wine), headless under Xvfb, and judges the result
# against quaverhost.exe under Wine rendering the same input.
#
# render-test.sh WORK PLUGIN.dll QUAVERHOST.exe QV_HOST_CHECK BPM CYCLES_PER_BEAT [INDEX=VALUE ...]
#
# LMMS runs its effects in periods of 256 frames from the first frame of the song,
# the transport rolling; QV_LMMS_REPLAY adds quaverhost options (e.g. a lead-in)
# should a version of LMMS drive its plug-ins otherwise. Every step runs under
# QV_HOST_TIMEOUT seconds (default 120). Prints "FAIL: ..." and exits 1 on failure.
set -uo pipefail

if (($# < 6)); then
  sed -n '2,11p' "$0" >&2
  exit 2
fi
work=$1 plugin=$2 quaverhost=$3 check=$4 bpm=$5 cycles=$6
shift 6
limit=${QV_HOST_TIMEOUT:-120}
here=$(cd "$(dirname "$0")" && pwd)
run_windows=$here/../../../scripts/run-windows-program
rate=44100
seconds=6

fail() {
  echo "FAIL: Quaverling in LMMS: $*"
  exit 1
}

step() {
  local what=$1
  shift
  timeout -k 5 "$limit" "$@" >"$work/$what.log" 2>&1
  local status=$?
  ((status == 0)) && return 0
  if ((status == 124 || status == 137)); then
    fail "'$what' hung (stopped after $limit s); see $work/$what.log"
  elif ((status > 128)); then
    fail "'$what' crashed (signal $((status - 128))); see $work/$what.log"
  fi
  fail "'$what' failed (exit status $status); see $work/$what.log"
}

rm -rf "$work"
mkdir -p "$work/home"
work=$(cd "$work" && pwd)
export HOME=$work/home WINEPREFIX=$work/home/wine WINEDEBUG=-all WINEDLLOVERRIDES="mscoree=;mshtml="
cp "$plugin" "$work/Quaverling.dll"

"$check" signal "$work/in.wav" "$seconds" "$rate" || fail "cannot make the input"
step wineboot wine wineboot -i

# LMMS restores every parameter from the project: the program's values as
# quaverhost reads them, with the settings asked for, stored as "INDEX:NAME:VALUE".
step info "$run_windows" "$quaverhost" info "$work/Quaverling.dll"
declare -A values
while read -r index value; do values[$index]=$value; done < <(
  sed -n 's/^ *\([0-9][0-9]*\): ".*" = \([^,]*\),.*/\1 \2/p' "$work/info.log")
((${#values[@]} == 17)) || fail "quaverhost.exe info lists ${#values[@]} parameters, not 17"
for setting in "$@"; do values[${setting%%=*}]=${setting#*=}; done
params="" replay=()
for index in "${!values[@]}"; do
  params+="param$index=\"$index::${values[$index]}\" "
  replay+=(--param "$index=${values[$index]}")
done
# 48 ticks a quarter note.
ticks=$(awk -v s="$seconds" -v b="$bpm" 'BEGIN { printf "%d", s * b / 60 * 48 + 0.999 }')
sed -e "s|@BPM@|$bpm|" -e "s|@PLUGIN@|$work/Quaverling.dll|g" -e "s|@INPUT@|$work/in.wav|" \
  -e "s|@TICKS@|$ticks|" -e "s|@PARAMS@|$params|" "$here/project.mmp.in" >"$work/project.mmp"

step render xvfb-run -a lmms --render "$work/project.mmp" --format wav --float \
  --samplerate "$rate" --output "$work/lmms.wav"
[[ -s $work/lmms.wav ]] || fail "LMMS wrote no file"
grep -qi 'failed to load\|could not load\|error.*vst' "$work/render.log" &&
  fail "LMMS could not load the plug-in: $(grep -i -m1 'failed to load\|could not load\|error.*vst' "$work/render.log")"

# shellcheck disable=SC2086 # QV_LMMS_REPLAY holds separate options
step replay "$run_windows" "$quaverhost" render "$work/Quaverling.dll" "$work/in.wav" "$work/reference.wav" \
  --quiet --tempo "$bpm" --block 256 --whole-blocks "${replay[@]}" ${QV_LMMS_REPLAY:-}

expected=$(awk -v bpm="$bpm" -v c="$cycles" 'BEGIN { printf "%.6f", bpm / 60 * c }')
# LMMS renders to the end of the last bar: the frames past the input are left out.
if ! "$check" check "$work/in.wav" "$work/lmms.wav" "$work/reference.wav" "$expected" tail \
  >"$work/check.log"; then
  grep '^FAIL: ' "$work/check.log" | sed 's/^FAIL: /FAIL: Quaverling in LMMS: /'
  exit 1
fi
sed 's/^/  /' "$work/check.log"
echo "PASS: Quaverling in LMMS at $bpm BPM, $cycles cycles a beat"
