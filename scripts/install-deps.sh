#!/usr/bin/env bash
# Installs what building and testing Inkline needs, from Debian's packages, when missing.
# Usage: scripts/install-deps.sh [--windows] [--bench]
#   --windows  adds the MinGW-w64 cross compiler, and Wine with a virtual display to run the
#              Windows build's tests
#   --fuzz     adds clang with libFuzzer and its sanitizer runtimes (scripts/fuzz.sh)
#   --bench    adds what only the comparison benchmark needs (scripts/bench.sh --compare):
#              Cairo, the yardstick, and matplotlib for the plot
set -euo pipefail

packages=(cmake ninja-build g++ make python3 pkg-config dpkg-dev
          libgtest-dev libgmock-dev libbenchmark-dev libpng-dev nlohmann-json3-dev libcli11-dev libpugixml-dev libopenexr-dev librsvg2-bin
          locales)
for option in "$@"; do
  case "$option" in
    --windows) packages+=(g++-mingw-w64-x86-64 binutils-mingw-w64-x86-64 googletest wine64 xvfb xauth) ;;
    --bench) packages+=(libcairo2-dev python3-matplotlib) ;;
    --fuzz) packages+=(clang libclang-rt-14-dev) ;;
    *) echo "install-deps.sh: unknown option $option" >&2; exit 2 ;;
  esac
done

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

SUDO=""
if [[ $(id -u) -ne 0 ]]; then SUDO="sudo"; fi

if (( ${#missing[@]} )); then
  echo "Installing: ${missing[*]}"
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# Settings files are written with the user's decimal separator: the tests need a locale
# whose separator is a comma, and the Windows tests a Japanese one.
for wanted in de_DE ja_JP; do
  if ! locale -a 2>/dev/null | grep -qi "^${wanted}\.utf8$"; then
    echo "Generating locale ${wanted}.UTF-8"
    $SUDO sed -i "s/^# *\(${wanted}.UTF-8 UTF-8\)/\1/" /etc/locale.gen
    grep -q "^${wanted}.UTF-8 UTF-8" /etc/locale.gen || echo "${wanted}.UTF-8 UTF-8" | $SUDO tee -a /etc/locale.gen >/dev/null
    $SUDO locale-gen >/dev/null
  fi
done
