#!/bin/sh
# Installs every Debian package the project needs to build, test and run.
# Idempotent: asks apt-get only for what is missing, and says nothing when all is there.
# Packages named as arguments are added to the list (bench/compare-holidays.sh adds Node.js).
set -eu

PACKAGES="
build-essential cmake ninja-build make pkg-config
libgtest-dev libgmock-dev libbenchmark-dev
clang libclang-rt-14-dev clang-format clang-tidy
libicu-dev icu-devtools
qt6-base-dev qt6-base-dev-tools qt6-translations-l10n libgl-dev
dbus-daemon dbus-bin dbus-session-bus-common at-spi2-core python3-pyatspi
xvfb xauth x11-utils x11-xserver-utils imagemagick librsvg2-bin desktop-file-utils xdotool trayer jwm
fonts-ipafont-gothic fontconfig
python3 python3-icalendar
liberfa-dev libnova-dev
dpkg-dev lintian appstream
hyperfine
g++-mingw-w64-x86-64-posix mingw-w64-tools wine wine64 googletest zip nsis
$*
"

missing=""
for p in $PACKAGES; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing="$missing $p"
  fi
done
[ -z "$missing" ] && exit 0

SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"
echo "setup: installing$missing"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
# shellcheck disable=SC2086
$SUDO apt-get install -y -qq --no-install-recommends $missing >/dev/null
