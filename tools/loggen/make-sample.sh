#!/usr/bin/env bash
# Regenerates examples/sample-server/: a small server folder (3,000 downloads and 800 uploads
# over the year 2001, 20 accounts) to try the program on. The same loggen gives the same bytes.
#   bash tools/loggen/make-sample.sh [BUILD_FOLDER]
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
build="${1:-$root/build}"
cmake -S "$root" -B "$build" >/dev/null
cmake --build "$build" --target loggen >/dev/null
rm -rf "$root/examples/sample-server"
"$build/tools/loggen/loggen" --out "$root/examples/sample-server" --lines 3000 --upload-lines 800 \
  --days 365 --accounts 20 --users 60 --files 150 --seed 2001
echo "wrote $root/examples/sample-server"
