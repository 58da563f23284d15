#!/usr/bin/env bash
# The Debian package: built with cpack, its file list checked, installed with dpkg (and apt-get
# for missing dependencies), run from /usr/bin, then removed so that the next run starts clean.
# Needs root; exits 77 (skipped) without it.
# Usage: deb_check.sh BUILD_FOLDER SOURCE_FOLDER
set -euo pipefail
build="$1"
source_folder="$2"
source "$(dirname "$0")/checks.sh"
if [ "$(id -u)" -ne 0 ]; then
  echo "installing a package needs root: skipped"
  exit 77
fi
if dpkg-query -W -f='${Status}' quorvel 2>/dev/null | grep -q "ok installed"; then
  echo "note: the installed quorvel package is replaced, and removed at the end"
fi
scratch="$(mktemp -d)"
remove_package() {
  dpkg --purge quorvel >/dev/null 2>&1 || true
  rm -rf "$scratch"
}
trap remove_package EXIT

(cd "$build" && cpack -G DEB -B "$scratch/package" >/dev/null)
deb="$(find "$scratch/package" -maxdepth 1 -name 'quorvel_*.deb')"
[ -f "$deb" ] || fail "cpack made no quorvel_*.deb"
dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { sub(/^\.\//, "", $6); print $6 }' | sort | expect_files "the package"
depends="$(dpkg-deb -f "$deb" Depends)"
for library in libqt6charts6 libqt6widgets6 libc6; do
  grep -q "$library" <<<"$depends" || fail "the package does not depend on $library: $depends"
done
[ "$(dpkg-deb -f "$deb" Maintainer)" = "Quorvel developers <quorvel@example.org>" ] || fail "the maintainer"
[ "$(dpkg-deb -f "$deb" Section)" = "net" ] || fail "the section"

if ! dpkg -i "$deb" >/dev/null; then
  DEBIAN_FRONTEND=noninteractive apt-get install -f -y -qq >/dev/null
fi
dpkg-query -W -f='${Status}' quorvel | grep -q "install ok installed" || fail "dpkg -i left quorvel not installed"

# The installed tool answers byte for byte as the build's.
sample="$source_folder/examples/sample-server"
/usr/bin/quorvel-report --server "$sample" downloads-by-number >"$scratch/installed.txt"
"$build/src/quorvel-report" --server "$sample" downloads-by-number >"$scratch/built.txt"
[ -s "$scratch/built.txt" ] || fail "the build's quorvel-report printed nothing"
cmp "$scratch/installed.txt" "$scratch/built.txt" || fail "/usr/bin/quorvel-report answers differently"
[ "$(/usr/bin/quorvel --version)" = "quorvel $(dpkg-deb -f "$deb" Version)" ] || fail "/usr/bin/quorvel --version"

# Installed, the folder file is the user's, though root may write to /usr/bin.
export XDG_CONFIG_HOME="$scratch/config"
report_error="$(/usr/bin/quorvel-report accounts 2>&1 >/dev/null)" && fail "an installed quorvel-report found a server folder"
[ "$report_error" = "quorvel-report: no server folder: give --server DIR" ] || fail "$report_error"
mkdir -p "$XDG_CONFIG_HOME/quorvel"
printf '%s' "$sample" >"$XDG_CONFIG_HOME/quorvel/log.dat"
[ "$(/usr/bin/quorvel-report accounts)" = "$("$build/src/quorvel-report" --server "$sample" accounts)" ] ||
  fail "an installed quorvel-report does not read \$XDG_CONFIG_HOME/quorvel/log.dat"

[ -f "$(pkg-config --variable=completionsdir bash-completion)/quorvel-report" ] ||
  fail "the completion is not where bash-completion looks"
for page in quorvel quorvel-report; do
  expect_clean_manual "/usr/share/man/man1/$page.1.gz"
done

dpkg --purge quorvel >/dev/null
! dpkg-query -W -f='${Status}' quorvel 2>/dev/null | grep -q "ok installed" || fail "quorvel is still installed"
[ ! -e /usr/bin/quorvel-report ] || fail "/usr/bin/quorvel-report is left behind"
echo "package check passed"
