#!/usr/bin/env bash
# Runs lorvane-cli --context on the crafted data files of
# bench/make_crafted_data.py, and on fair data of the same shape for
# comparison, and prints for each the exit status, the seconds and the peak
# memory. usage: bench/crafted.sh [CLI] (default build/native/bin/lorvane-cli);
# CRAFTED_TIMEOUT (seconds, default 300) ends a run that takes longer.
set -uo pipefail
cd "$(dirname "$0")/.."

cli=$(realpath "${1:-build/native/bin/lorvane-cli}")
data=build/native/crafted
[ -e "$data/rules.txt" ] || python3 bench/make_crafted_data.py "$data" || exit 1
bench/make_corpus.sh >/dev/null || exit 1
limit=${CRAFTED_TIMEOUT:-300}
table=data/pymb.dat
words=data/words.dat
fair_text=$(mktemp)
trap 'rm -f "$fair_text"' EXIT
head -c 300000 bench/corpus/chinese.txt >"$fair_text"

# run NAME INPUT ARGUMENTS...: one line of figures.
run() {
  local name=$1 input=$2 report status
  shift 2
  report=$(mktemp)
  timeout "$limit" /usr/bin/time -f '%e %M' -o "$report" "$cli" --context "$@" "$input" >/dev/null 2>"$report.err"
  status=$?
  # The figures are the report's last line: a failed run has a line before.
  read -r seconds kb < <(tail -n 1 "$report") || { seconds=-; kb=0; }
  [ "$status" -eq 124 ] && seconds=">$limit"
  printf '%-34s exit %3s  %8s s  %9.1f MB  %s\n' "$name" "$status" "$seconds" "$(echo "${kb:-0}" | awk '{print $1 / 1024}')" \
    "$(head -c 120 "$report.err" | tr '\n' ' ')"
  rm -f "$report" "$report.err"
}

echo "lorvane-cli: $cli"
printf '%s' '长' >"$data/one.txt"
run "fair: shipped data, one character" "$data/one.txt" --table "$table" --words "$words"
run "readings-product (135 + 120 KB)" "$data/one.txt" --table "$data/readings-product.pymb" \
  --words "$data/readings-product.words"
run "huge-table (59 MB + 279 B)" "$data/one.txt" --table "$data/huge-table.pymb" --words "$data/huge-table.words"
run "large-words (63 MB), shipped table" "$data/one.txt" --table "$table" --words "$data/large-words.words"
run "fair: empty text, shipped data" /dev/null --table "$table" --words "$words"
run "wrap (1.0 MB), empty text" /dev/null --table "$table" --words "$data/wrap.words"
run "wrap-large (2.5 MB), empty text" /dev/null --table "$table" --words "$data/wrap-large.words"
run "fair: 300 KB of the fortunes" "$fair_text" --table "$table" --words "$words"
run "cluster (1.4 MB), its 300 KB text" "$data/cluster.txt" --table "$table" --words "$data/cluster.words"
run "many-rules (8 MB), 100,000 x 行" "$data/rules.txt" --table "$table" --words "$data/many-rules.words"
run "most-rules (1,024), 100,000 x 行" "$data/rules.txt" --table "$table" --words "$data/most-rules.words"
