#!/usr/bin/env bash
# Renders every screen of the desktop window into docs/screens/ (offscreen,
# fixed window size, the sample keys in docs/screens/sample-keys/).
#   scripts/screenshots.sh [SCALE [OUTPUT]]   SCALE 2 checks the 200% layout
set -euo pipefail
cd "$(dirname "$0")/.."
scale=${1:-1}
output=${2:-docs/screens}
bash scripts/build.sh release quorvane-screens >/dev/null
# A large screen, so no window is squeezed to fit the default small one.
screen=$(mktemp --suffix=.json)
trap 'rm -f "$screen"' EXIT
cat > "$screen" <<JSON
{ "screens": [ { "name": "screen", "x": 0, "y": 0, "width": $((1920 * scale)), "height": $((1080 * scale)),
                 "dpi": 96, "dpr": $scale } ] }
JSON
export QT_QPA_PLATFORM="offscreen:configfile=$screen" QT_FONT_DPI=96
build/app/quorvane-screens docs/screens/sample-keys "$output" | grep -v '^$' || true
