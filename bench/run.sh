#!/bin/sh
# Runs the benchmarks of an existing build: sh bench/run.sh BUILD_DIR [benchmark options...]
# Builds nothing. The engine's benchmarks, then the calendar's and the holiday list's (offscreen)
# where the build has them, and the 暦's, then `korin holidays 1 9999` and `korin koyomi 1900 2100` as
# whole processes when hyperfine is there.
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
if [ -x "$build/bench/zelvar_koyomi_bench" ]; then
    "$build/bench/zelvar_koyomi_bench" "$@"
fi
for gui in zelvar_calendar_bench zelvar_editor_bench; do
    if [ -x "$build/bench/$gui" ]; then
        QT_QPA_PLATFORM=offscreen "$build/bench/$gui" "$@"
    fi
done
korin="$build/bin/korin"
if [ -x "$korin" ] && command -v hyperfine >/dev/null 2>&1 && [ -f "$build/bin/Korin1.csv" ]; then
    hyperfine --warmup 1 --runs 5 --output=null "$korin holidays 1 9999"
    hyperfine --warmup 1 --runs 5 --output=null "$korin koyomi 1900 2100"
fi
