#!/bin/sh
# Prints the folder of the static ERFA for Windows x86-64 (MinGW) that the `windows` preset links,
# unpacking it first when it is not in the cache yet.
#
# ERFA comes from an archive (ERFA_MINGW_ARCHIVE; by default
# /work/shared/windows/erfa-2.0.0-mingw-w64-x86_64.tar.xz), whose sha256 must equal
# ERFA_MINGW_SHA256. It lands in the user's cache folder beside the Qt of scripts/qt-mingw.sh.
# Messages go to standard error; the one line on standard output is the folder.
set -eu

ERFA_NAME="erfa-2.0.0-mingw-w64-x86_64"
ERFA_MINGW_SHA256=${ERFA_MINGW_SHA256:-6eca4a398deb2b5705b241dee452ac2209fed2a1c794cd4bf1f6eb48d765f8ed}
ARCHIVE="${ERFA_MINGW_ARCHIVE:-/work/shared/windows/$ERFA_NAME.tar.xz}"

say() { echo "erfa-mingw: $*" >&2; }
die() { say "$*"; exit 1; }

CACHE_ROOT="${XDG_CACHE_HOME:-$HOME/.cache}/zelvar/erfa-mingw"
TARGET="$CACHE_ROOT/$ERFA_NAME-$(echo "$ERFA_MINGW_SHA256" | cut -c1-12)"
STAMP="$TARGET/.zelvar-erfa-ready"

if [ -f "$STAMP" ] && [ -f "$TARGET/lib/liberfa.a" ]; then
    echo "$TARGET"
    exit 0
fi
[ -f "$ARCHIVE" ] || die "no ERFA for MinGW at $ARCHIVE (set ERFA_MINGW_ARCHIVE)"

mkdir -p "$CACHE_ROOT"
# One unpacker at a time: a second caller waits for the first one's result.
exec 9>"$CACHE_ROOT/.lock"
flock 9
if [ -f "$STAMP" ]; then
    echo "$TARGET"
    exit 0
fi
WORK=$(mktemp -d "$CACHE_ROOT/.work.XXXXXX")
trap 'rm -rf "$WORK"' EXIT INT TERM

actual=$(sha256sum "$ARCHIVE" | cut -d' ' -f1)
[ "$actual" = "$ERFA_MINGW_SHA256" ] ||
    die "sha256 of $ARCHIVE is $actual, expected $ERFA_MINGW_SHA256 (set ERFA_MINGW_SHA256 to accept another archive)"
say "unpacking into $TARGET"
tar -xJf "$ARCHIVE" -C "$WORK"
[ -f "$WORK/$ERFA_NAME/lib/liberfa.a" ] && [ -f "$WORK/$ERFA_NAME/include/erfa.h" ] ||
    die "$ARCHIVE does not hold $ERFA_NAME/lib/liberfa.a and include/erfa.h"
rm -rf "$TARGET"
mv "$WORK/$ERFA_NAME" "$TARGET"
touch "$STAMP"
echo "$TARGET"
