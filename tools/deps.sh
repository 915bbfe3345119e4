#!/usr/bin/env bash
# Installs the Debian packages Mensora needs to build and test, and only those
# that are missing, so that a second run is quick and touches nothing.
set -euo pipefail

PACKAGES=(
  cmake g++ make pkg-config
  libgtest-dev libbenchmark-dev
  libsqlite3-dev libsdl2-dev libfreetype-dev fonts-dejavu-core libpng-dev
  llvm lld clang
)

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  SUDO=""
  if [ "$(id -u)" -ne 0 ]; then SUDO=sudo; fi
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
