#!/bin/sh
# Prints the folder of a Qt 6 for Windows x86-64 (MinGW) that the `windows` preset builds against,
# making it first when it is not in the cache yet.
#
# The Qt comes from one of two places:
#   - an archive of it (QT6_MINGW_ARCHIVE; by default /work/shared/windows/qt6-base-...tar.xz
#     when that file exists), whose sha256 must equal QT6_MINGW_SHA256: it is only unpacked;
#   - otherwise Debian's own source package qt6-base, patched with cmake/qt-mingw/*.patch,
#     configured by cmake/qt-mingw/configure-qt.sh with cmake/mingw-w64-x86_64.cmake and built
#     (about 17 minutes of CPU on 2 cores).
# Either way the result lands in the user's cache folder under a name made of Qt's version and a
# hash of the recipe (the configure script, the patch and the toolchain file), so a changed recipe
# builds a new Qt instead of reusing a stale one. Messages go to standard error; the one line on
# standard output is the folder.
set -eu

QT_VERSION=6.4.2
QT_DEBIAN_VERSION=6.4.2+dfsg-10
QT_NAME="qt6-base-$QT_VERSION-mingw-w64-x86_64"
QT6_MINGW_SHA256=${QT6_MINGW_SHA256:-dc5976c918592e4f4e36751219b68197f6b8ec3e0fad2d8a79c69692d74a9c40}

ROOT=$(cd "$(dirname "$0")/.." && pwd)
RECIPE_DIR="$ROOT/cmake/qt-mingw"
TOOLCHAIN="$ROOT/cmake/mingw-w64-x86_64.cmake"
PATCH="$RECIPE_DIR/qt-$QT_VERSION-no-direct2d.patch"
CONFIGURE="$RECIPE_DIR/configure-qt.sh"

say() { echo "qt-mingw: $*" >&2; }
die() { say "$*"; exit 1; }

recipe=$(cat "$CONFIGURE" "$PATCH" "$TOOLCHAIN" | sha256sum | cut -c1-12)
CACHE_ROOT="${XDG_CACHE_HOME:-$HOME/.cache}/zelvar/qt-mingw"
TARGET="$CACHE_ROOT/$QT_VERSION-$recipe"
STAMP="$TARGET/.zelvar-qt-ready"

if [ -f "$STAMP" ] && [ -f "$TARGET/lib/cmake/Qt6/Qt6Config.cmake" ]; then
    echo "$TARGET"
    exit 0
fi

DEFAULT_ARCHIVE="/work/shared/windows/$QT_NAME.tar.xz"
ARCHIVE="${QT6_MINGW_ARCHIVE:-}"
if [ -z "$ARCHIVE" ] && [ -f "$DEFAULT_ARCHIVE" ]; then
    ARCHIVE="$DEFAULT_ARCHIVE"
fi

mkdir -p "$CACHE_ROOT"
# One maker at a time: a second caller waits for the first one's result.
exec 9>"$CACHE_ROOT/.lock"
flock 9
if [ -f "$STAMP" ]; then
    echo "$TARGET"
    exit 0
fi
WORK=$(mktemp -d "$CACHE_ROOT/.work.XXXXXX")
trap 'rm -rf "$WORK"' EXIT INT TERM

if [ -n "$ARCHIVE" ]; then
    [ -f "$ARCHIVE" ] || die "QT6_MINGW_ARCHIVE names no file: $ARCHIVE"
    say "checking $ARCHIVE"
    actual=$(sha256sum "$ARCHIVE" | cut -d' ' -f1)
    [ "$actual" = "$QT6_MINGW_SHA256" ] ||
        die "sha256 of $ARCHIVE is $actual, expected $QT6_MINGW_SHA256 (set QT6_MINGW_SHA256 to accept another archive)"
    say "unpacking into $TARGET"
    tar -xJf "$ARCHIVE" -C "$WORK"
    [ -f "$WORK/$QT_NAME/lib/cmake/Qt6/Qt6Config.cmake" ] ||
        die "$ARCHIVE does not hold $QT_NAME/lib/cmake/Qt6/Qt6Config.cmake"
    rm -rf "$TARGET"
    mv "$WORK/$QT_NAME" "$TARGET"
else
    # No archive: Qt is built from Debian's source package. Its sources are fetched through a
    # private apt configuration (a deb-src line for bookworm in the work folder), so nothing in the
    # system's apt setup changes.
    for tool in dpkg-source patch ninja /usr/bin/x86_64-w64-mingw32-g++-posix /usr/lib/qt6/libexec/moc; do
        command -v "$tool" >/dev/null 2>&1 || [ -x "$tool" ] ||
            die "building Qt needs $tool (packages dpkg-dev, patch, ninja-build, g++-mingw-w64-x86-64-posix, qt6-base-dev-tools)"
    done
    say "no archive: building Qt $QT_VERSION for MinGW from Debian's source package (long)"
    APT="$WORK/apt"
    mkdir -p "$APT/lists/partial" "$APT/cache/archives/partial" "$APT/etc"
    echo "deb-src http://deb.debian.org/debian bookworm main" >"$APT/etc/sources.list"
    set -- -o "Dir::Etc::SourceList=$APT/etc/sources.list" -o "Dir::Etc::SourceParts=$APT/etc" \
        -o "Dir::State::Lists=$APT/lists" -o "Dir::Cache=$APT/cache" \
        -o "Debug::NoLocking=1" -o "APT::Sandbox::User=$(id -un)"
    apt-get "$@" -qq update >&2
    (cd "$WORK" && apt-get "$@" -qq source "qt6-base=$QT_DEBIAN_VERSION" >&2)
    SRC=$(find "$WORK" -maxdepth 1 -type d -name "qt6-base-$QT_VERSION*" | head -n 1)
    [ -n "$SRC" ] || die "apt-get source qt6-base=$QT_DEBIAN_VERSION left no source folder"
    patch -d "$SRC" -p1 <"$PATCH" >&2
    SRC="$SRC" TOOLCHAIN="$TOOLCHAIN" BUILD="$WORK/build" PREFIX="$WORK/install" \
        sh "$CONFIGURE" >&2
    ninja -C "$WORK/build" >&2
    cmake --install "$WORK/build" >&2
    # The programs ship stripped DLLs, as the archive does.
    find "$WORK/install" -name '*.dll' -exec x86_64-w64-mingw32-strip --strip-unneeded {} + >&2
    rm -rf "$TARGET"
    mv "$WORK/install" "$TARGET"
fi

echo "$recipe $QT_VERSION ${ARCHIVE:-built from qt6-base=$QT_DEBIAN_VERSION}" >"$STAMP"
say "Qt for MinGW ready in $TARGET"
echo "$TARGET"
