#!/usr/bin/env bash
# Builds with AddressSanitizer and UndefinedBehaviorSanitizer and runs every test on Qt's
# offscreen platform. Exits non-zero when anything fails.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/deps.sh
install_deps

cmake -S . -B build/test -G Ninja -DCMAKE_BUILD_TYPE=Debug -DORVANTI_SANITIZE=ON
cmake --build build/test
cd build/test
export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
ctest --output-on-failure --parallel 2 --timeout 300
