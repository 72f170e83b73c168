#!/bin/sh
# Screenshots of the calendar window under Xvfb with a small window manager:
#   sh docs/make-screenshots.sh [BUILD_DIR]     (default build/default; Zelvar must be built)
# Each look runs the real Zelvar from a folder of its own with its own Zelvar.ini, and the shot
# of its window lands in docs/screenshots/. Needs Xvfb, jwm, xdotool, xsetroot and ImageMagick.
set -eu
program=Zelvar
display_base=90
. "$(dirname "$0")/screenshot-session.sh"
start_window_manager
sleep 1

# shot NAME INI-TEXT: runs Zelvar with the settings and saves docs/screenshots/NAME.png.
shot() {
    name=$1
    start_zelvar "$name" "$2"
    # Wait for the window to be mapped (windows come and go while Qt sets up).
    for _ in $(seq 1 40); do
        if xdotool search --onlyvisible --pid "$zelvar" >/dev/null 2>&1; then
            break
        fi
        sleep 0.25
    done
    sleep 1.5
    # Everything that is not desktop (the window and its frame), with a margin of desktop.
    import -window root "$work/screen.png"
    convert "$work/screen.png" -trim +repage -bordercolor "$desktop" -border 12 "$out/$name.png"
    stop_zelvar
}

shot form1 '[Option]\r\nTaskTray=0\r\n'
shot form5 '[Option]\r\nShowMenu=0\r\nTaskTray=0\r\n'
shot flat '[Option]\r\nAppearance=0\r\nTaskTray=0\r\n'
shot clock '[Option]\r\nShowClock=1\r\nTaskTray=0\r\n'
shot transparent '[Option]\r\nShowMenu=0\r\nTransparent=1\r\nShowClock=1\r\nTaskTray=0\r\n'
echo "screenshots in $out"
