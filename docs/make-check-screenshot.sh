#!/bin/sh
# The screenshot of Korinset's comparison with the government's list of holidays, under a private
# X server:
#   sh docs/make-check-screenshot.sh [BUILD_DIR]   (default build/default; needs its bin/Korinset)
# Writes docs/screenshots/korinset-check.png. Needs Xvfb, jwm, xdotool and ImageMagick's import.
# The holiday file lacks the single days of 2019, so that the window has differences to show.
set -eu
program=Korinset
display_base=70
screen=1280x1024x24
. "$(dirname "$0")/screenshot-session.sh"

cp "$bin/Korinset" "$root/data/Korin2.csv" "$work/"
iconv -f CP932 -t UTF-8 "$root/data/Korin1.csv" | grep -v -e '^天皇の即位の日,1,5,1,' -e '^即位礼正殿の儀,1,10,22,' |
    iconv -f UTF-8 -t CP932 >"$work/Korin1.csv"
cp "$root/tests/data/fixtures/syukujitsu.csv" "$work/"
start_window_manager
sleep 1
"$work/Korinset" >/dev/null 2>&1 &
app=$!

settle() { sleep 1.5; }
shoot() { import -frame -window "$(xdotool getactivewindow)" "$out/$1"; echo "$out/$1"; }

settle
xdotool key alt+c            # "公式の一覧と照合(&C)..."
settle
# The file dialog: the path typed into its file name box.
xdotool type --delay 20 "$work/syukujitsu.csv"
xdotool key Return
settle
shoot korinset-check.png
