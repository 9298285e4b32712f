#!/usr/bin/env bash
# Sets up the sanitizer build, generates the data and runs the whole test suite
# headless, under a virtual X server of its own; then fuzzes each file reader
# for a short while.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
"$here/scripts/setup.sh" test
cd "$here"
unset DISPLAY
xvfb-run -a -s "-screen 0 1024x768x24 -noreset" ctest --preset test "$@"
# The file readers' fuzzing targets, briefly each, when the whole suite runs
# (scripts/fuzz.sh for longer runs).
if [ $# -eq 0 ]; then
  "$here/scripts/fuzz.sh" 20
fi
