#!/bin/sh
# Screenshots of every Korinset window under a private X server:
#   sh docs/make-editor-screenshots.sh [BUILD_DIR]   (default build/default; needs its bin/Korinset)
# Writes docs/screenshots/korinset-*.png. Needs Xvfb, jwm, xdotool and ImageMagick's import.
set -eu
program=Korinset
display_base=60
screen=1280x1024x24
. "$(dirname "$0")/screenshot-session.sh"

# The program works on copies of the shipped files in a folder of its own.
cp "$bin/Korinset" "$root/data/Korin1.csv" "$root/data/Korin2.csv" "$work/"
jwm >/dev/null 2>&1 &
wm=$!
sleep 1
"$work/Korinset" >/dev/null 2>&1 &
app=$!

settle() { sleep 1.5; }
# The active window with its frame.
shoot() { import -frame -window "$(xdotool getactivewindow)" "$out/$1"; echo "$out/$1"; }
# Closes the active window through the window manager, as its close box does.
closeWindow() {
    xdotool key alt+F4
    settle
}

settle
shoot korinset-main.png

# Holiday editor: the list as it opens, then the second definition in the change panel.
xdotool key space            # the focused button "祝日の設定"
settle
shoot korinset-holidays.png
for _ in 1 2 3 4 5 6 7; do xdotool key Down; done
xdotool key alt+r
settle
shoot korinset-holidays-change.png
xdotool key Escape alt+n
settle
shoot korinset-holidays-new.png
xdotool key Escape
closeWindow

# Era editor: the list scrolled to the newest era, then the newest era in the change panel.
xdotool key Tab space        # the focus moves on from "祝日の設定" to "元号の設定"
settle
shoot korinset-eras.png
xdotool key End alt+r
settle
shoot korinset-eras-change.png
xdotool key Escape
closeWindow

# Holiday list: the default period, listed.
xdotool key alt+h
settle
xdotool key alt+g
settle
shoot korinset-holiday-list.png
xdotool key alt+r
settle
