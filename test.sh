#!/usr/bin/env bash
# Installs what is missing, builds, runs every test through CTest, then builds again with
# AddressSanitizer and UndefinedBehaviorSanitizer (clang, with the fuzz targets) and runs the
# same tests, the bounded fuzz runs included.
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh
jobs=$(nproc)

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo > /dev/null
cmake --build build -j "$jobs"
ctest --test-dir build --output-on-failure -j "$jobs"

cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-g -O1" \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DKESTRIX_SANITIZE=ON -DKESTRIX_FUZZ=ON -DKESTRIX_BENCH=OFF > /dev/null
cmake --build build-asan -j "$jobs"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ctest --test-dir build-asan --output-on-failure -j "$jobs"
echo "All tests passed (plain and sanitizer builds)."
