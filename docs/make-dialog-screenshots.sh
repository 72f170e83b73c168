#!/bin/sh
# Screenshots of the calendar's three dialogs under Xvfb with a small window manager:
#   sh docs/make-dialog-screenshots.sh [BUILD_DIR]     (default build/default; Zelvar must be built)
# Each dialog is opened in the real Zelvar through the menu "ツール(&T)" by keys (Alt into the menu
# bar, Right twice to "ツール(&T)", Down to open it, then G, C or O; Alt+T is shared with
# "今月(&T)"), and the shot of the dialog window with its frame lands in
# docs/screenshots/dialog-*.png. Needs Xvfb, jwm, xdotool, xdpyinfo and ImageMagick.
set -eu
program=Zelvar
display_base=80
. "$(dirname "$0")/screenshot-session.sh"
start_window_manager
sleep 1

# visible_window PID NAME: the id of the visible window of PID whose title is NAME (waits for it).
visible_window() {
    for _ in $(seq 1 40); do
        id=$(xdotool search --all --onlyvisible --pid "$1" --name "^$2\$" 2>/dev/null | head -n 1 || true)
        if [ -n "$id" ]; then
            echo "$id"
            return 0
        fi
        sleep 0.25
    done
    echo "no window \"$2\" appeared" >&2
    return 1
}

# shot NAME KEY TITLE INI-TEXT: runs Zelvar with the settings, opens the dialog by its KEY and
# saves the dialog titled TITLE as docs/screenshots/NAME.png.
shot() {
    name=$1
    start_zelvar "$name" "$4"
    calendar=$(visible_window "$zelvar" "カレンダー")
    sleep 1
    xdotool windowactivate --sync "$calendar"
    xdotool key alt
    sleep 0.3
    xdotool key Right Right Down
    sleep 0.5
    xdotool key "$2"
    dialog=$(visible_window "$zelvar" "$3")
    sleep 1
    import -frame -window "$dialog" "$out/$name.png"
    stop_zelvar
}

shot dialog-era-jump g "元号指定" '[Option]\r\nTaskTray=0\r\n'
shot dialog-days-calculator c "日数計算" '[Option]\r\nTaskTray=0\r\n'
shot dialog-options o "オプション" '[Option]\r\nTaskTray=0\r\nShowClock=1\r\n'
echo "screenshots in $out"
