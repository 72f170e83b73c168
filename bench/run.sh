#!/bin/sh
# Runs the benchmarks of an existing build: sh bench/run.sh BUILD_DIR [benchmark options...]
# Builds nothing. The engine's benchmarks, then the calendar's and the holiday list's (offscreen)
# where the build has them, then `korin holidays 1 9999` as a whole process when hyperfine is there.
# The whole-process figures of the calendar are bench/startup.sh; the comparison with another
# holiday library is bench/compare-holidays.sh; the soak is bench/soak.sh.
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
for gui in zelvar_calendar_bench zelvar_editor_bench; do
    if [ -x "$build/bench/$gui" ]; then
        QT_QPA_PLATFORM=offscreen "$build/bench/$gui" "$@"
    fi
done
korin="$build/bin/korin"
if [ -x "$korin" ] && command -v hyperfine >/dev/null 2>&1 && [ -f "$build/bin/Korin1.csv" ]; then
    hyperfine --warmup 1 --runs 5 --output=null "$korin holidays 1 9999"
fi
