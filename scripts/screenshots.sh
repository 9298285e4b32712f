#!/usr/bin/env bash
# Redraws the README's screenshots in docs/ with the release build's preview
# tool, which plays a scripted game under a virtual display.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
"$here/scripts/setup.sh" release
unset DISPLAY
xvfb-run -a -s "-screen 0 1280x1024x24" "$here/build/release/tarvok_preview" screens "$here/docs" \
  --run "$here/build/release/run" | grep '^wrote'
