#!/usr/bin/env bash
# Sets up, builds, generates the data and starts the game; options go to the
# game (./scripts/play.sh --cpu two to play alone).
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
"$here/scripts/setup.sh" release
run="$here/build/release/run"
if [ -z "${DISPLAY:-}" ]; then
  echo "tarvok: no display to open a window on; to play without one run: cd $run && xvfb-run -a ../tarvok" >&2
  exit 1
fi
cd "$run"
exec ../tarvok "$@"
