#!/usr/bin/env bash
# Installs the Debian packages Palvex needs to build, test and run, if any are missing.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins qt6-translations-l10n
  # lupdate and lrelease, and their CMake functions (Qt6::LinguistTools)
  qt6-l10n-tools qt6-tools-dev
  libzip-dev libglpk-dev
  clang libclang-rt-dev
  fonts-liberation fonts-dejavu-core
  xvfb xauth
  # the Debian package (scripts/package.sh) and the checks of its desktop entry and metainfo
  dpkg-dev file desktop-file-utils appstream
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  sudo=""
  if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
