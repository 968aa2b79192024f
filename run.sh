#!/usr/bin/env bash
# Builds a release build and starts Orvanti connected to the built-in controller simulator.
# Extra arguments go to the program.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/deps.sh
install_deps

cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DORVANTI_BUILD_TESTS=OFF
cmake --build build/release
exec build/release/src/orvanti --demo "$@"
