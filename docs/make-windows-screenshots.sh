#!/bin/sh
# Screenshots of the Windows programs under Wine, for the README's "On Windows":
#   sh docs/make-windows-screenshots.sh [LINUX_BUILD] [WINDOWS_BUILD]
#       (defaults build/default and build/windows; `make windows` and `make build` first)
# Runs the Windows round's desktop test (the zip unpacked, Zelvar.exe, Korinset.exe and korin.exe
# under Wine on Xvfb) and keeps the pictures it takes of the windows:
# docs/screenshots/windows-calendar.png, windows-korinset.png, windows-holiday-editor.png and
# windows-calendar-new-holiday.png.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
linux=${1:-$here/../build/default}
windows=${2:-$here/../build/windows}
zip=$(ls "$windows"/Zelvar-*-win64.zip 2>/dev/null | head -n 1)
if [ -z "$zip" ] || [ ! -x "$linux/tests/wine_desktop_tests" ]; then
    echo "make-windows-screenshots: needs $windows/Zelvar-*-win64.zip and $linux/tests/wine_desktop_tests" >&2
    exit 1
fi
ZELVAR_WINDOWS_ZIP=$zip ZELVAR_WINE_RUN=$windows/wine-run.sh \
    ZELVAR_SCREENSHOT_DIR=$here/screenshots "$linux/tests/wine_desktop_tests"
ls -l "$here"/screenshots/windows-*.png
