# shellcheck shell=bash
# shellcheck disable=SC2016 # mawk programs stand in single quotes
# The mawk command line an operator would type for the answer of each download verb of
# quorvel-report (every verb that reads the download log), for bench/run.sh and its check
# (tests/bench/mawk_check.sh).

# The mawk program of each verb. It runs as
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


# Sets the array named by $1 to the words of the mawk command of verb $2 with value $3 on the
# server folder $4, reading the logs that follow: a pipeline runs under bash -c.
mawk_command() {
  local -n command="$1"
  local verb="$2" value="$3" server="$4"
  shift 4
  command=(mawk -F'\t' -v RS='\r' -v v="$value" -v users="$server/users" "${program[$verb]}" "$@")
  if [ -n "${pipe[$verb]:-}" ]; then
    local line
    printf -v line '%q ' "${command[@]}"
    command=(bash -c "$line| ${pipe[$verb]}")
  fi
}

# Prints the values the searches look for, one a line: the most active user name, file,
# account and address of the download log $1 and its busiest day (YYYY-MM-DD).
top_values() {
  mawk -F'\t' -v RS='\r' 'function top(c,  k, m, w) { for (k in c) if (c[k] > m) { m = c[k]; w = k } return w }
    NR > 1 { n[$4]++; f[$5]++; a[$3]++; i[$2]++; split($1, d, "[/ ]") }
    NR > 1 && d[3] ~ /^[0-9]+$/ { y[sprintf("%04d-%02d-%02d", d[3], d[1], d[2])]++ }
    END { print top(n); print top(f); print top(a); print top(i); print top(y) }' "$1"
}
