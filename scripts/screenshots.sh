#!/usr/bin/env bash
# Renders every screen of the desktop window into docs/screens/ (offscreen,
# fixed window size, the sample keys in docs/screens/sample-keys/).
#   scripts/screenshots.sh          builds quorvane-screens first
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh release quorvane-screens >/dev/null
export QT_QPA_PLATFORM=offscreen
# A fixed font and scale, so the pictures don't depend on the machine.
export QT_SCALE_FACTOR=1 QT_FONT_DPI=96
build/app/quorvane-screens docs/screens/sample-keys docs/screens
