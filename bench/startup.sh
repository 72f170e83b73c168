#!/bin/sh
# Whole-process figures of the calendar under Xvfb, against an empty Qt Widgets window:
#   sh bench/startup.sh [BUILD_DIR]      (default build/default; needs Zelvar and calendar_startup)
# 1. start until the first paint (hyperfine over bench/calendar_startup.cpp's probe),
# 2. resident memory after 3 s idle (VmRSS),
# 3. CPU time used over 10 s of idle with the clock shown (only the clock ticks should cost).
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build/default}
bin="$build/bin"
for program in Zelvar calendar_startup; do
    if [ ! -x "$bin/$program" ]; then
        echo "no $program in $bin: build the targets Zelvar and calendar_startup first" >&2
        exit 1
    fi
done
work=$(mktemp -d)
display=:$((80 + $$ % 9))
Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
pids=""
cleanup() {
    for pid in $pids; do kill "$pid" 2>/dev/null || true; done
    kill "$xvfb" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT INT TERM
export DISPLAY="$display"
export XDG_RUNTIME_DIR="$work"
for _ in 1 2 3 4 5 6 7 8 9 10; do
    xdpyinfo >/dev/null 2>&1 && break
    sleep 0.5
done

# The calendar runs from a folder of its own, so that its settings file is the one below.
cp "$bin/Zelvar" "$bin/calendar_startup" "$bin/Korin1.csv" "$bin/Korin2.csv" "$work/"
printf '[Option]\r\nShowClock=1\r\nTaskTray=0\r\n' >"$work/Zelvar.ini"
cp "$work/Zelvar.ini" "$work/calendar_startup.ini"

echo "== start until first paint"
hyperfine -N --warmup 3 --runs 30 \
    "$work/calendar_startup empty" "$work/calendar_startup calendar"

# rss PID: resident memory in kB.
rss() { awk '/^VmRSS/ { print $2 }' "/proc/$1/status"; }
# cpu PID: user + system time in clock ticks.
cpu() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }

echo "== resident memory after 3 s idle, and CPU ticks ($(getconf CLK_TCK)/s) over 10 s idle"
"$work/calendar_startup" empty stay &
empty=$!
"$work/Zelvar" &
zelvar=$!
pids="$empty $zelvar"
sleep 3
empty_rss=$(rss "$empty")
zelvar_rss=$(rss "$zelvar")
empty_cpu=$(cpu "$empty")
zelvar_cpu=$(cpu "$zelvar")
sleep 10
echo "empty Qt window: RSS ${empty_rss} kB, CPU ticks in 10 s: $(( $(cpu "$empty") - empty_cpu ))"
echo "Zelvar:          RSS ${zelvar_rss} kB, CPU ticks in 10 s: $(( $(cpu "$zelvar") - zelvar_cpu ))"
awk -v z="$zelvar_rss" -v e="$empty_rss" 'BEGIN { printf "RSS ratio Zelvar / empty: %.2f\n", z / e }'
