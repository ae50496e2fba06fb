#!/usr/bin/env bash
# The demo itself, given the built command-line tool.
set -euo pipefail
cli=${1:?usage: demo-run.sh PATH-TO-quorvane}
"$cli" --help
