#!/usr/bin/env bash
# Runs lorvane-cli over bench/corpus/large.txt, output to /dev/null, and
# prints the input rate and the peak memory: with the default options and
# with --lines --single; in tones, first letters and with the other text
# kept; the same with --context when there is word data
# (LORVANE_BENCH_WORDS, else words.dat beside lorvane-cli), and --names over
# the names of bench/accuracy repeated. Then the time of a run on empty
# input, which is the process start plus a cold load of the data.
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
measure "lorvane-cli --first-letters" --first-letters
measure "lorvane-cli --keep-other" --keep-other
words=${LORVANE_BENCH_WORDS:-$(dirname "$cli")/words.dat}
if [ -e "$words" ]; then
  # Word data from before tones has none: the modes in tones are left out.
  toned=$("$cli" --tone=marks --words "$words" </dev/null >/dev/null 2>&1 && echo yes || echo no)
  [ "$toned" = no ] || measure "lorvane-cli --tone=marks" --tone=marks --words "$words"
  measure "lorvane-cli --context" --context --words "$words"
  measure "lorvane-cli --context --lines --single" --context --lines --single --words "$words"
  measure "lorvane-cli --context --first-letters --single --separator=" --context --first-letters --single \
    --separator= --words "$words"
  measure "lorvane-cli --context --keep-other" --context --keep-other --words "$words"
  if [ "$toned" = yes ]; then
    measure "lorvane-cli --context --tone=marks" --context --tone=marks --words "$words"
    measure "lorvane-cli --context --tone=numbers --sandhi --single" --context --tone=numbers --sandhi --single \
      --words "$words"
    names=$(mktemp)
    trap 'rm -f "$names"' EXIT
    one_round=$(grep -hv '^#' bench/accuracy/names-dev.tsv bench/accuracy/names-eval.tsv | cut -f1)
    for _ in $(seq 4000); do echo "$one_round"; done >"$names"
    input=$names bytes=$(stat -c %s "$names") measure "lorvane-cli --names --tone=marks, names" --names \
      --tone=marks --words "$words"
  fi
  explicit=bench/corpus/explicit-words-large.txt
  if [ -e "$explicit" ]; then
    input=$explicit bytes=$(stat -c %s "$explicit") measure "lorvane-cli --context, words with explicit readings" \
      --context --words "$words"
  fi
fi

startup() {
  local label=$1 runs=20 start end
  shift
  start=$(date +%s%N)
  for _ in $(seq "$runs"); do "$cli" "$@" /dev/null >/dev/null; done
  end=$(date +%s%N)
  awk -v ns=$((end - start)) -v runs="$runs" -v label="$label" \
    'BEGIN { printf "%s on empty input: %.1f ms per run\n", label, ns / runs / 1e6 }'
}
startup "lorvane-cli startup"
if [ -e "$words" ]; then
  startup "lorvane-cli --context startup" --context --words "$words"
  [ "$toned" = no ] || startup "lorvane-cli --context --tone=marks startup" --context --tone=marks --words "$words"
fi
