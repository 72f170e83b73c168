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

# The Windows icon (resources/icons/zelvar.ico, compiled into each .exe): the PNGs above stored
# as they are in one ICO file, which Windows reads since Vista.
python3 - "$icons" <<'PY'
import struct
import sys

icons = sys.argv[1]
sizes = [16, 24, 32, 48, 64, 256]
images = []
for size in sizes:
    with open(f"{icons}/hicolor/{size}x{size}/apps/zelvar.png", "rb") as png:
        images.append(png.read())
header = struct.pack("<HHH", 0, 1, len(sizes))
offset = len(header) + 16 * len(sizes)
entries = b""
for size, image in zip(sizes, images):
    # Width and height 0 mean 256; one plane, 32 bits per pixel.
    entries += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(image), offset)
    offset += len(image)
with open(f"{icons}/zelvar.ico", "wb") as ico:
    ico.write(header + entries + b"".join(images))
PY
