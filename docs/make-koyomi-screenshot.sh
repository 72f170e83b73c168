#!/bin/sh
# The screenshot of the 暦 in Zelvar's tool tips under Xvfb with a small window manager:
#   sh docs/make-koyomi-screenshot.sh [BUILD_DIR]     (default build/default; Zelvar must be built)
# Runs Zelvar with "暦を表示" on, rests the mouse on a day cell until its tool tip shows, and saves
# the screen around the calendar (`import -window root`) as docs/screenshots/koyomi-tooltip.png.
# Needs Xvfb, jwm, xdotool, xdpyinfo and ImageMagick.
set -eu
program=Zelvar
display_base=70
. "$(dirname "$0")/screenshot-session.sh"
start_window_manager
sleep 1

start_zelvar koyomi '[Option]\r\nTaskTray=0\r\nShowKoyomi=1\r\n'
calendar=""
for _ in $(seq 1 40); do
    calendar=$(xdotool search --all --onlyvisible --pid "$zelvar" --name "^カレンダー\$" 2>/dev/null | head -n 1 || true)
    [ -n "$calendar" ] && break
    sleep 0.25
done
[ -n "$calendar" ] || { echo "no calendar window appeared" >&2; exit 1; }
sleep 1
xdotool windowactivate --sync "$calendar"
eval "$(xdotool getwindowgeometry --shell "$calendar")"
# The cell of the fourth week's Tuesday (in December 2026 the day of 冬至): cells lie about 23 px
# apart, the first week's row about 45 px below the window's top.
xdotool mousemove $((X + 70)) $((Y + 80))
sleep 0.3
xdotool mousemove $((X + 72)) $((Y + 82))
sleep 2.5
import -window root -crop "$((WIDTH + 220))x$((HEIGHT + 110))+$((X - 10))+$((Y - 50))" +repage \
    "$out/koyomi-tooltip.png"
stop_zelvar
echo "screenshot in $out/koyomi-tooltip.png"
