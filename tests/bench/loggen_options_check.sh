#!/usr/bin/env bash
# loggen's options of the second shape: --paths is a flag wherever it stands, --addresses takes
# 1 to 10,000,000, and --paths with a modern server's format (which keeps a file's folder in its
# path) is refused with the usage and exit status 2, as anything else it does not understand.
# Usage: loggen_options_check.sh LOGGEN
set -uo pipefail
loggen="$1"
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
failures=0

# Runs loggen with the arguments and requires exit status $1; on 2, the usage on stderr.
expect() {
  local wanted="$1"
  shift
  "$loggen" "$@" >"$scratch/out" 2>"$scratch/err"
  local status=$?
  if [ "$status" -ne "$wanted" ]; then
    echo "FAILED: loggen $*: exit $status, expected $wanted" >&2
    failures=$((failures + 1))
  elif [ "$wanted" -eq 2 ] && ! grep -q '^usage: loggen' "$scratch/err"; then
    echo "FAILED: loggen $*: no usage on stderr" >&2
    failures=$((failures + 1))
  fi
}

# The file names of the download log written in folder $1.
files() {
  tr '\r' '\n' <"$1/Download Log.txt" | awk -F'\t' 'NR > 1 { print $5 }'
}

expect 0 --paths --out "$scratch/a" --lines 50 --addresses 1
expect 0 --out "$scratch/b" --lines 50 --addresses 1 --paths
expect 0 --out "$scratch/c" --lines 50 --format twin --addresses 3
cmp -s "$scratch/a/Download Log.txt" "$scratch/b/Download Log.txt" ||
  { echo "FAILED: --paths first and last write other logs" >&2; failures=$((failures + 1)); }
[ "$(files "$scratch/a" | LC_ALL=C grep -c '^[^/]\+/[^/]\+/[^/]\+$')" -eq 50 ] ||
  { echo "FAILED: --paths writes file names that are no Folder/Sub/leaf" >&2; failures=$((failures + 1)); }
[ "$(tr '\r' '\n' <"$scratch/a/Download Log.txt" | awk -F'\t' 'NR > 1 { print $2 }' | sort -u | wc -l)" -eq 1 ] ||
  { echo "FAILED: --addresses 1 writes more than one address" >&2; failures=$((failures + 1)); }

expect 2 --out "$scratch/d" --paths --format mobius
expect 2 --out "$scratch/d" --format twin --paths
expect 2 --out "$scratch/d" --addresses 0
expect 2 --out "$scratch/d" --addresses 10000001
expect 2 --out "$scratch/d" --addresses
expect 2 --out "$scratch/d" --addresses two
expect 2 --paths
expect 2 --out "$scratch/d" --paths yes
[ ! -e "$scratch/d" ] || { echo "FAILED: a refused call wrote $scratch/d" >&2; failures=$((failures + 1)); }

[ "$failures" -eq 0 ] || exit 1
echo "loggen's options of the second shape are read as documented"
