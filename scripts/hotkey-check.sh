#!/usr/bin/env bash
# The global hot key against a real X server: a stored key made with the
# command-line tool, stand-in text on the X clipboard, the desktop app running
# with the tray panel and its shortcut on, and Ctrl+Alt+Super+R pressed. The
# clipboard must then hold the real text; with the panel off, the press must
# change nothing.
#   scripts/hotkey-check.sh PATH-TO-quorvane PATH-TO-quorvane-app
set -euo pipefail
cli=$(realpath "${1:?usage: hotkey-check.sh QUORVANE QUORVANE-APP}")
app=$(realpath "${2:?usage: hotkey-check.sh QUORVANE QUORVANE-APP}")
examples=$(realpath "$(dirname "$0")/../examples")
for tool in Xvfb xdotool xclip dbus-run-session gnome-keyring-daemon; do
    command -v "$tool" >/dev/null || { echo "hotkey check: $tool is not installed" >&2; exit 1; }
done

work=$(mktemp -d)
exec 3>"$work/display"
Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null; rm -rf "$work"' EXIT
for _ in $(seq 50); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=":$(head -n 1 "$work/display")"

export QUORVANE_KEYS_DIR="$work/keys" XDG_CONFIG_HOME="$work/config" QT_QPA_PLATFORM=xcb
export ASAN_OPTIONS="${ASAN_OPTIONS:-}:detect_leaks=0"
export CLI="$cli" APP="$app" EXAMPLES="$examples" WORK="$work"
bash "$(dirname "$0")/with-keyring.sh" bash -c '
set -euo pipefail
settings="$XDG_CONFIG_HOME/Quorvane/Quorvane.conf"
mkdir -p "$(dirname "$settings")"
"$CLI" key new --name "Hot key check" >/dev/null
"$CLI" swap "$EXAMPLES/customers.csv" --key "Hot key check" -o "$WORK/swapped.csv" >/dev/null
standIns=$(sed -n 2p "$WORK/swapped.csv")
real=$(sed -n 2p "$EXAMPLES/customers.csv")

# Puts the stand-in text on the clipboard, starts the app with the panel on
# or off, presses the hot key and prints what the clipboard then holds.
press() {
    printf "[General]\nshowInMenuBar=%s\nmenuBarShortcut=true\n" "$1" > "$settings"
    printf "%s" "$standIns" | xclip -selection clipboard -i >/dev/null 2>&1
    "$APP" >/dev/null 2>&1 &
    local pid=$!
    for _ in $(seq 100); do xdotool search --name "^Quorvane" >/dev/null 2>&1 && break; sleep 0.1; done
    sleep 1
    xdotool key ctrl+alt+super+r
    sleep 1
    xclip -selection clipboard -o
    kill $pid; wait $pid 2>/dev/null || true
}

after=$(press true)
if [ "$after" != "$real" ]; then
    echo "hotkey check: with the panel on, the clipboard holds \"$after\" instead of \"$real\"" >&2
    exit 1
fi
after=$(press false)
if [ "$after" != "$standIns" ]; then
    echo "hotkey check: with the panel off, the hot key still changed the clipboard to \"$after\"" >&2
    exit 1
fi
echo "hotkey check: Ctrl+Alt+Super+R restored the clipboard, and did nothing with the panel off."
'
