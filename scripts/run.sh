#!/usr/bin/env bash
# Installs what is missing, builds Quorvel and starts it. Arguments go to quorvel unchanged
# (a server folder, --default-folder DIR, --help); relative paths are taken from the folder the
# script is started in. Without arguments it starts on the sample server, unless a server
# folder is already remembered.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
bash "$root/scripts/install-deps.sh"
cmake -S "$root" -B "$root/build" -DCMAKE_BUILD_TYPE=Release -DQUORVEL_TESTS=OFF
cmake --build "$root/build" -j"$(nproc)"
if [ $# -eq 0 ]; then
  set -- --default-folder "$root/examples/sample-server"
fi
exec "$root/build/src/quorvel" "$@"
