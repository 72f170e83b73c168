#!/bin/sh
# Soak: Zelvar under Xvfb with its clock shown, paged through MONTHS months with the Down key in
# the month box (xdotool), then left ticking until MINUTES have passed since its start. Samples
# the resident memory (VmRSS) along the way and fails when the program ends or its memory grows
# by more than GROWTH_KB between the end of the paging and the end of the run.
#
#   sh bench/soak.sh [BUILD_DIR]        (default build/default; MONTHS=10000 MINUTES=10)
#
# The program runs from a scratch copy of BUILD_DIR/bin, so no settings file lands in the build.
set -eu
cd "$(dirname "$0")/.."
script=soak
. bench/require.sh
build=${1:-build/default}
months=${MONTHS:-10000}
minutes=${MINUTES:-10}
growth_kb=${GROWTH_KB:-2048}
case "$build" in /*) ;; *) build="$PWD/$build" ;; esac

require_tools "sh scripts/setup.sh installs it" Xvfb xdotool jwm
require_built "$build/bin/Zelvar" Zelvar

scratch=$(mktemp -d /tmp/zelvar-soak.XXXXXX)
server=""
wm=""
zelvar=""
cleanup() {
    for p in $zelvar $wm $server; do kill "$p" 2>/dev/null || true; done
    rm -rf "$scratch"
}
trap cleanup EXIT INT TERM

cp "$build"/bin/Zelvar "$build"/bin/Korin1.csv "$build"/bin/Korin2.csv "$scratch"/
# The clock strip shown, so that every tick repaints; no notification-area icon needed.
printf '[Option]\r\nShowClock=1\r\nTaskTray=0\r\n' >"$scratch/Zelvar.ini"
mkdir -m 700 "$scratch/runtime"

exec 3>"$scratch/display"
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 2>/dev/null &
server=$!
exec 3>&-
tries=0
until [ -s "$scratch/display" ]; do
    tries=$((tries + 1))
    [ "$tries" -lt 200 ] || { echo "soak: Xvfb did not start" >&2; exit 1; }
    sleep 0.1
done
DISPLAY=":$(cat "$scratch/display")"
export DISPLAY
export XDG_RUNTIME_DIR="$scratch/runtime" QT_QPA_PLATFORM=xcb LC_ALL=C.UTF-8
jwm >/dev/null 2>&1 &
wm=$!

"$scratch/Zelvar" 2>"$scratch/stderr.txt" &
zelvar=$!
started=$(date +%s)

window=""
tries=0
until [ -n "$window" ]; do
    tries=$((tries + 1))
    [ "$tries" -lt 300 ] || { echo "soak: no calendar window" >&2; exit 1; }
    sleep 0.1
    window=$(xdotool search --onlyvisible --pid "$zelvar" 2>/dev/null | tail -n 1 || true)
done

rss() {
    if [ -r "/proc/$zelvar/status" ]; then
        awk '/^VmRSS:/ { print $2 }' "/proc/$zelvar/status"
    else
        echo "soak: Zelvar ended (status file gone); its errors:" >&2
        cat "$scratch/stderr.txt" >&2
        exit 1
    fi
}

sleep 2
start_rss=$(rss)
echo "soak: Zelvar pid $zelvar on $DISPLAY, RSS at start ${start_rss} kB"

# The calendar panel has the focus after the start; Tab twice reaches the month box.
xdotool windowactivate --sync "$window" >/dev/null 2>&1 || true
xdotool key Tab Tab
batch=500
paged=0
while [ "$paged" -lt "$months" ]; do
    n=$batch
    [ $((months - paged)) -ge "$batch" ] || n=$((months - paged))
    xdotool key --delay 2 --repeat "$n" Down
    paged=$((paged + n))
    echo "soak: paged $paged months, RSS $(rss) kB"
done
paged_rss=$(rss)
# The month reached, to look at: today's month plus MONTHS.
if command -v import >/dev/null 2>&1; then
    import -silent -window "$window" "$build/soak-paged.png" 2>/dev/null &&
        echo "soak: the calendar after the paging: $build/soak-paged.png"
fi
paged_at=$(( $(date +%s) - started ))
echo "soak: paging done after ${paged_at} s, RSS ${paged_rss} kB"

end=$((started + minutes * 60))
while [ "$(date +%s)" -lt "$end" ]; do
    sleep 30
    echo "soak: $(( $(date +%s) - started )) s, RSS $(rss) kB"
done
end_rss=$(rss)
echo "soak: after ${minutes} min: RSS start ${start_rss} kB, after paging ${paged_rss} kB, end ${end_rss} kB"
if [ $((end_rss - paged_rss)) -gt "$growth_kb" ]; then
    echo "soak: FAILED: memory grew by $((end_rss - paged_rss)) kB while ticking" >&2
    exit 1
fi
echo "soak: passed"
