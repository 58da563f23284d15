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
# shellcheck disable=SC2016 # mawk programs stand in single quotes
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

# The mawk program an operator would type for each download verb's answer. It runs as
# mawk -F'\t' -v RS='\r' -v v=VALUE -v users=SERVER/users PROGRAM LOG...: lines end with CR,
# NR > 1 skips the header, v is the verb's value, users the account folders, and LOG the logs
# the verb reads. pipe holds what its output goes through, when anything.
declare -A program pipe
program[downloads-by-date]='NR > 1 { if (!($5 in c)) o[++n] = $5; c[$5]++ } END { for (i = 1; i <= n; i++) print c[o[i]] "\t" o[i] }'
program[downloads-by-number]='NR > 1 { c[$5]++ } END { for (k in c) print c[k] "\t" k }'
pipe[downloads-by-number]="sort -t\$'\t' -k1,1nr"
program[downloads-by-account]='NR > 1 { c[$3]++ } END { for (k in c) print c[k] "\t" k }'
pipe[downloads-by-account]="sort -t\$'\t' -k1,1nr"
program[top-downloader]='NR > 1 { c[$4]++ } END { for (k in c) if (c[k] >= m) { m = c[k]; w = k } print w " with " m " downloads" }'
program[top-account-downloader]='NR > 1 { c[$3]++ } END { for (k in c) if (c[k] >= m) { m = c[k]; w = k } print w " with " m " downloads" }'
program[download-names]='NR > 1 && !($4 in s) { s[$4]; print $4 }'
program[download-files]='NR > 1 && !($5 in s) { s[$5]; print $5 }'
program[inactive-downloaders]='NR > 1 { d[$3] } END { RS = "\n"; ls = "ls \"" users "\""; while ((ls | getline a) > 0) if (!(a in d)) print a }'
program[user-downloads]='$4 == v { print $1 ": " $5 }'
program[file-downloads]='$5 == v { print $1 ": " $4 }'
program[account-downloads]='$3 == v { print $1 ": " $5 }'
program[account-both]='FNR > 1 && $3 == v { print $1 ": " $5 }'
program[downloads-from-address]='$2 == v { print $1 ": " $4 ": " $5 }'
program[downloads-on-day]='BEGIN { split(v, w, "-") } { split($1, d, "[/ ]") } d[3] == w[1] && d[1] == w[2] && d[2] == w[3] { print $1 ": " $4 ": " $5 }'
program[downloads-by-day]='NR > 1 { split($1, d, "[/ ]"); c[d[3] "-" d[1] "-" d[2]]++ } END { for (k in c) print c[k] "\t" k }'
pipe[downloads-by-day]="sort -t\$'\t' -k2,2"
program[downloads-by-month]='NR > 1 { split($1, d, "[/ ]"); c[d[3] "-" d[1]]++ } END { for (k in c) print c[k] "\t" k }'
pipe[downloads-by-month]="sort -t\$'\t' -k2,2"
program[downloads-by-hour]='NR > 1 { if ($1 ~ /\?/) u++; else { n = split($1, d, "[ :]"); c[n > 4 ? d[2] % 12 + 12 * (d[5] == "PM") : d[2] + 0]++ } } END { for (h = 0; h < 24; h++) printf "%d\t%02d\n", c[h], h; print u + 0 "\tundated" }'
program[downloads-by-address]='NR > 1 { c[$2]++ } END { for (k in c) print c[k] "\t" k }'
pipe[downloads-by-address]="sort -t\$'\t' -k1,1nr"
program[last-downloads]='NR > 1 { l[$3] = $1 } END { RS = "\n"; ls = "ls \"" users "\""; while ((ls | getline a) > 0) if (a in l) { split(l[a], d, "[/ ]"); printf "%s-%02d-%02d\t%s\n", d[3], d[1], d[2], a } else print "never\t" a }'
pipe[last-downloads]="sort"
program[transfers-by-account]='FNR == 1 { f++ } FNR > 1 { if (f == 1) d[$3]++; else u[$3]++ } END { for (k in d) print d[k] "\t" u[k] + 0 "\t" k; for (k in u) if (!(k in d)) print 0 "\t" u[k] "\t" k }'
pipe[transfers-by-account]="sort -t\$'\t' -k1,1nr"

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
  local awk_words=(mawk -F'\t' -v RS='\r' -v v="$value" -v users="$server/users" "${program[$verb]}" "${reads[@]}")
  local awk_call=("${awk_words[@]}")
  if [ -n "${pipe[$verb]:-}" ]; then
    local line
    printf -v line '%q ' "${awk_words[@]}"
    awk_call=(bash -c "$line| ${pipe[$verb]}")
  fi
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
    } < <(mawk -F'\t' -v RS='\r' 'function top(c,  k, m, w) { for (k in c) if (c[k] > m) { m = c[k]; w = k } return w }
      NR > 1 { n[$4]++; f[$5]++; a[$3]++; i[$2]++; split($1, d, "[/ ]") }
      NR > 1 && d[3] ~ /^[0-9]+$/ { y[sprintf("%04d-%02d-%02d", d[3], d[1], d[2])]++ }
      END { print top(n); print top(f); print top(a); print top(i); print top(y) }' "$log")
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
