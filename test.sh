#!/usr/bin/env bash
# Builds with AddressSanitizer and UndefinedBehaviorSanitizer, the benchmarks alongside
# so they cannot rot; builds the fuzz targets with clang and runs each for a bounded
# time from its corpus; then runs every test on Qt's offscreen platform. Exits non-zero
# when anything fails.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/deps.sh
install_deps
# Two cores: keep the compilers from crowding each other out.
export CMAKE_BUILD_PARALLEL_LEVEL="${CMAKE_BUILD_PARALLEL_LEVEL:-2}"

cmake -S . -B build/test -G Ninja -DCMAKE_BUILD_TYPE=Debug -DORVANTI_SANITIZE=ON \
    -DORVANTI_BUILD_BENCH=ON
cmake --build build/test

# Fuzzing: each target from its corpus (and its regressions folder, the inputs that
# ever failed) for FUZZ_SECONDS, 20 by default. New inputs go to a scratch folder.
CC=clang CXX=clang++ cmake -S . -B build/fuzz -G Ninja -DCMAKE_BUILD_TYPE=Debug \
    -DORVANTI_BUILD_FUZZ=ON -DORVANTI_BUILD_TESTS=OFF
# target:corpus:regressions:dictionary (folders under fuzz/; the dictionary may be empty)
fuzz_targets=(
    "decoder_fuzz:corpus:regressions:decoder.dict"
    "macro_fuzz:macro_corpus:macro_regressions:macro.dict"
    "language_fuzz:language_corpus:language_regressions:language.dict"
)
for spec in "${fuzz_targets[@]}"; do
    cmake --build build/fuzz --target "${spec%%:*}"
done
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
for spec in "${fuzz_targets[@]}"; do
    IFS=: read -r target corpus regressions dict <<<"$spec"
    corpora=("$PWD/fuzz/$corpus")
    [ -d "fuzz/$regressions" ] && corpora+=("$PWD/fuzz/$regressions")
    options=(-max_total_time="${FUZZ_SECONDS:-20}" -max_len=8192 -len_control=0
             -print_final_stats=1)
    [ -n "$dict" ] && options+=(-dict="$PWD/fuzz/$dict")
    mkdir -p "$scratch/$target"
    if ! (cd build/fuzz && QT_QPA_PLATFORM=offscreen "fuzz/$target" "${options[@]}" \
            "$scratch/$target" "${corpora[@]}" >"$scratch/$target.log" 2>&1); then
        tail -n 40 "$scratch/$target.log"
        echo "$target failed: its input is the crash-* file in build/fuzz; keep it in fuzz/$regressions/"
        exit 1
    fi
    echo "$target:"
    grep -E '^stat::number_of_executed_units|^Done' "$scratch/$target.log" || true
done

cd build/test
export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
ctest --output-on-failure --parallel 2 --timeout 300
