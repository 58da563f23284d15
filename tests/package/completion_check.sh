#!/usr/bin/env bash
# quorvel-report's bash completion as bash-completion runs it: the verbs --help lists until a
# verb is given, the options, the choices of --format, folders for --server.
# Usage: completion_check.sh COMPLETION_FILE QUORVEL_REPORT
completion="$1"
report="$2"
# bash-completion is written for interactive shells, without set -u.
source /usr/share/bash-completion/bash_completion || exit 1
source "$completion" || exit 1
set -eo pipefail
failures=0

# Prints, one a line and sorted, what the completion offers for the words given, the last one
# being typed. The words are those bash makes of the line ("--format=j" is "--format" "=" "j").
offered() {
  COMP_WORDS=("$@")
  COMP_CWORD=$(($# - 1))
  COMP_LINE="$*"
  COMP_LINE="${COMP_LINE// = /=}"
  COMP_POINT=${#COMP_LINE}
  COMPREPLY=()
  _quorvel_report
  [ ${#COMPREPLY[@]} -eq 0 ] || printf '%s\n' "${COMPREPLY[@]}" | sort
}

expect() {
  local wanted="$1"
  shift
  local got
  got="$(offered "$@")"
  if [ "$got" != "$wanted" ]; then
    echo "FAILED: completing '$*': expected [$wanted], got [$got]" >&2
    failures=$((failures + 1))
  fi
}

verbs="$("$report" --help | sed -n '/^Verbs:$/,/^$/p' | awk '/^  [^ ]/ { print $1 }' | sort)"
[ "$(wc -l <<<"$verbs")" -gt 30 ] || { echo "FAILED: --help lists no verbs" >&2; exit 1; }
expect "$verbs" quorvel-report ""
expect "$verbs" quorvel-report -- ""
expect "$(grep '^downloads-by' <<<"$verbs")" quorvel-report --server /srv --from 2001-01-01 downloads-by
expect "--format" quorvel-report --fo
expect "$(printf 'csv\njson\ntext')" quorvel-report --format ""
expect "json" quorvel-report --format = j
expect "" quorvel-report --from ""
expect "" quorvel-report downloads-by-number ""
expect "" quorvel-report user-downloads --server /srv ""

folder="$(mktemp -d)"
trap 'rm -rf "$folder"' EXIT
mkdir "$folder/logs" "$folder/lists"
touch "$folder/log.txt"
expect "$(printf '%s\n' "$folder/lists" "$folder/logs")" quorvel-report --server "$folder/l"

[ "$failures" -eq 0 ] || exit 1
echo "completion check passed"
