#!/usr/bin/env bash
# Builds every preset and runs every test: the host build, its Debian
# package unpacked and run, the host build with sanitizers, the fuzz targets
# for a minute each, and the Windows build under Wine on a private X display,
# 64-bit and 32-bit. Installs what the machine lacks first.
set -euo pipefail
cd "$(dirname "$0")"

tools/ci/install-deps.sh

# The Python tools and their tests leave no __pycache__ in the source tree.
export PYTHONDONTWRITEBYTECODE=1
# The generators' inputs are installed now: their tests fail, not skip,
# without them.
export LORVANE_REQUIRE_SOURCES=1

# Every build uses every core; each preset's workflow configures, builds
# and, where it can here, tests (CMakePresets.json).
export CMAKE_BUILD_PARALLEL_LEVEL=${CMAKE_BUILD_PARALLEL_LEVEL:-$(nproc)}

echo "== native: build, test and package"
cmake --workflow --preset native
echo "== native: lorvane-cli's Debian package, unpacked and run"
tools/ci/test-linux-package.sh
echo "== native-asan: build and test under the sanitizers"
cmake --workflow --preset native-asan
echo "== native-fuzz: build the fuzz targets"
cmake --workflow --preset native-fuzz
echo "== mingw-x86: build the 32-bit release and its zip"
cmake --workflow --preset mingw-x86

# Fuzzes one target for 60 s from a copy of its corpus and prints how many
# inputs it ran. An input that takes more than 10 s, or memory past 1 GB
# (the sanitizers' own included), fails the run as a crash does. The working corpus lives in memory where it can (the fuzzer
# writes and deletes many small files); a crash is written into the corpus
# folder itself, whose replay test then fails until the fault is fixed.
fuzz_for_a_minute() {
  local target=$1 corpus=$2 work status=0
  work=$(mktemp -d -p /dev/shm 2>/dev/null || mktemp -d)
  cp "$corpus"/* "$work"/
  "build/native-fuzz/bin/$target" -max_total_time=60 -max_len=4096 -timeout=10 -rss_limit_mb=1024 -print_final_stats=1 \
    -artifact_prefix="$corpus/" "$work" >"$work.log" 2>&1 || status=$?
  awk '/^stat::number_of_executed_units:/ { runs = $2 } /^stat::average_exec_per_sec:/ { rate = $2 }
    END { printf "fuzz: %d executions, %d per second\n", runs, rate }' "$work.log"
  if [ "$status" -ne 0 ]; then
    tail -n 40 "$work.log"
    echo "fuzz: $target failed; the input that failed is in $corpus" >&2
    exit 1
  fi
  rm -rf "$work" "$work.log"
}

echo "== fuzz the loader and the conversion for 60 s"
fuzz_for_a_minute fuzz_table_and_conversion tests/fuzz/corpus
echo "== fuzz the word data loader and the conversion by context for 60 s"
fuzz_for_a_minute fuzz_words_and_context tests/fuzz/words-corpus

echo "== mingw-x64: build and test under Wine"
export LANG=zh_CN.UTF-8
# shellcheck source=tools/ci/wine-session.sh
source tools/ci/wine-session.sh
lorvane_wine_start
cmake --workflow --preset mingw-x64

# The release is 32-bit: the same tests again under Wine's 32-bit loader, in
# a prefix of their own, and the end-to-end tests from the unzipped release.
if reason=$(tools/ci/check-32bit-kernel.sh); then
  echo "== test mingw-x86 under Wine's 32-bit loader"
  lorvane_wine_use_prefix prefix32 /usr/lib/wine/wine
  ctest --preset mingw-x86
  echo "== end-to-end tests from the unzipped 32-bit release"
  tools/ci/test-release-package.sh
else
  echo "== 32-bit Windows tests skipped: $reason"
fi
