#!/usr/bin/env bash
# Installs what is missing, then builds Quorvel and runs every test three ways: the whole
# suite under AddressSanitizer + UndefinedBehaviorSanitizer, a short seeded run of each fuzz
# target (clang's libFuzzer), and the whole suite in the normal build with warnings as errors
# (the sanitizer builds leave warnings to it: sanitizers make compilers warn falsely).
# Extra arguments go to every CMake configure step, e.g. -DQUORVEL_GUI=OFF.
# QUORVEL_FUZZ_SECONDS sets the length of each fuzz run (default 25).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
jobs="$(nproc)"
fuzz_seconds="${QUORVEL_FUZZ_SECONDS:-25}"

run_suite() {
  local dir="$1"
  shift
  echo "== $dir"
  cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@"
  cmake --build "$dir" -j"$jobs"
  QT_QPA_PLATFORM=offscreen ctest --test-dir "$dir" --output-on-failure -j"$jobs"
}

# The plain build runs last, so that the closing summary counts the whole suite.
run_suite build-asan -DQUORVEL_WERROR=OFF -DQUORVEL_SANITIZE=ON "$@"
run_suite build-fuzz -DQUORVEL_WERROR=OFF -DCMAKE_CXX_COMPILER=clang++ -DQUORVEL_FUZZ=ON -DQUORVEL_TESTS=OFF -DQUORVEL_GUI=OFF \
  -DQUORVEL_FUZZ_SECONDS="$fuzz_seconds" "$@"
run_suite build-test -DQUORVEL_WERROR=ON "$@"
