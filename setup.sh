#!/usr/bin/env bash
# Installs on a Debian 12 machine every package needed to build, run and test
# Quorendaville. Safe to run again: it does nothing when all is present.
set -euo pipefail

packages=(
  g++ cmake ninja-build pkg-config mold ccache
  qt6-base-dev qt6-svg-dev qt6-translations-l10n libqt6svg6
  qt6-image-formats-plugins libjpeg-dev
  libgl-dev
  fonts-liberation fonts-dejavu-core
  libgtest-dev libgmock-dev libbenchmark-dev
  libsqlite3-dev sqlite3 libsodium-dev poppler-utils
  libical-dev
  xvfb xauth
  dpkg-dev lintian desktop-file-utils
  tzdata locales
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ "${#missing[@]}" -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  SUDO=""
  if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update -qq
  $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# An Italian locale, for the tests that check the decimal comma is never
# taken from the machine's locale.
if ! locale -a 2>/dev/null | grep -qi '^it_IT\.utf'; then
  localedef -i it_IT -f UTF-8 it_IT.UTF-8 >/dev/null 2>&1 || true
fi
