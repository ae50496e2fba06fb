#!/usr/bin/env bash
# Configures and builds one flavour of the tree.
#   scripts/build.sh            release build in build/
#   scripts/build.sh asan       AddressSanitizer + UBSan build in build-asan/
#   scripts/build.sh fuzz       libFuzzer targets (clang) in build-fuzz/
set -euo pipefail
cd "$(dirname "$0")/.."
flavour=${1:-release}
jobs=${QUORVANE_JOBS:-2}

case "$flavour" in
    release) dir=build;      args=(-DCMAKE_BUILD_TYPE=Release) ;;
    asan)    dir=build-asan; args=(-DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS=-O1 -DQUORVANE_SANITIZE=ON) ;;
    fuzz)    dir=build-fuzz; args=(-DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS=-O1 -DQUORVANE_FUZZ=ON
                                   -DCMAKE_CXX_COMPILER=clang++) ;;
    *) echo "usage: $0 [release|asan|fuzz]" >&2; exit 2 ;;
esac

cmake -S . -B "$dir" -G Ninja "${args[@]}" >/dev/null
cmake --build "$dir" -j "$jobs"
