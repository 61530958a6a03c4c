#!/usr/bin/env bash
# Makes the benchmark corpus from the Chinese fortunes of the fortunes-zh
# package: bench/corpus/chinese.txt (about 2 MB of real text) and
# bench/corpus/large.txt (the same text repeated to at least 256 MiB); and
# from data/words.dat, bench/corpus/explicit-words.txt and
# explicit-words-large.txt (2 and 64 MB of words with explicit readings).
# Does nothing when both files are already there and whole.
set -euo pipefail
cd "$(dirname "$0")"

large_minimum=$((256 * 1024 * 1024))
mkdir -p corpus

fortunes=$(dpkg -L fortunes-zh 2>/dev/null | grep -E '/fortunes/(chinese|tang300|song100)$' || true)
if [ -z "$fortunes" ]; then
  echo "make_corpus.sh: the fortunes-zh package is not installed (apt-get install fortunes-zh)" >&2
  exit 1
fi

# The fortunes are separated by lines holding only '%' and coloured with
# terminal escapes, some of them nested; both go.
fresh=$(mktemp)
trap 'rm -f "$fresh"' EXIT
# shellcheck disable=SC2086
cat $fortunes | LC_ALL=C sed -e '/^%$/d' -e ':strip' -e 's/\x1b\[[0-9;]*m//' -e 't strip' >"$fresh"

if ! cmp -s "$fresh" corpus/chinese.txt; then
  chmod 644 "$fresh"
  mv "$fresh" corpus/chinese.txt
  rm -f corpus/large.txt
fi

size=$(stat -c %s corpus/chinese.txt)
copies=$(((large_minimum + size - 1) / size))
if [ "$(stat -c %s corpus/large.txt 2>/dev/null || echo 0)" -ne $((copies * size)) ]; then
  for _ in $(seq "$copies"); do cat corpus/chinese.txt; done >corpus/large.txt.part
  mv corpus/large.txt.part corpus/large.txt
fi

# Text made only of words with explicit readings, from the word data.
words=../data/words.dat
if [ -e "$words" ] && { [ ! -e corpus/explicit-words.txt ] || [ "$words" -nt corpus/explicit-words.txt ]; }; then
  python3 make_explicit_words.py "$words" corpus/explicit-words.txt $((2 * 1024 * 1024))
  python3 make_explicit_words.py "$words" corpus/explicit-words-large.txt $((64 * 1024 * 1024))
fi

echo "corpus: $(stat -c %s corpus/chinese.txt) bytes in chinese.txt, $(stat -c %s corpus/large.txt) bytes in large.txt"
