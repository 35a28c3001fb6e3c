#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the benchmarks need, when missing.
set -euo pipefail
packages=(cmake ninja-build g++ pkg-config libgtest-dev libgmock-dev libbenchmark-dev
          libfreetype-dev libfontconfig-dev libharfbuzz-dev libfribidi-dev libpng-dev fonts-dejavu-core fonts-wqy-microhei fonts-lohit-deva fonts-tlwg-garuda-ttf nlohmann-json3-dev
          python3 python3-dev pybind11-dev python3-venv python3-setuptools python3-wheel python3-pip libxlsxwriter-dev
          qt6-base-dev qt6-base-private-dev qt6-charts-dev libqt6opengl6-dev xvfb xauth libsqlite3-dev
          dbus at-spi2-core python3-pyatspi poppler-utils)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  SUDO=""
  [ "$(id -u)" -ne 0 ] && SUDO=sudo
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update -qq
  $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
