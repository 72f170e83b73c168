#!/bin/sh
# A screenshot of the calendar's notification-area icon with its menu open, under Xvfb with a
# small window manager and trayer as the notification area:
#   sh docs/make-tray-screenshot.sh [BUILD_DIR]     (default build/default; Zelvar must be built)
# The real Zelvar runs from a folder of its own with TaskTray=1 in its Zelvar.ini; a right click
# on its icon opens the menu, and the shot of the corner with the tray and the menu lands in
# docs/screenshots/tray-menu.png. Needs Xvfb, jwm, trayer, xdotool, xdpyinfo, xprop, xwininfo
# and ImageMagick.
set -eu
program=Zelvar
display_base=70
. "$(dirname "$0")/screenshot-session.sh"

# wait_for WHAT COMMAND...: runs COMMAND until it prints something, and prints that.
wait_for() {
    what=$1
    shift
    for _ in $(seq 1 40); do
        found=$("$@" 2>/dev/null || true)
        if [ -n "$found" ]; then
            echo "$found"
            return 0
        fi
        sleep 0.25
    done
    echo "$what did not appear" >&2
    return 1
}

start_window_manager
# trayer starts once jwm is up: a panel mapped while jwm is still starting may stay unmapped.
wait_for "the window manager" sh -c \
    'xprop -root _NET_SUPPORTING_WM_CHECK | grep "window id"' >/dev/null
trayer --edge bottom --align right --widthtype pixel --width 120 --height 24 \
    --transparent false --SetDockType true >/dev/null 2>&1 &
tray=$!
panel=$(wait_for "trayer's panel" xdotool search --onlyvisible --class '^trayer$' | head -n 1)

# parent ID: the window's parent, nothing when it is the root.
parent() {
    xwininfo -children -id "$1" | awk '/Parent window id:/ {
        if ($0 !~ /the root window/) print $4 }'
}

# tray_icon PID: the visible window of PID that sits inside trayer's panel.
tray_icon() {
    for id in $(xdotool search --onlyvisible --pid "$1" 2>/dev/null); do
        up=$(parent "$id")
        while [ -n "$up" ]; do
            if [ $((up)) -eq $((panel)) ]; then
                echo "$id"
                return 0
            fi
            up=$(parent "$up")
        done
    done
}

# open_menu PID: the visible override-redirect window of PID straight under the root.
open_menu() {
    for id in $(xdotool search --onlyvisible --pid "$1" 2>/dev/null); do
        if [ -z "$(parent "$id")" ] &&
            xwininfo -id "$id" | grep -q 'Override Redirect State: yes'; then
            echo "$id"
            return 0
        fi
    done
}

# geometry ID: "left top width height" of the window on the screen.
geometry() {
    xwininfo -id "$1" | awk '/Absolute upper-left X/ {x = $4} /Absolute upper-left Y/ {y = $4}
        /Width:/ {w = $2} /Height:/ {h = $2} END {print x, y, w, h}'
}

start_zelvar tray '[Option]\r\nTaskTray=1\r\n'
icon=$(wait_for "the icon" tray_icon "$zelvar")
sleep 1
read -r x y w h <<EOF
$(geometry "$icon")
EOF
xdotool mousemove --sync $((x + w / 2)) $((y + h / 2))
xdotool click 3
menu=$(wait_for "the icon's menu" open_menu "$zelvar")
sleep 1
import -window root "$work/screen.png"

# The corner that holds the panel and the menu, with a margin of desktop.
read -r x y w h <<EOF
$(geometry "$menu")
EOF
read -r px py pw ph <<EOF
$(geometry "$panel")
EOF
margin=12
left=$((x < px ? x : px))
top=$((y < py ? y : py))
right=$((x + w > px + pw ? x + w : px + pw))
bottom=$((y + h > py + ph ? y + h : py + ph))
left=$((left > margin ? left - margin : 0))
top=$((top > margin ? top - margin : 0))
convert "$work/screen.png" -crop "$((right - left))x$((bottom - top))+$left+$top" +repage \
    "$out/tray-menu.png"
xdotool key Escape
kill "$zelvar"
wait "$zelvar" 2>/dev/null || true
zelvar=""
echo "screenshot in $out/tray-menu.png"
