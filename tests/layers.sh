#!/usr/bin/env bash
# Checks every include of the program's own headers against the layer table: a file in a folder
# of src may include only the folders listed for it. The build refuses such includes too; this
# names each one at once, and also refuses includes that climb out of a folder ("../") and Qt
# headers in the engine.
#   bash tests/layers.sh SRC_DIR
set -u
src="${1:?usage: layers.sh SRC_DIR}"
declare -A allowed=(
  [core]="core"
  [model]="core model"
  [server]="core model server"
  [ingest]="core model server ingest"
  [query]="core model query"
  [present]="core model query present"
  [platform]="platform"
  [commands]="core model server ingest query present platform commands"
  [cli]="core model server ingest query present platform commands cli"
  [gui]="core gui"
  [dialogs]="core gui platform dialogs"
  [platform/qt]="gui platform platform/qt"
  [app]="core model server ingest query present platform commands gui dialogs platform/qt app"
)
engine="core model server ingest query present platform commands cli"
faults=0
while IFS= read -r file; do
  rel="${file#"$src"/}"
  folder="${rel%/*}"
  [ -n "${allowed[$folder]+set}" ] || { echo "$rel: folder '$folder' is not in the layer table"; faults=$((faults + 1)); continue; }
  while IFS= read -r line; do
    header="$(sed -E 's/^#include "([^"]*)".*/\1/' <<<"$line")"
    case "$header" in
      ../*|*/../*) echo "$rel: climbs out of its folder: $header"; faults=$((faults + 1)); continue ;;
      */*) ;;
      *) continue ;; # a generated file beside the source (moc, resources)
    esac
    layer="${header%%/*}"
    [ "$layer" = platform ] && [[ "$header" == platform/qt/* ]] && layer=platform/qt
    if [[ " ${allowed[$folder]} " != *" $layer "* ]]; then
      echo "$rel: may not include $header"
      faults=$((faults + 1))
    fi
  done < <(grep -E '^#include "' "$file")
  if [[ " $engine " == *" $folder "* ]] && grep -qE '^#include <Q' "$file"; then
    echo "$rel: the engine includes no Qt header"
    faults=$((faults + 1))
  fi
done < <(find "$src" -name '*.h' -o -name '*.cpp' | sort)
if [ "$faults" -gt 0 ]; then
  echo "$faults include(s) against the layer table"
  exit 1
fi
echo "every include follows the layer table"
