#!/usr/bin/env bash
# Runs a command inside a private D-Bus session with an unlocked gnome-keyring,
# so code that talks to the Secret Service meets a real one.
set -euo pipefail
if [ $# -eq 0 ]; then echo "usage: $0 COMMAND [ARG...]" >&2; exit 2; fi
export QUORVANE_KEYRING_HOME=${QUORVANE_KEYRING_HOME:-$(mktemp -d)}
exec dbus-run-session -- bash -c '
    export XDG_DATA_HOME="$QUORVANE_KEYRING_HOME" XDG_RUNTIME_DIR="$QUORVANE_KEYRING_HOME"
    printf "quorvane-test" | gnome-keyring-daemon --unlock --components=secrets >/dev/null
    exec "$@"' bash "$@"
