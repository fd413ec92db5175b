#!/usr/bin/env bash
# Renders a test signal through a Linux VST 2 plug-in inside Ardour, headless, and
# judges the result against quaverhost replaying Ardour's transport.
#
# render-test.sh WORK PLUGIN.so NAME PROBE.so QUAVERHOST QV_HOST_CHECK BPM CYCLES_PER_BEAT [INDEX=VALUE ...]
#
# The probe plug-in sits before the plug-in under test and records how Ardour runs
# the chain: the stopped lead-in, the first rolling block and the block size, which
# quaverhost then replays. Every Ardour step runs under a time limit
# (QV_HOST_TIMEOUT seconds, default 90). Prints "FAIL: ..." and exits 1 when Ardour
# cannot load the plug-in, crashes or hangs, or when the render is wrong.
set -uo pipefail

if (($# < 8)); then
  sed -n '2,13p' "$0" >&2
  exit 2
fi
work=$1 plugin=$2 name=$3 probe=$4 quaverhost=$5 check=$6 bpm=$7 cycles=$8
shift 8
settings=("$@")
limit=${QV_HOST_TIMEOUT:-90}
here=$(cd "$(dirname "$0")" && pwd)
rate=44100
seconds=6

fail() {
  echo "FAIL: $name in Ardour: $*"
  exit 1
}

# Runs a step under the time limit and names what went wrong: a hang, a crash or
# another failure. Its output goes to $work/STEP.log.
step() {
  local what=$1
  shift
  timeout -k 5 "$limit" "$@" >"$work/$what.log" 2>&1
  local status=$?
  ((status == 0)) && return 0
  # Ardour's export has been seen to stop for good a few blocks into its stopped lead-in,
  # once in some twenty runs of a plug-in that passes every other time: a hang counts
  # only when the export hangs twice running.
  if [[ $what == export ]] && ((status == 124 || status == 137)); then
    echo "note: Ardour's export hung (stopped after $limit s); running it once more"
    mv "$work/$what.log" "$work/$what-hung.log"
    [[ -z ${QV_PROBE_LOG:-} ]] || mv "$QV_PROBE_LOG" "$QV_PROBE_LOG.hung" 2>/dev/null
    timeout -k 5 "$limit" "$@" >"$work/$what.log" 2>&1
    status=$?
    ((status == 0)) && return 0
  fi
  # ardour7-lua now and then crashes while it shuts down, after the script is done.
  if [[ $what == session ]] && ((status > 128)) && grep -qx 'session ready' "$work/$what.log"; then
    echo "note: ardour7-lua crashed (signal $((status - 128))) while it shut down after saving the session"
    return 0
  fi
  grep -h -e '^FAIL: ' -e '^Error: ' "$work/$what.log" | head -n 3
  # Ardour's scanner catches the signal itself and reports it.
  local caught who=Ardour
  caught=$(grep -m1 -oE '^Error: signal [0-9]+' "$work/$what.log" | grep -oE '[0-9]+$')
  [[ $what == replay ]] && who=quaverhost
  if ((status == 124 || status == 137)); then
    fail "$who hung while it ran '$what' (stopped after $limit s)"
  elif ((status > 128)) || [[ -n $caught ]]; then
    fail "$who crashed while it ran '$what' (signal ${caught:-$((status - 128))}); see $work/$what.log"
  fi
  fail "$who failed at '$what' (exit status $status); see $work/$what.log"
}

rm -rf "$work"
mkdir -p "$work/vst" "$work/home/.config/ardour7"
work=$(cd "$work" && pwd)
# Ardour keeps its settings and plug-in cache in the home folder: a fresh one per
# test, whose settings offer the dummy audio backend that needs no sound card.
export HOME=$work/home XDG_CONFIG_HOME=$work/home/.config XDG_CACHE_HOME=$work/home/.cache
cat >"$XDG_CONFIG_HOME/ardour7/config" <<'XML'
<?xml version="1.0" encoding="UTF-8"?>
<Ardour>
  <Config>
    <Option name="hide-dummy-backend" value="0"/>
  </Config>
</Ardour>
XML
cp "$plugin" "$work/vst/plugin.so"
cp "$probe" "$work/vst/probe.so"
# Ardour trusts a cache entry only when it is newer than the library, to the second.
touch -d '1 minute ago' "$work/vst/plugin.so" "$work/vst/probe.so"
export LXVST_PATH=$work/vst
unset QV_PROBE_LOG

# The session tool reads the scanner's cache and never loads a plug-in to scan it.
for library in probe plugin; do
  LD_LIBRARY_PATH=/usr/lib/ardour7 step "scan-$library" \
    /usr/lib/ardour7/ardour-vst-scanner -f "$work/vst/$library.so"
  ls "$XDG_CACHE_HOME"/ardour7/vst/*.v2i >/dev/null 2>&1 ||
    fail "Ardour's scanner found no plug-in in $(basename "$plugin")"
done
grep -q "name=\"$name\"" "$XDG_CACHE_HOME"/ardour7/vst/*.v2i ||
  fail "Ardour's scanner could not load the plug-in (no '$name' in its cache)"

if ! "$check" signal "$work/in.wav" "$seconds" "$rate" ||
  ! "$check" split "$work/in.wav" "$work/left.wav" "$work/right.wav"; then
  fail "cannot make the input"
fi
frames=$((seconds * rate))

step session ardour7-lua "$here/make-session.lua" "$work/session" host "$rate" "$bpm" "$frames" \
  "$work/left.wav" "$work/right.wav" "Probe,$name" "${settings[@]}"
QV_PROBE_LOG=$work/probe.log step export \
  ardour7-export -b float -o "$work/ardour.wav" "$work/session" host
[[ -s $work/ardour.wav ]] || fail "Ardour's export wrote no file"

# How Ardour ran the chain: blocks with the transport stopped (the lead-in), then the
# first rolling block, then the block size it keeps to, to the end of the last block;
# and the tempo it reports (its tempo map's, a hair off the BPM asked for).
read -r leadIn first block tempo < <(awk '
  $2 == "block" && $4 == "flags" {
    playing = int($5 / 2) % 2
    if (!playing && !rolled) lead += $3
    else if (playing && !rolled) { rolled = 1; first = $3; tempo = $11 }
    else if (playing && !size) size = $3
  }
  END { print lead + 0, first + 0, size + 0, tempo }' "$work/probe.log")
((first > 0 && block > 0)) || fail "the probe saw no rolling blocks; see $work/probe.log"
echo "Ardour ran a lead-in of $leadIn frames with the transport stopped, then a first block" \
  "of $first frames, then blocks of $block, at a tempo of $tempo"

# The parameters as Ardour restores them from the session: as created, plus what the
# plug-in itself changed while Ardour ran it (host sync stores the tempo).
mapfile -t params < <(awk -v name="$name" '
  /<Processor / && index($0, "name=\"" name "\"") { found = 1 }
  found && /<parameters / {
    while (match($0, /param-[0-9]+="[^"]*"/)) {
      pair = substr($0, RSTART + 6, RLENGTH - 7); sub(/="/, "=", pair); print "--param"; print pair
      $0 = substr($0, RSTART + RLENGTH)
    }
    exit
  }' "$work/session/host.ardour")
((${#params[@]} > 0)) || fail "the saved session holds no parameters of $name"

step replay "$quaverhost" render "$plugin" "$work/in.wav" "$work/reference.wav" --quiet \
  --tempo "$tempo" --lead-in "$leadIn" --first-block "$first" --block "$block" \
  --ppq-resolution 1920 --whole-blocks "${params[@]}"

expected=$(awk -v bpm="$bpm" -v c="$cycles" 'BEGIN { printf "%.6f", bpm / 60 * c }')
if ! "$check" check "$work/in.wav" "$work/ardour.wav" "$work/reference.wav" "$expected" \
  >"$work/check.log"; then
  grep '^FAIL: ' "$work/check.log" | sed "s/^FAIL: /FAIL: $name in Ardour: /"
  exit 1
fi
sed 's/^/  /' "$work/check.log"
echo "PASS: $name in Ardour at $bpm BPM, $cycles cycles a beat"
