#!/usr/bin/env bash
# Runs lorvane-cli over bench/corpus/large.txt, output to /dev/null, and
# prints the input rate and the peak memory, once with the default options
# and once with --lines --single, the same two with --context when there is
# word data (LORVANE_BENCH_WORDS, else words.dat beside lorvane-cli); then
# the time of a run on empty input, which is the process start plus a cold
# load of the table.
set -euo pipefail
cd "$(dirname "$0")/.."

cli=${LORVANE_CLI:-build/native/bin/lorvane-cli}
input=bench/corpus/large.txt
for needed in "$cli" "$input"; do
  if [ ! -e "$needed" ]; then
    echo "cli_throughput.sh: $needed is missing; run bench/run.sh" >&2
    exit 1
  fi
done

# Peak resident memory in kB of the command, which runs with its output to
# /dev/null; /usr/bin/time reports it when installed, otherwise VmHWM is
# polled while the command runs.
peak_kb_of() {
  if [ -x /usr/bin/time ]; then
    local report
    report=$(mktemp)
    /usr/bin/time -v -o "$report" "$@" >/dev/null
    sed -n 's/.*Maximum resident set size (kbytes): //p' "$report"
    rm -f "$report"
  else
    "$@" >/dev/null &
    local pid=$! peak=0 now
    while now=$(sed -n 's/^VmHWM:[[:space:]]*\([0-9]*\) kB/\1/p' "/proc/$pid/status" 2>/dev/null) && [ -n "$now" ]; do
      peak=$now
      sleep 0.01
    done
    wait "$pid"
    echo "$peak"
  fi
}

bytes=$(stat -c %s "$input")
cat "$input" >/dev/null  # into the page cache, so the disk is not measured

measure() {
  local label=$1
  shift
  local start end peak_kb
  start=$(date +%s.%N)
  peak_kb=$(peak_kb_of "$cli" "$@" "$input")
  end=$(date +%s.%N)
  awk -v label="$label" -v bytes="$bytes" -v start="$start" -v end="$end" -v kb="$peak_kb" 'BEGIN {
    mb = bytes / 1048576
    seconds = end - start
    printf "%s: %.1f MB in %.2f s = %.0f MB/s, peak memory %.1f MB\n", label, mb, seconds, mb / seconds, kb / 1024
  }'
}

measure "lorvane-cli"
measure "lorvane-cli --lines --single" --lines --single
words=${LORVANE_BENCH_WORDS:-$(dirname "$cli")/words.dat}
if [ -e "$words" ]; then
  measure "lorvane-cli --context" --context --words "$words"
  measure "lorvane-cli --context --lines --single" --context --lines --single --words "$words"
  special=bench/corpus/special-words-large.txt
  if [ -e "$special" ]; then
    input=$special bytes=$(stat -c %s "$special") measure "lorvane-cli --context, special words" --context --words "$words"
  fi
fi

runs=20
start=$(date +%s%N)
for _ in $(seq "$runs"); do "$cli" /dev/null >/dev/null; done
end=$(date +%s%N)
awk -v ns=$((end - start)) -v runs="$runs" \
  'BEGIN { printf "lorvane-cli startup on empty input: %.1f ms per run\n", ns / runs / 1e6 }'
