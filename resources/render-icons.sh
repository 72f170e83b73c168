#!/bin/sh
# Renders the program icon from its SVG drawings into the PNG sizes that desktops and the
# notification area ask for: resources/icons/hicolor/NxN/apps/zelvar.png.
# The small sizes come from the drawing made for them; the others from the main drawing.
# Needs rsvg-convert (Debian package librsvg2-bin, installed by scripts/setup.sh).
set -eu
here=$(cd "$(dirname "$0")" && pwd)
icons="$here/icons"
if ! command -v rsvg-convert >/dev/null 2>&1; then
    echo "render-icons: rsvg-convert is missing (sh scripts/setup.sh installs it)" >&2
    exit 1
fi
for size in 16 22 24 32 48 64 128 256; do
    if [ "$size" -le 24 ]; then
        source="$icons/zelvar-small.svg"
    else
        source="$icons/zelvar.svg"
    fi
    folder="$icons/hicolor/${size}x${size}/apps"
    mkdir -p "$folder"
    rsvg-convert --width "$size" --height "$size" --format png "$source" --output "$folder/zelvar.png"
done
