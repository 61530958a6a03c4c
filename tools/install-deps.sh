#!/usr/bin/env bash
# Installs with apt whatever the build and the tests need and the machine
# lacks, and makes the zh_CN.UTF-8 locale available (Wine takes code page 936
# from it). Safe to run again: it does nothing when all is there.
set -euo pipefail

packages=(
  cmake g++ python3 git
  googletest libgtest-dev libbenchmark-dev
  clang-14 libclang-rt-14-dev
  g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix mingw-w64-tools
  wine64 fonts-wine xvfb x11-utils imagemagick locales fonts-wqy-microhei
  unicode-data fortunes-zh zip
)

missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' || missing+=("$package")
done

sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)

if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  "${sudo[@]}" apt-get update -q
  DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -q "${missing[@]}"
fi

# zh_CN for code page 936, en_US for the run under a non-Chinese code page.
wanted_locales=()
for name in zh_CN en_US; do
  locale -a 2>/dev/null | grep -qi "^${name}\.utf-\?8$" || wanted_locales+=("$name")
done
if [ ${#wanted_locales[@]} -gt 0 ]; then
  for name in "${wanted_locales[@]}"; do
    "${sudo[@]}" sed -i "s/^# *${name}.UTF-8 UTF-8/${name}.UTF-8 UTF-8/" /etc/locale.gen
    grep -q "^${name}.UTF-8 UTF-8" /etc/locale.gen || echo "${name}.UTF-8 UTF-8" | "${sudo[@]}" tee -a /etc/locale.gen >/dev/null
  done
  "${sudo[@]}" locale-gen >/dev/null
fi
