#!/usr/bin/env bash
# Configures and builds one flavour of the tree.
#   scripts/build.sh            release build in build/
#   scripts/build.sh asan       AddressSanitizer + UBSan build in build-asan/
#   scripts/build.sh fuzz       libFuzzer targets (clang) in build-fuzz/
# Names after the flavour build only those targets (scripts/build.sh fuzz fuzz_CSVDocumentFuzz).
set -euo pipefail
cd "$(dirname "$0")/.."
flavour=${1:-release}
targets=("${@:2}")
jobs=${QUORVANE_JOBS:-2}

case "$flavour" in
    release) dir=build;      args=(-DCMAKE_BUILD_TYPE=Release) ;;
    asan)    dir=build-asan; args=(-DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS=-O1 -DQUORVANE_SANITIZE=ON -DQUORVANE_BENCH=OFF) ;;
    fuzz)    dir=build-fuzz; args=(-DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS=-O1 -DQUORVANE_FUZZ=ON
                                   -DCMAKE_CXX_COMPILER=clang++) ;;
    *) echo "usage: $0 [release|asan|fuzz]" >&2; exit 2 ;;
esac

cmake -S . -B "$dir" -G Ninja "${args[@]}" >/dev/null
if [ ${#targets[@]} -gt 0 ]; then
    cmake --build "$dir" -j "$jobs" --target "${targets[@]}"
else
    cmake --build "$dir" -j "$jobs"
fi
