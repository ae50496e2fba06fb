#!/usr/bin/env bash
# Builds the libFuzzer targets and runs one of them for a while.
#   scripts/fuzz.sh NAME SECONDS     e.g. scripts/fuzz.sh CSVDocumentFuzz 600
# The corpus grows in fuzz-corpus/NAME (outside git), seeded from tests/data.
# Inputs that crash or hang are written to fuzz-corpus/NAME-findings; keep
# them under tests/data/fuzz/ so the tests replay them.
set -euo pipefail
cd "$(dirname "$0")/.."
name=${1:?usage: $0 NAME SECONDS}
seconds=${2:?usage: $0 NAME SECONDS}

bash scripts/build.sh fuzz "fuzz_$name" >/dev/null
corpus=fuzz-corpus/$name
findings=fuzz-corpus/$name-findings
mkdir -p "$corpus" "$findings"

seeds=()
for dir in "tests/data/fuzz/$name" "tests/data/fuzz-seeds/$name"; do
    [ -d "$dir" ] && seeds+=("$dir")
done

exec build-fuzz/tests/fuzz_"$name" -max_total_time="$seconds" -timeout=25 -rss_limit_mb=2048 \
    -artifact_prefix="$findings/" -print_final_stats=1 "$corpus" "${seeds[@]}"
