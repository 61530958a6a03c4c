#!/usr/bin/env bash
# The figures of the windowed program: start-up and Convert times of
# Lorvane.exe under Wine (bench/gui), then the size and the DLL imports of the
# 32-bit release build. Usage: bench/gui_figures.sh [RUNS [LARGE_RUNS]]
# (about ten minutes with the defaults, 5 and 3: see bench/gui/GuiBench.cpp).
set -euo pipefail
cd "$(dirname "$0")/.."

runs=${1:-5}
large_runs=${2:-3}

cmake --preset mingw-x64 >/dev/null
cmake --build --preset mingw-x64 -j "$(nproc)" --target gui_bench Lorvane >/dev/null
cmake --preset mingw-x86 >/dev/null
cmake --build --preset mingw-x86 -j "$(nproc)" --target Lorvane >/dev/null
bench/make_corpus.sh

export LANG=zh_CN.UTF-8
# shellcheck source=../tools/ci/wine-session.sh
source tools/ci/wine-session.sh
lorvane_wine_start

echo "== GUI timings (bench/gui/GuiBench.cpp)"
"$LORVANE_WINE" build/mingw-x64/bin/gui_bench.exe "$(winepath_of "$PWD/bench/corpus/chinese.txt")" "$runs" "$large_runs"

release=build/mingw-x86/bin/Lorvane.exe
echo
echo "== $release (32-bit, MinSizeRel, stripped)"
echo "size: $(stat -c %s "$release") bytes"
echo "DLL imports:"
i686-w64-mingw32-objdump -p "$release" | grep "DLL Name" | sed 's/^[[:space:]]*/  /'
