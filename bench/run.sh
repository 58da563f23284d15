#!/usr/bin/env bash
# The benchmark: builds Quorvel in Release, generates 1M- and 5M-line server folders in a
# scratch folder (not in the repository), and times quorvel-report against the mawk command an
# operator would type for the same answer, then the engine alone (engine_bench).
#
#   bash bench/run.sh            # 1M and 5M lines
#   SIZES="1000000" bash bench/run.sh
#
# Last, a modern (Mobius) server's folder against its classic twin (the same records): a verb on
# the modern folder may cost at most 2 x its CPU on the twin + 2 x `wc -l` of the modern log.
#
# Environment: BUILD (build folder, default /tmp/quorvel-bench-build), DATA (scratch folder for
# the generated servers, default /tmp/quorvel-bench-data), SIZES (record counts), MOBIUS_SIZES
# (record counts of the modern folders, default 1000000), RUNS (runs per command; the fastest
# counts, default 5).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${BUILD:-/tmp/quorvel-bench-build}"
data="${DATA:-/tmp/quorvel-bench-data}"
sizes="${SIZES:-1000000 5000000}"
mobius_sizes="${MOBIUS_SIZES:-1000000}"
runs="${RUNS:-5}"

command -v mawk >/dev/null || { echo "bench: mawk is needed (apt-get install mawk)" >&2; exit 1; }

echo "== build (Release) in $build"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DQUORVEL_GUI=OFF -DQUORVEL_TESTS=OFF >/dev/null
cmake --build "$build" -j"$(nproc)" --target quorvel-report loggen engine_bench cmdtime >/dev/null
report="$build/src/quorvel-report"
loggen="$build/tools/loggen/loggen"
engine="$build/bench/engine_bench"
cmdtime="$build/bench/cmdtime"

echo "== machine: $(nproc) cores, $(lscpu | sed -n 's/^Model name: *//p'), $(free -g | awk '/^Mem:/ {print $2}') GiB"
echo "== $(uptime)"

# Runs one command (its words as arguments, no shell unless the command is one) once: sets
# wall and cpu (its wall-clock and user + system seconds, children included), kib (largest
# resident set in KiB of the command or any child) and status (its exit status). Output goes
# to $scratch/out, errors to $scratch/err.
run_once() {
  wall=0 cpu=0 kib=0 status=-1
  read -r wall cpu kib status < <("$cmdtime" "$scratch/out" "$scratch/err" "$@") || true
}

# The smaller of two numbers, the first when the second is empty.
smaller() {
  if [ -z "$2" ] || awk -v a="$1" -v b="$2" 'BEGIN { exit !(a < b) }'; then echo "$1"; else echo "$2"; fi
}

# One row: quorvel-report VERB [VALUE] against the mawk command that follows (its words; a
# pipeline is given as bash -c '...'). The two run in turn, RUNS times each, so that both meet
# the same moments of a shared machine; the fastest run of each side counts (CPU time is the
# steadier measure of the work, wall time what a user waits), and the peak is the largest of
# all runs.
compare() {
  local server="$1" verb="$2" value="$3"
  shift 3
  local call=("$report" --server "$server" "$verb")
  [ -n "$value" ] && call+=("$value")
  run_once "${call[@]}"
  if [ "$status" -eq 2 ] && grep -q "unknown verb" "$scratch/err"; then
    printf '%-21s %s\n' "$verb" "not available in this build"
    return
  fi
  if [ "$status" -ne 0 ]; then
    printf '%-21s %s\n' "$verb" "failed (exit $status): $(head -c 200 "$scratch/err")"
    return
  fi
  local qwall="" qcpu="" qpeak=0 mwall="" mcpu="" mpeak=0
  for _ in $(seq "$runs"); do
    run_once "${call[@]}"
    qwall=$(smaller "$wall" "$qwall") qcpu=$(smaller "$cpu" "$qcpu")
    [ "$kib" -gt "$qpeak" ] && qpeak=$kib
    run_once "$@"
    mwall=$(smaller "$wall" "$mwall") mcpu=$(smaller "$cpu" "$mcpu")
    [ "$kib" -gt "$mpeak" ] && mpeak=$kib
  done
  awk -v verb="$verb" -v qw="$qwall" -v mw="$mwall" -v qc="$qcpu" -v mc="$mcpu" -v qp="$qpeak" -v mp="$mpeak" \
      -v size="$size" 'BEGIN {
        limit = 1.5 * size + 30e6
        printf "%-21s %7.3f %7.3f %6.2f   %7.3f %7.3f %6.2f   %7.1f %7.1f %6.3f %s\n", verb, qw, mw, mw / qw,
               qc, mc, (qc > 0 ? mc / qc : 0), qp * 1024 / 1e6, mp * 1024 / 1e6, qp * 1024 / size,
               (qp * 1024 <= limit ? "within" : "OVER")
      }'
}

# One row: quorvel-report VERB under a period (--from FROM --to TO) against the same verb
# without one, run in turn RUNS times each; the ratio is filtered / unfiltered (at most 2 is the
# target: reading the stamps of every record must not cost more than the rest of the answer).
compare_period() {
  local server="$1" verb="$2" from="$3" to="$4"
  local plain=("$report" --server "$server" "$verb") period=("$report" --server "$server" --from "$from" --to "$to" "$verb")
  local pwall="" pcpu="" fwall="" fcpu=""
  for _ in $(seq "$runs"); do
    run_once "${plain[@]}"
    pwall=$(smaller "$wall" "$pwall") pcpu=$(smaller "$cpu" "$pcpu")
    run_once "${period[@]}"
    [ "$status" -eq 0 ] || { printf '%-21s %s\n' "$verb" "failed under a period (exit $status)"; return; }
    fwall=$(smaller "$wall" "$fwall") fcpu=$(smaller "$cpu" "$fcpu")
  done
  awk -v verb="$verb" -v pw="$pwall" -v fw="$fwall" -v pc="$pcpu" -v fc="$fcpu" -v from="$from" -v to="$to" 'BEGIN {
        printf "%-21s all time %.3f s (cpu %.3f), %s to %s %.3f s (cpu %.3f): filtered / all time %.2f (cpu %.2f)\n",
               verb, pw, pc, from, to, fw, fc, fw / pw, fc / pc
      }'
}

# One row: quorvel-report VERB [VALUE] on the modern folder $mobius against its classic twin
# $twin, in turn RUNS times each; the bound is 2 x the twin's CPU + 2 x the CPU of `wc -l` on
# the modern log ($wc_cpu), the peak's 1.5 x the modern log's bytes ($size) + 30 MB.
compare_twin() {
  local verb="$1" value="$2"
  local modern=("$report" --server "$mobius" "$verb") classic=("$report" --server "$twin" "$verb")
  [ -n "$value" ] && modern+=("$value") && classic+=("$value")
  local mcpu="" tcpu="" mpeak=0
  for _ in $(seq "$runs"); do
    run_once "${modern[@]}"
    [ "$status" -eq 0 ] || { printf '%-21s %s\n' "$verb" "failed on the modern folder (exit $status)"; return; }
    mcpu=$(smaller "$cpu" "$mcpu")
    [ "$kib" -gt "$mpeak" ] && mpeak=$kib
    run_once "${classic[@]}"
    tcpu=$(smaller "$cpu" "$tcpu")
  done
  awk -v verb="$verb" -v mc="$mcpu" -v tc="$tcpu" -v wc="$wc_cpu" -v mp="$mpeak" -v size="$size" 'BEGIN {
        bound = 2 * tc + 2 * wc
        printf "%-21s %7.3f %7.3f %7.3f %7.3f %-6s   %7.1f %7.1f %s\n", verb, mc, tc, wc, bound,
               (mc <= bound ? "within" : "OVER"), mp * 1024 / 1e6, (1.5 * size + 30e6) / 1e6,
               (mp * 1024 <= 1.5 * size + 30e6 ? "within" : "OVER")
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
  aw=(mawk -F'\t' -v RS='\r')
  awsh="mawk -F'\t' -v RS='\r'"
  echo
  echo "== $lines lines, $size bytes; fastest of $runs runs; ratio = mawk / quorvel; q = quorvel-report, m = mawk"
  echo "   peak memory of quorvel-report: within or OVER 1.5 x the log + 30 MB"
  printf '%-21s %7s %7s %6s   %7s %7s %6s   %7s %7s %6s\n' "verb" "q wall" "m wall" "ratio" "q cpu" "m cpu" "ratio" \
    "q MB" "m MB" "q/log"
  compare "$server" downloads-by-date "" "${aw[@]}" \
    'NR > 1 { if (!($5 in c)) o[++n] = $5; c[$5]++ } END { for (i = 1; i <= n; i++) print c[o[i]] "\t" o[i] }' "$log"
  compare "$server" downloads-by-number "" bash -c \
    "$awsh 'NR > 1 { c[\$5]++ } END { for (k in c) print c[k] \"\t\" k }' '$log' | sort -t\$'\t' -k1,1nr"
  compare "$server" downloads-by-account "" bash -c \
    "$awsh 'NR > 1 { c[\$3]++ } END { for (k in c) print c[k] \"\t\" k }' '$log' | sort -t\$'\t' -k1,1nr"
  compare "$server" top-downloader "" "${aw[@]}" \
    'NR > 1 { c[$4]++ } END { for (k in c) if (c[k] >= m) { m = c[k]; w = k } print w " with " m " downloads" }' "$log"
  compare "$server" download-names "" "${aw[@]}" 'NR > 1 && !($4 in s) { s[$4]; print $4 }' "$log"
  compare "$server" user-downloads "$name" "${aw[@]}" -v n="$name" '$4 == n { print $1 ": " $5 }' "$log"
  compare "$server" downloads-by-day "" bash -c \
    "$awsh 'NR > 1 { split(\$1, d, \"[/ ]\"); c[d[3] \"-\" d[1] \"-\" d[2]]++ } END { for (k in c) print c[k] \"\t\" k }' '$log' | sort -t\$'\t' -k2,2"
  echo
  compare_period "$server" downloads-by-number 2001-07-01 2002-06-30
  echo
  echo "== engine alone, $lines lines"
  "$engine" "$server"
done

for lines in $mobius_sizes; do
  mobius="$data/mobius-$lines" twin="$data/twin-$lines"
  for format in mobius twin; do
    folder="$data/$format-$lines"
    if [ ! -f "$folder/.complete" ]; then
      echo "== generating $lines $format records in $folder"
      rm -rf "$folder"
      "$loggen" --out "$folder" --lines "$lines" --seed 1 --format "$format"
      touch "$folder/.complete"
    fi
  done
  logs=("$mobius"/*.log)
  size=$(cat "${logs[@]}" | wc -c)
  cat "${logs[@]}" "$twin/Download Log.txt" "$twin/Upload Log.txt" >/dev/null
  wc_cpu=""
  for _ in $(seq "$runs"); do
    run_once wc -l "${logs[@]}"
    wc_cpu=$(smaller "$cpu" "$wc_cpu")
  done
  name=$(mawk -F'\t' -v RS='\r' 'NR > 1 { c[$4]++ } END { for (k in c) if (c[k] > m) { m = c[k]; w = k } print w }' \
    "$twin/Download Log.txt")
  echo
  echo "== modern folder of $lines records ($size bytes of log) against its classic twin; fastest of $runs runs"
  echo "   bound: 2 x twin cpu + 2 x wc -l cpu; peak limit: 1.5 x the modern log + 30 MB"
  printf '%-21s %7s %7s %7s %7s %-6s   %7s %7s\n' "verb" "m cpu" "t cpu" "wc cpu" "bound" "" "m MB" "limit"
  compare_twin downloads-by-number ""
  compare_twin downloads-by-account ""
  compare_twin top-downloader ""
  compare_twin user-downloads "$name"
  compare_twin downloads-by-day ""
  compare_twin downloads-by-address ""
  compare_twin uploads-by-number ""
  compare_twin transfers-by-account ""
done
