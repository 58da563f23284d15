#!/usr/bin/env bash
# cmake --install into a temporary DESTDIR: the files an installation brings, the desktop entry
# and metainfo as their validators read them, and both manual pages rendered without warnings.
# Usage: install_check.sh BUILD_FOLDER
set -euo pipefail
build="$1"
source "$(dirname "$0")/checks.sh"
stage="$(mktemp -d)"
trap 'rm -rf "$stage"' EXIT

DESTDIR="$stage" cmake --install "$build" --prefix /usr >/dev/null
(cd "$stage" && find . -type f | sed 's|^\./||' | sort) | expect_files "cmake --install"

id=org.quorvel.Quorvel
desktop="$stage/usr/share/applications/$id.desktop"
# A hint (such as two main categories, which the menu layout asks for) is no fault.
validation="$(desktop-file-validate "$desktop" 2>&1)" || fail "desktop-file-validate: $validation"
if grep -E '(error|warning):' <<<"$validation" >&2; then
  fail "desktop-file-validate $desktop"
fi
grep -qx "Icon=$id" "$desktop" || fail "the desktop entry does not name the icon $id"
appstreamcli validate --no-net "$stage/usr/share/metainfo/$id.metainfo.xml" >&2 ||
  fail "appstreamcli validate --no-net"

# The newest release of the metainfo is the version the programs print.
version="$("$build/src/quorvel-report" --version)"
newest="$(grep -o -m1 '<release version="[^"]*"' "$stage/usr/share/metainfo/$id.metainfo.xml" | cut -d'"' -f2)"
[ "quorvel-report $newest" = "$version" ] || fail "the metainfo's newest release is $newest, the programs are $version"

for page in quorvel quorvel-report; do
  expect_clean_manual "$stage/usr/share/man/man1/$page.1.gz"
done
echo "install check passed"
