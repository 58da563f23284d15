#!/usr/bin/env bash
# The benchmark compares like with like: every download verb of quorvel-report has a mawk
# command in bench/mawk_programs.sh, and each gives the lines quorvel-report prints (titles
# aside, in any order), on the sample server and on a log of paths with two addresses. Four
# are rougher by design (see docs/performance.md): the counts by day and month are only
# checked to add up to quorvel-report's, and the counts by account to differ only in the
# accounts without a folder (quorvel-report lists those with a folder, without a download too).
# Usage: mawk_check.sh QUORVEL_REPORT LOGGEN SOURCE_DIR
set -euo pipefail
report="$1"
loggen="$2"
root="$3"
# shellcheck source=bench/mawk_programs.sh
source "$root/bench/mawk_programs.sh"
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
failures=0

fail() {
  echo "FAILED: $*" >&2
  failures=$((failures + 1))
}

# The download verbs --help lists: every verb with "download" in its name, and the two verbs of
# both logs.
verbs="$("$report" --help | sed -n '/^Verbs:$/,/^$/p' | awk '/^  [^ ]/ { print $1 }' |
  grep -E 'download|^account-both$|^transfers-by-account$' | sort)"
[ "$(wc -l <<<"$verbs")" -ge 20 ] || fail "--help lists only these download verbs: $verbs"
[ "$verbs" = "$(printf '%s\n' "${!program[@]}" | sort)" ] ||
  fail "the mawk programs are for other verbs than --help lists: $(printf '%s\n' "${!program[@]}" | sort | diff - <(echo "$verbs") || true)"

# quorvel-report's answer without its titles (a first line ending in "...", and one after an
# empty line) and empty lines, sorted.
answer_lines() {
  tr -d '\r' | awk '(NR == 1 || prev == "") && /\.\.\.$/ { prev = $0; next } { prev = $0 } $0 != ""' | LC_ALL=C sort
}

check_server() {
  local server="$1" log="$1/Download Log.txt"
  local name file account address day
  {
    IFS= read -r name
    IFS= read -r file
    IFS= read -r account
    IFS= read -r address
    IFS= read -r day
  } < <(top_values "$log")
  local down=("$log") both=("$log" "$server/Upload Log.txt")
  local verb value call
  for verb in $verbs; do
    case "$verb" in
    user-downloads) value="$name" ;;
    file-downloads) value="$file" ;;
    account-downloads | account-both) value="$account" ;;
    downloads-from-address) value="$address" ;;
    downloads-on-day) value="$day" ;;
    *) value="" ;;
    esac
    local reads=("${down[@]}")
    [ "$verb" = account-both ] || [ "$verb" = transfers-by-account ] && reads=("${both[@]}")
    mawk_command call "$verb" "$value" "$server" "${reads[@]}"
    local args=(--server "$server" "$verb")
    [ -n "$value" ] && args+=("$value")
    "$report" "${args[@]}" | answer_lines >"$scratch/q"
    "${call[@]}" | awk '$0 != ""' | LC_ALL=C sort >"$scratch/m"
    [ -s "$scratch/q" ] || fail "$verb '$value' on $server: quorvel-report answers nothing"
    case "$verb" in
    downloads-by-day | downloads-by-month)
      [ "$(awk -F'\t' '{ s += $1 } END { print s }' "$scratch/q")" = "$(awk -F'\t' '{ s += $1 } END { print s }' "$scratch/m")" ] ||
        fail "$verb on $server: mawk's counts do not add up to quorvel-report's"
      ;;
    downloads-by-account | transfers-by-account)
      # quorvel-report counts the accounts with a folder, those without a download too.
      local missing extra
      missing="$(awk -F'\t' '$1 > 0' "$scratch/q" | LC_ALL=C comm -23 - "$scratch/m")"
      extra="$(LC_ALL=C comm -13 "$scratch/q" "$scratch/m" | awk -F'\t' -v users="$server/users" '
        { cmd = "test -d \"" users "/" $NF "\""; if (system(cmd) == 0) print }')"
      [ -z "$missing$extra" ] || fail "$verb on $server: mawk answers otherwise: [$missing] [$extra]"
      ;;
    *)
      cmp -s "$scratch/q" "$scratch/m" ||
        fail "$verb '$value' on $server: mawk answers otherwise: $(diff "$scratch/q" "$scratch/m" | head -4)"
      ;;
    esac
  done
}

check_server "$root/examples/sample-server"
"$loggen" --out "$scratch/paths" --lines 4000 --users 200 --files 500 --paths --addresses 2 --accounts 40 --seed 3
check_server "$scratch/paths"

[ "$failures" -eq 0 ] || exit 1
echo "every download verb has a mawk command with the same answer"
