#!/usr/bin/env bash
# Sets up a Debian machine, builds Quorvane and runs the demo through the
# command-line tool.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
bash scripts/build.sh release >/dev/null
exec bash scripts/demo-run.sh build/cli/quorvane
