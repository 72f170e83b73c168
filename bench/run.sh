#!/bin/sh
# Runs the benchmarks of an existing build: sh bench/run.sh BUILD_DIR [benchmark options...]
# Builds nothing. Also times `korin holidays 1 9999` as a whole process when hyperfine is there.
set -eu
if [ $# -lt 1 ]; then
    echo "usage: sh bench/run.sh BUILD_DIR [benchmark options...]" >&2
    exit 2
fi
build=$1
shift
bench="$build/bench/zelvar_bench"
if [ ! -x "$bench" ]; then
    echo "no benchmark program at $bench: build the target zelvar_bench first" >&2
    exit 1
fi
"$bench" --benchmark_counters_tabular=true "$@"
korin="$build/bin/korin"
if [ -x "$korin" ] && command -v hyperfine >/dev/null 2>&1 && [ -f "$build/bin/Korin1.csv" ]; then
    hyperfine --warmup 1 --runs 5 --output=null "$korin holidays 1 9999"
fi
