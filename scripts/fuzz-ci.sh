#!/bin/sh
# Runs every fuzz target of a built fuzz preset for a bounded time each, starting from the
# committed corpus (fuzz/corpus/<target>) and the seeds. New inputs go to a scratch folder in the
# build, never into the source tree; a crash fails the run and leaves its input in
# <build>/artifacts/.
#
#   sh scripts/fuzz-ci.sh BUILD_DIR [SECONDS]          (make fuzz-ci)
#   sh scripts/fuzz-ci.sh --merge BUILD_DIR            adds the scratch finds to fuzz/corpus/
#
# Inputs reach FUZZ_MAX_LEN bytes (default 256 KiB), starting from generated large inputs.
set -eu
cd "$(dirname "$0")/.."

merge=0
if [ "${1:-}" = "--merge" ]; then
    merge=1
    shift
fi
if [ $# -lt 1 ]; then
    echo "usage: sh scripts/fuzz-ci.sh [--merge] BUILD_DIR [SECONDS]" >&2
    exit 2
fi
build=$1
seconds=${2:-60}
max_len=${FUZZ_MAX_LEN:-262144}
targets="definitions settings"
status=0

for target in $targets; do
    program="$build/fuzz/${target}_fuzzer"
    if [ ! -x "$program" ]; then
        echo "fuzz-ci: $program is missing (make fuzz builds it)" >&2
        exit 1
    fi
    corpus="fuzz/corpus/$target"
    scratch="$build/fuzz-work/$target"
    artifacts="$build/artifacts/$target/"
    mkdir -p "$corpus" "$scratch" "$artifacts"
    if [ "$merge" -eq 1 ]; then
        echo "fuzz-ci: merging the finds of $target into $corpus"
        "$program" -merge=1 "$corpus" "$scratch" 2>&1 | tail -n 2
        continue
    fi
    inputs="$corpus"
    # The definition loader's hand-made seeds lie beside its target.
    if [ "$target" = definitions ] && [ -d fuzz/seeds ]; then
        inputs="$inputs fuzz/seeds"
    fi
    # Large inputs from the start: a definition or settings file of 100 KB and more reaches the
    # paths whose cost grows with the input (long runs of invalid bytes, thousands of records).
    large="$build/fuzz-work/$target-large"
    mkdir -p "$large"
    head -c 131072 /dev/zero | tr '\000' '\377' >"$large/invalid_bytes"
    yes "$(printf '\205@')" | tr -d '\n' | head -c 131072 >"$large/unmapped_pairs"
    yes 'H,1,1,1,,,1948,' | head -c 131072 >"$large/many_records"
    inputs="$inputs $large"
    echo "fuzz-ci: $target for ${seconds}s (inputs up to $max_len bytes)"
    log="$build/fuzz-work/$target.log"
    # shellcheck disable=SC2086
    if "$program" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
        -max_len="$max_len" -len_control=0 \
        -artifact_prefix="$artifacts" "$scratch" $inputs >"$log" 2>&1; then
        grep -E '^(stat::number_of_executed_units|stat::new_units_added)' "$log" | sed 's/^/  /'
        grep -E '^#[0-9]+ *DONE' "$log" | tail -n 1 | sed 's/^/  /'
    else
        echo "fuzz-ci: $target FAILED; the input is in $artifacts, the log in $log" >&2
        tail -n 40 "$log" >&2
        status=1
    fi
done
exit $status
