#!/bin/sh
# Whole-process time of `korin holidays FIRST LAST` against the npm package japanese-holidays on
# Node.js printing the same years in the same form, side by side with hyperfine.
#
#   sh bench/compare-holidays.sh [BUILD_DIR]      (default build/default; FIRST=1948 LAST=2150)
#
# The npm package goes into a scratch folder under /tmp (SCRATCH), never into the source tree.
# Prints both mean times, the ratio, and how many output lines the two programs disagree on.
set -eu
cd "$(dirname "$0")/.."
script=compare-holidays
. bench/require.sh
build=${1:-build/default}
first=${FIRST:-1948}
last=${LAST:-2150}
scratch=${SCRATCH:-/tmp/zelvar-compare}
runs=${RUNS:-30}
korin="$PWD/$build/bin/korin"
case "$build" in /*) korin="$build/bin/korin" ;; esac

# Node.js and npm are needed only here: the setup installs Debian's when they are missing.
if ! command -v node >/dev/null 2>&1 || ! command -v npm >/dev/null 2>&1; then
    sh scripts/setup.sh nodejs npm
fi
require_tools "" node npm hyperfine /usr/bin/python3
require_built "$korin" korin

mkdir -p "$scratch"
if [ ! -f "$scratch/node_modules/japanese-holidays/package.json" ]; then
    (cd "$scratch" && npm install --no-save --no-audit --no-fund --silent japanese-holidays@1.0.10)
fi
cat >"$scratch/holidays.js" <<'JS'
// Every holiday of the years FIRST..LAST, one line each: yyyy/mm/dd TAB (weekday) TAB name.
const JapaneseHolidays = require('japanese-holidays');
const first = Number(process.argv[2]);
const last = Number(process.argv[3] || process.argv[2]);
const weekdays = '日月火水木金土';
const pad = (n, w) => String(n).padStart(w, '0');
const lines = [];
for (let year = first; year <= last; ++year) {
  for (const h of JapaneseHolidays.getHolidaysOf(year)) {
    const day = new Date(Date.UTC(year, h.month - 1, h.date)).getUTCDay();
    lines.push(`${pad(year, 4)}/${pad(h.month, 2)}/${pad(h.date, 2)}\t(${weekdays[day]})\t${h.name}`);
  }
}
process.stdout.write(lines.join('\n') + '\n');
JS

"$korin" holidays "$first" "$last" >"$scratch/korin.txt"
node "$scratch/holidays.js" "$first" "$last" >"$scratch/node.txt"
echo "korin:            $(wc -l <"$scratch/korin.txt") holidays in $first-$last"
echo "japanese-holidays: $(wc -l <"$scratch/node.txt") holidays in $first-$last"
differing=$(diff "$scratch/korin.txt" "$scratch/node.txt" | grep -c '^[<>]' || true)
echo "lines only in one of the two outputs: $differing (diff $scratch/korin.txt $scratch/node.txt)"

hyperfine --warmup 3 --runs "$runs" --shell=none --output=null \
    --export-json "$scratch/hyperfine.json" \
    "$korin holidays $first $last" "node $scratch/holidays.js $first $last"

/usr/bin/python3 - "$scratch/hyperfine.json" <<'PY'
import json, sys
results = json.load(open(sys.argv[1]))["results"]
korin, node = results[0], results[1]
def cpu(r):
    return r["user"] + r["system"]
print(f"wall: korin {korin['mean'] * 1000:.2f} ms ± {korin['stddev'] * 1000:.2f}, "
      f"node {node['mean'] * 1000:.2f} ms ± {node['stddev'] * 1000:.2f}, "
      f"ratio {node['mean'] / korin['mean']:.1f}x")
print(f"cpu (user + system): korin {cpu(korin) * 1000:.2f} ms, node {cpu(node) * 1000:.2f} ms, "
      f"ratio {cpu(node) / cpu(korin):.1f}x")
PY
