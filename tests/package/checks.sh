# Checks shared by install_check.sh and deb_check.sh; sourced, not run.

# Fails with the message on stderr.
fail() {
  echo "FAILED: $*" >&2
  exit 1
}

# Compares the sorted file list on stdin with files.txt.
expect_files() {
  local what="$1"
  if ! diff -u "$(dirname "${BASH_SOURCE[0]}")/files.txt" <(sort) >&2; then
    fail "$what: the files differ from tests/package/files.txt (- expected, + found)"
  fi
}

# Renders a manual page as man does and fails on any warning from the formatter.
expect_clean_manual() {
  local page="$1" warnings
  warnings="$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$page" 2>&1 >/dev/null)"
  [ -z "$warnings" ] || fail "man --warnings -l $page: $warnings"
  LC_ALL=C.UTF-8 MANWIDTH=80 man -l "$page" 2>/dev/null | grep -q '^EXAMPLES' || fail "$page renders without its EXAMPLES"
}
