#!/usr/bin/env bash
# The test of the Ardour test: a plug-in that fails in each way a real host could
# hide (it refuses, crashes or hangs at its entry or on its first block, or its
# output is silent or dry) must make render-test.sh fail, with a message that says
# what happened.
#
# broken-plugin-test.sh WORK BROKEN.so PROBE.so QUAVERHOST QV_HOST_CHECK
set -uo pipefail

if (($# != 5)); then
  sed -n '2,7p' "$0" >&2
  exit 2
fi
work=$1 broken=$2 probe=$3 quaverhost=$4 check=$5
here=$(cd "$(dirname "$0")" && pwd)
# Hangs are cut short here, though not so short that a busy machine looks like one.
export QV_HOST_TIMEOUT=${QV_HOST_TIMEOUT:-40}

cases=(
  "entry-null|could not load the plug-in"
  "entry-crash|crashed while it ran 'scan-plugin'"
  "entry-hang|hung while it ran 'scan-plugin'"
  "process-crash|crashed while it ran 'export'"
  "process-hang|hung while it ran 'export'"
  "silent|render is silent"
  "|render is the dry input"
)
passed=0 failed=0
for entry in "${cases[@]}"; do
  fault=${entry%%|*} expected=${entry#*|}
  output=$(QV_BROKEN_FAULT=$fault "$here/render-test.sh" "$work/${fault:-none}" "$broken" Broken \
    "$probe" "$quaverhost" "$check" 120 1 8=0.5 2>&1)
  status=$?
  if ((status == 1)) && grep -q "^FAIL: .*$expected" <<<"$output"; then
    echo "ok: a plug-in with fault '${fault:-none}' fails the Ardour test: $(grep -m1 '^FAIL: ' <<<"$output")"
    passed=$((passed + 1))
  else
    echo "NOT CAUGHT: a plug-in with fault '${fault:-none}' (exit status $status, expected a" \
      "failure saying '$expected'):"
    sed 's/^/  | /' <<<"$output"
    failed=$((failed + 1))
  fi
done
echo "broken plug-in: $passed of ${#cases[@]} faults caught"
((failed == 0))
