#!/usr/bin/env bash
# Sets up a Debian machine, builds Quorvane twice (release, then with
# AddressSanitizer + UBSan) and runs every test in both builds.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh

run_tests() {
    bash scripts/with-keyring.sh ctest --test-dir "$1" --output-on-failure -j 2
}

bash scripts/build.sh release
run_tests build
bash scripts/package-check.sh

bash scripts/build.sh asan
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 run_tests build-asan
