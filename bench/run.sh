#!/usr/bin/env bash
# The benchmark: builds Quorvel in Release, generates server folders of two shapes in a scratch
# folder (not in the repository), and times every download verb of quorvel-report against the
# mawk command line an operator would type for the same answer and against reading the log
# once (`cat LOG >/dev/null`), then the engine alone (engine_bench).
#
#   bash bench/run.sh            # 1M and 5M lines
#   SIZES="1000000" bash bench/run.sh
#   QUORVEL_THREADS=1 bash bench/run.sh
#
# The two shapes: loggen's default log, and one whose file names are paths of about 40 bytes
# ("Folder/Sub/three words 1.2.ext"), whose address column holds two values, with 300 accounts
# (loggen --paths --addresses 2 --accounts 300).
#
# Last, a modern (Mobius) server's folder against its classic twin (the same records): a verb on
# the modern folder may cost at most 2 x its CPU on the twin + 2 x `wc -l` of the modern log.
#
# Environment: BUILD (build folder, default /tmp/quorvel-bench-build), DATA (scratch folder for
# the generated servers, default /tmp/quorvel-bench-data), SIZES (record counts), MOBIUS_SIZES
# (record counts of the modern folders, default 1000000), RUNS (runs per command; the fastest
# counts, default 5). The environment passes through to quorvel-report: QUORVEL_THREADS=N makes
# it use N threads (by default, as many as help on the CPUs it may use).
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
echo "== QUORVEL_THREADS=${QUORVEL_THREADS:-(not set: the default thread count)}"

# The mawk command of every verb.
# shellcheck source=bench/mawk_programs.sh
source "$root/bench/mawk_programs.sh"

# Runs one command (its words as arguments, no shell unless the command is one) once: sets
# wall and cpu (its wall-clock and user + system seconds, children and threads included), kib
# (largest resident set in KiB of the command or any child) and status (its exit status).
# Output goes to $out (default $scratch/out), errors to $scratch/err.
run_once() {
  wall=0 cpu=0 kib=0 status=-1
  read -r wall cpu kib status < <("$cmdtime" "${out:-$scratch/out}" "$scratch/err" "$@") || true
}

# The smaller of two numbers, the first when the second is empty.
smaller() {
  if [ -z "$2" ] || awk -v a="$1" -v b="$2" 'BEGIN { exit !(a < b) }'; then echo "$1"; else echo "$2"; fi
}

# One row: quorvel-report VERB [VALUE] against the mawk program of the verb and against
# `cat LOG... >/dev/null`, LOG the logs the verb reads (READS names the array that holds them).
# The three run in turn, RUNS times each, so that all meet the same moments of a shared
# machine; the fastest run of each counts (CPU time is the steadier measure of the work, wall
# time what a user waits), and the peak is the largest of quorvel-report's runs. The targets:
# quorvel-report's CPU at most 1/3 of mawk's, its wall time at most 3 x cat's, its peak at most
# 1.5 x the logs it reads + 30 MB.
compare() {
  local verb="$1" value="$2"
  local -n reads="$3"
  local call=("$report" --server "$server" "$verb")
  [ -n "$value" ] && call+=("$value")
  local awk_call
  mawk_command awk_call "$verb" "$value" "$server" "${reads[@]}"
  run_once "${call[@]}"
  if [ "$status" -eq 2 ] && grep -q "unknown verb" "$scratch/err"; then
    printf '%-22s %s\n' "$verb" "not available in this build"
    return
  fi
  if [ "$status" -ne 0 ]; then
    printf '%-22s %s\n' "$verb" "failed (exit $status): $(head -c 200 "$scratch/err")"
    return
  fi
  local qwall="" qcpu="" qpeak=0 mcpu="" cwall="" bytes
  bytes=$(cat "${reads[@]}" | wc -c)
  for _ in $(seq "$runs"); do
    run_once "${call[@]}"
    qwall=$(smaller "$wall" "$qwall") qcpu=$(smaller "$cpu" "$qcpu")
    [ "$kib" -gt "$qpeak" ] && qpeak=$kib
    run_once "${awk_call[@]}"
    [ "$status" -eq 0 ] || { printf '%-22s %s\n' "$verb" "mawk failed (exit $status): $(head -c 200 "$scratch/err")"; return; }
    mcpu=$(smaller "$cpu" "$mcpu")
    out=/dev/null run_once cat "${reads[@]}"
    cwall=$(smaller "$wall" "$cwall")
  done
  awk -v verb="$verb" -v qc="$qcpu" -v mc="$mcpu" -v qw="$qwall" -v cw="$cwall" -v qp="$qpeak" -v size="$bytes" 'BEGIN {
        cpu = qc > 0 ? mc / qc : 0
        wall = cw > 0 ? qw / cw : 0
        peak = qp * 1024
        printf "%-22s %7.3f %7.3f %6.2f %-6s   %7.3f %7.3f %6.2f %-6s   %7.1f %6.3f %s\n", verb, qc, mc, cpu,
               (cpu >= 3 ? "within" : "OVER"), qw, cw, wall, (wall <= 3 ? "within" : "OVER"), peak / 1e6,
               peak / size, (peak <= 1.5 * size + 30e6 ? "within" : "OVER")
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
declare -A shape_options=([default]="" [paths]="--paths --addresses 2 --accounts 300")
declare -A shape_folder=([default]=server [paths]=paths)
for lines in $sizes; do
  for shape in default paths; do
    server="$data/${shape_folder[$shape]}-$lines"
    if [ ! -f "$server/.complete" ]; then
      echo "== generating $lines lines ($shape shape) in $server"
      rm -rf "$server"
      # shellcheck disable=SC2086 # the shape's options are words
      "$loggen" --out "$server" --lines "$lines" --seed 1 ${shape_options[$shape]}
      touch "$server/.complete"
    fi
    log="$server/Download Log.txt"
    # shellcheck disable=SC2034 # read by name in compare
    down=("$log")
    both=("$log" "$server/Upload Log.txt")
    size=$(stat -c %s "$log")
    cat "${both[@]}" >/dev/null # page-cached, like every later run
    # The values searched for: the most active user name, file, account, address and day.
    {
      IFS= read -r name
      IFS= read -r file
      IFS= read -r account
      IFS= read -r address
      IFS= read -r day
    } < <(top_values "$log")
    echo
    echo "== $lines lines, $shape shape${shape_options[$shape]:+ (loggen ${shape_options[$shape]})}, $size bytes; fastest of $runs runs"
    echo "   q = quorvel-report, m = mawk; cpu: m / q at least 3; wall: q / cat LOG >/dev/null at most 3;"
    echo "   peak memory of quorvel-report: at most 1.5 x the logs it reads + 30 MB"
    printf '%-22s %7s %7s %6s %-6s   %7s %7s %6s %-6s   %7s %6s\n' "verb" "q cpu" "m cpu" "m/q" "" "q wall" "cat" \
      "q/cat" "" "q MB" "q/log"
    compare downloads-by-date "" down
    compare downloads-by-number "" down
    compare downloads-by-account "" down
    compare top-downloader "" down
    compare top-account-downloader "" down
    compare download-names "" down
    compare download-files "" down
    compare inactive-downloaders "" down
    compare user-downloads "$name" down
    compare file-downloads "$file" down
    compare account-downloads "$account" down
    compare account-both "$account" both
    compare downloads-from-address "$address" down
    compare downloads-on-day "$day" down
    compare downloads-by-day "" down
    compare downloads-by-month "" down
    compare downloads-by-hour "" down
    compare downloads-by-address "" down
    compare last-downloads "" down
    compare transfers-by-account "" both
    echo
    compare_period "$server" downloads-by-number 2001-07-01 2002-06-30
    echo
    echo "== engine alone, $lines lines, $shape shape"
    "$engine" "$server"
  done
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
