#!/usr/bin/env bash
# The benchmark: builds Quorvel in Release, generates 1M- and 5M-line server folders in a
# scratch folder (not in the repository), and times quorvel-report against the mawk command an
# operator would type for the same answer, then the engine alone (engine_bench).
#
#   bash bench/run.sh            # 1M and 5M lines
#   SIZES="1000000" bash bench/run.sh
#
# Environment: BUILD (build folder, default /tmp/quorvel-bench-build), DATA (scratch folder for
# the generated servers, default /tmp/quorvel-bench-data), SIZES (record counts), RUNS (runs per
# command; the fastest counts, default 3).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${BUILD:-/tmp/quorvel-bench-build}"
data="${DATA:-/tmp/quorvel-bench-data}"
sizes="${SIZES:-1000000 5000000}"
runs="${RUNS:-3}"

command -v mawk >/dev/null || { echo "bench: mawk is needed (apt-get install mawk)" >&2; exit 1; }
[ -x /usr/bin/time ] || { echo "bench: /usr/bin/time is needed (apt-get install time)" >&2; exit 1; }

echo "== build (Release) in $build"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DQUORVEL_GUI=OFF -DQUORVEL_TESTS=OFF >/dev/null
cmake --build "$build" -j"$(nproc)" --target quorvel-report loggen engine_bench >/dev/null
report="$build/src/quorvel-report"
loggen="$build/tools/loggen/loggen"
engine="$build/bench/engine_bench"

echo "== machine: $(nproc) cores, $(lscpu | sed -n 's/^Model name: *//p'), $(free -g | awk '/^Mem:/ {print $2}') GiB"
echo "== $(uptime)"

# Times one command line (run by bash) RUNS times. Sets best (fastest wall time in seconds),
# peak (largest resident set in KiB, of the command and its children) and status (exit status
# of the last run). Output goes to $scratch/out, errors to $scratch/err.
measure() {
  best=""
  peak=0
  for _ in $(seq "$runs"); do
    local start end
    start=$EPOCHREALTIME
    set +e
    /usr/bin/time -o "$scratch/time" -f '%M' bash -c "$1" >"$scratch/out" 2>"$scratch/err"
    status=$?
    set -e
    end=$EPOCHREALTIME
    local took kib
    took=$(awk -v s="$start" -v e="$end" 'BEGIN { printf "%.4f", e - s }')
    kib=$(tail -n 1 "$scratch/time")
    if [ -z "$best" ] || awk -v a="$took" -v b="$best" 'BEGIN { exit !(a < b) }'; then best=$took; fi
    if [ "$kib" -gt "$peak" ]; then peak=$kib; fi
  done
}

# One row: quorvel-report VERB [VALUE] against the mawk command line.
compare() {
  local server="$1" verb="$2" value="$3" awkline="$4" size="$5"
  local call="'$report' --server '$server' $verb${value:+ '$value'}"
  measure "$call"
  if [ "$status" -eq 2 ] && grep -q "unknown verb" "$scratch/err"; then
    printf '%-22s %s\n' "$verb" "not available in this build"
    return
  fi
  if [ "$status" -ne 0 ]; then
    printf '%-22s %s\n' "$verb" "failed (exit $status): $(head -c 200 "$scratch/err")"
    return
  fi
  local qbest=$best qpeak=$peak
  measure "$awkline"
  awk -v verb="$verb" -v q="$qbest" -v m="$best" -v qp="$qpeak" -v mp="$peak" -v size="$size" 'BEGIN {
        limit = 1.5 * size + 30e6
        printf "%-22s %9.3f %9.3f %8.2f  %8.1f %8.1f %7.3f  %s\n", verb, q, m, m / q, qp * 1024 / 1e6,
               mp * 1024 / 1e6, qp * 1024 / size, (qp * 1024 <= limit ? "within" : "OVER")
      }'
}

scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
for lines in $sizes; do
  server="$data/server-$lines"
  if [ ! -f "$server/.complete" ]; then
    echo "== generating $lines lines in $server"
    rm -rf "$server"
    "$loggen" --out "$server" --lines "$lines" --seed 1
    touch "$server/.complete"
  fi
  log="$server/Download Log.txt"
  size=$(stat -c %s "$log")
  cat "$log" >/dev/null # page-cached, like every later run
  name=$(mawk -F'\t' -v RS='\r' 'NR > 1 { c[$4]++ } END { for (k in c) if (c[k] > m) { m = c[k]; w = k } print w }' "$log")
  aw="mawk -F'\t' -v RS='\r'"
  echo
  echo "== $lines lines, $size bytes; fastest of $runs runs; ratio = mawk / quorvel; memory limit 1.5 x log + 30 MB"
  printf '%-22s %9s %9s %8s  %8s %8s %7s\n' "verb" "quorvel s" "mawk s" "ratio" "q peak MB" "m peak MB" "q/log"
  compare "$server" downloads-by-date "" \
    "$aw 'NR > 1 { if (!(\$5 in c)) o[++n] = \$5; c[\$5]++ } END { for (i = 1; i <= n; i++) print c[o[i]] \"\t\" o[i] }' '$log'" "$size"
  compare "$server" downloads-by-number "" \
    "$aw 'NR > 1 { c[\$5]++ } END { for (k in c) print c[k] \"\t\" k }' '$log' | sort -t\$'\t' -k1,1nr" "$size"
  compare "$server" downloads-by-account "" \
    "$aw 'NR > 1 { c[\$3]++ } END { for (k in c) print c[k] \"\t\" k }' '$log' | sort -t\$'\t' -k1,1nr" "$size"
  compare "$server" top-downloader "" \
    "$aw 'NR > 1 { c[\$4]++ } END { for (k in c) if (c[k] >= m) { m = c[k]; w = k } print w \" with \" m \" downloads\" }' '$log'" "$size"
  compare "$server" download-names "" \
    "$aw 'NR > 1 && !(\$4 in s) { s[\$4]; print \$4 }' '$log'" "$size"
  compare "$server" user-downloads "$name" \
    "$aw -v n='$name' '\$4 == n { print \$1 \": \" \$5 }' '$log'" "$size"
  echo
  echo "== engine alone, $lines lines"
  "$engine" "$server"
done
