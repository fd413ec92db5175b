#!/usr/bin/env bash
# Fails, listing the files, when a tracked C++ source differs from what clang-format makes
# of it under .clang-format. Fix with: clang-format -i <file>...
set -euo pipefail
cd "$(dirname "$0")/.."

format=${CLANG_FORMAT:-clang-format}
mapfile -t files < <(git ls-files '*.cpp' '*.h')
# One run over every file; each difference is reported as "file:line:col: error: ...".
report=$("$format" --dry-run --Werror "${files[@]}" 2>&1) && status=0 || status=$?
if ((status != 0)); then
  printf 'Not formatted (clang-format -i fixes them):\n' >&2
  grep -o '^[^:]*:[0-9]*:[0-9]*: error' <<<"$report" | cut -d: -f1 | sort -u | sed 's/^/  /' >&2
  # A failure without a file name (clang-format missing or broken) is shown as it came.
  grep -q ': error' <<<"$report" || printf '%s\n' "$report" >&2
  exit 1
fi
printf 'Formatting: %d files clean.\n' "${#files[@]}"
