#!/usr/bin/env bash
# Regenerates the sample servers to try the program on: examples/sample-server/, a classic
# server's folder (3,000 downloads and 800 uploads over the year 2001, 20 accounts), and
# examples/sample-mobius/, a modern (Mobius) server's folder (2,000 downloads and 500 uploads
# over the year 2025, 20 accounts). The same loggen gives the same bytes.
#   bash tools/loggen/make-sample.sh [BUILD_FOLDER]
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
build="${1:-$root/build}"
cmake -S "$root" -B "$build" >/dev/null
cmake --build "$build" --target loggen >/dev/null
rm -rf "$root/examples/sample-server" "$root/examples/sample-mobius"
"$build/tools/loggen/loggen" --out "$root/examples/sample-server" --lines 3000 --upload-lines 800 \
  --days 365 --accounts 20 --users 60 --files 150 --seed 2001
echo "wrote $root/examples/sample-server"
"$build/tools/loggen/loggen" --out "$root/examples/sample-mobius" --format mobius --lines 2000 --upload-lines 500 \
  --days 365 --year 2025 --accounts 20 --users 60 --files 150 --seed 2025
echo "wrote $root/examples/sample-mobius"
