#!/usr/bin/env bash
# The whole benchmark run: builds the native preset, makes the corpus, runs
# conversion_bench (medians of 5 repetitions) and the command-line throughput
# run, then sets the figures beside their targets.
set -euo pipefail
cd "$(dirname "$0")/.."

cmake --preset native >/dev/null
cmake --build --preset native -j2 --target conversion_bench context_bench lorvane-cli >/dev/null
bench/make_corpus.sh

results=build/native/bench-results
mkdir -p "$results"
# The word data of --context: data/words.dat, or word data of the same shape
# made from jieba's dictionary where the real file is not there.
if [ -z "${LORVANE_BENCH_WORDS:-}" ]; then
  LORVANE_BENCH_WORDS=$PWD/data/words.dat
  if [ ! -e "$LORVANE_BENCH_WORDS" ]; then
    LORVANE_BENCH_WORDS=$PWD/$results/synthetic-words.dat
    python3 bench/make_synthetic_words.py "$LORVANE_BENCH_WORDS"
  fi
fi
export LORVANE_BENCH_WORDS
build/native/bin/conversion_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true \
  --benchmark_out="$results/conversion_bench.json" --benchmark_out_format=json
build/native/bin/context_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true \
  --benchmark_out="$results/context_bench.json" --benchmark_out_format=json
bench/cli_throughput.sh | tee "$results/cli_throughput.txt"

echo
python3 bench/summarize.py "$results/conversion_bench.json" "$results/cli_throughput.txt" "$results/context_bench.json"
