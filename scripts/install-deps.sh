#!/usr/bin/env bash
# Installs the Debian packages that building and testing need, when any is missing.
# help2man writes the manual pages; man-db, desktop-file-utils, appstream and bash-completion
# check what an installation brings; dpkg-dev and file let CPack build the .deb and work out
# its dependencies. libyaml-cpp-dev reads a modern server's account files.
set -euo pipefail
packages=(cmake g++ make qt6-base-dev qt6-charts-dev libgl-dev libgtest-dev googletest mawk time clang libclang-rt-dev
  help2man man-db desktop-file-utils appstream bash-completion pkg-config dpkg-dev file libyaml-cpp-dev)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  sudo_cmd=""
  [ "$(id -u)" -eq 0 ] || sudo_cmd="sudo"
  $sudo_cmd apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y -qq "${missing[@]}"
fi
