#!/usr/bin/env bash
# Page harvesting side by side with its peers, in one run (hyperfine medians):
#   - a generated site of 10,000 pages of about 30 KB: the folder scan and the import of every page in
#     the marked-part mode, against `xmllint --html --noout` over the same files (goal: at most 1.5x);
#   - the scan alone against `find` over the folder;
#   - scaling: instructions of reading each page of tests/data/pages, and of the same page with its
#     body repeated 8 times (callgrind; the ratio stays near 8 when reading is linear).
# Usage: bench/harvest_bench.sh [PAGES [KB]]   (HARVEST_TOOL=path uses an already built harvest_tool)
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup
pages=${1:-10000}
kb=${2:-30}

tool=${HARVEST_TOOL:-}
if [ -z "$tool" ]; then
  cmake -S . -B out/release -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVAMELRSS_BENCH=ON >/dev/null
  cmake --build out/release --target harvest_tool >/dev/null
  tool=out/release/bench/harvest_tool
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

"$tool" gen-site "$pages" "$kb" "$work/site"
echo "site: $(find "$work/site" -name '*.html' | wc -l) pages, $(du -sh "$work/site" | cut -f1)"
find "$work/site" -name '*.html' -print0 > "$work/list"

# Prints each command's median and its ratio to the last command of the export.
medians() {
  python3 - "$1" <<'PY'
import json, sys
results = json.load(open(sys.argv[1]))["results"]
peer = results[-1]["median"]
for r in results:
    print(f"  median {r['median'] * 1000:9.1f} ms  ratio {r['median'] / peer:5.2f}  {r['command']}")
PY
}

echo "-- scan and import every page in the marked-part mode (goal: at most 1.5x xmllint --html --noout)"
hyperfine -w 1 -r 5 -i --export-json "$work/import.json" \
  "$tool import $work/site" \
  "xargs -0 -n 2000 xmllint --html --noout < $work/list" >/dev/null
medians "$work/import.json"

echo "-- the scan alone, against find"
hyperfine -N -w 2 -r 10 --export-json "$work/scan.json" "$tool scan $work/site" "find $work/site" >/dev/null
medians "$work/scan.json"

echo "-- scaling: instructions of reading a page and the page with its body 8 times over"
count() {
  valgrind --tool=callgrind --callgrind-out-file=/dev/null --toggle-collect='ReadPageIntoItem*' \
    "$tool" read "$1" 2>&1 | sed -n 's/.*Collected : *//p'
}
for page in tests/data/pages/*.html "$work/site/s0/d0/p0.html"; do
  "$tool" scale "$page" 8 "$work/scaled.html"
  one=$(count "$page")
  eight=$(count "$work/scaled.html")
  python3 -c "print(f'  {\"$(basename "$page")\":24} x1 {$one:>12,}  x8 {$eight:>13,}  ratio {$eight / $one:5.2f}')"
done
