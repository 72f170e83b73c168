#!/bin/sh
# Screenshots of every Korinset window under a private X server:
#   sh docs/make-editor-screenshots.sh [BUILD_DIR]   (default build/default; needs its bin/Korinset)
# Writes docs/screenshots/korinset-*.png. Needs Xvfb, jwm, xdotool and ImageMagick's import.
set -eu
cd "$(dirname "$0")/.."
build=${1:-build/default}
bin="$build/bin"
out=docs/screenshots
[ -x "$bin/Korinset" ] || { echo "no $bin/Korinset: build the target Korinset first" >&2; exit 1; }
mkdir -p "$out"

# The program works on copies of the shipped files in a folder of its own.
work=$(mktemp -d)
cp "$bin/Korinset" data/Korin1.csv data/Korin2.csv "$work/"

display=:98
Xvfb $display -screen 0 1280x1024x24 >/dev/null 2>&1 &
xvfb=$!
export DISPLAY=$display
sleep 1
jwm >/dev/null 2>&1 &
wm=$!
"$work/Korinset" >/dev/null 2>&1 &
app=$!
cleanup() {
    kill "$app" "$wm" "$xvfb" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

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
