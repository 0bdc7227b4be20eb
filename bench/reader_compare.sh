#!/usr/bin/env bash
# Side-by-side import of a 20,000-item RSS 2.0 feed and a 20,000-entry Atom 1.0 feed: the reader against
# xmllint --noout (goal: at most 1.0x) and python3-feedparser (expected well over 50x faster), in one run,
# with the XML load alone beside it (the reader's own share is the difference).
# Usage: bench/reader_compare.sh [RUNS]
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup
runs=${1:-15}

cmake -S . -B out/release -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVAMELRSS_BENCH=ON >/dev/null
cmake --build out/release --target reader_tool xml_tool >/dev/null
tool=out/release/bench/reader_tool
xml=out/release/bench/xml_tool
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

"$tool" gen-rss 20000 "$work/rss.xml"
"$tool" gen-atom 20000 "$work/atom.xml"
ls -l "$work/rss.xml" "$work/atom.xml"
cat > "$work/feedparser_parse.py" <<'PY'
import sys
import feedparser
print(len(feedparser.parse(sys.argv[1]).entries))
PY

for feed in rss atom; do
  file="$work/$feed.xml"
  echo "-- import $feed.xml"
  hyperfine -N -w 2 -r "$runs" --export-json "$work/$feed.json" \
    "$tool import $file" "$xml parse $file" "xmllint --noout $file" >/dev/null
  # feedparser takes seconds per run: a few runs are enough for its ratio.
  hyperfine -N -w 1 -r 3 --export-json "$work/$feed-fp.json" \
    "/usr/bin/python3 $work/feedparser_parse.py $file" >/dev/null
  /usr/bin/python3 - "$work/$feed.json" "$work/$feed-fp.json" <<'PY'
import json, sys
ours, parse, lint = json.load(open(sys.argv[1]))["results"]
fp = json.load(open(sys.argv[2]))["results"][0]
print(f"  reader        median {ours['median'] * 1000:8.1f} ms")
print(f"  parse alone   median {parse['median'] * 1000:8.1f} ms   parse/xmllint     {parse['median'] / lint['median']:5.2f}")
print(f"  xmllint       median {lint['median'] * 1000:8.1f} ms   reader/xmllint    {ours['median'] / lint['median']:5.2f}")
print(f"  feedparser    median {fp['median'] * 1000:8.1f} ms   feedparser/reader {fp['median'] / ours['median']:5.1f}")
PY
done
