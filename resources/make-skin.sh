#!/bin/sh
# Draws the editor's skin and writes the BMP files into resources/bitmaps/ (commit them).
# With a folder as the first argument, also writes PNG pictures there: every image, the
# whole editor as it opens (editor.png) and enlarged copies (*-x3.png, *-x4.png).
# The generator is built in $SKIN_BUILD_DIR (default build/skin-generator).
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build=${SKIN_BUILD_DIR:-$root/build/skin-generator}
if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake --preset native-release -B "$build" -S "$root" >/dev/null
fi
cmake --build "$build" --target quaverling-skin
if [ $# -gt 0 ]; then
  mkdir -p "$1"
  "$build/bin/quaverling-skin" "$root/resources/bitmaps" "$1"
else
  "$build/bin/quaverling-skin" "$root/resources/bitmaps"
fi
echo "skin written to $root/resources/bitmaps"
