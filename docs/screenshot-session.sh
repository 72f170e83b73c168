# Sourced by the docs/make-*.sh screenshot scripts, after they set `program` (what must be built
# in BUILD_DIR/bin), `display_base` and, if not 1024x768x24, `screen`: the folders, a scratch
# folder and an X server of the script's own. The script starts its programs into $zelvar, $app,
# $tray and $wm; whatever of them still runs is ended on exit, then the X server.
here=$(cd "$(dirname "$0")" && pwd)
root=$(dirname "$here")
build=${1:-$root/build/default}
bin="$build/bin"
out="$here/screenshots"
if [ ! -x "$bin/$program" ]; then
    echo "no $program in $bin: build it first (cmake --build $build --target $program)" >&2
    exit 1
fi
mkdir -p "$out"
work=$(mktemp -d)
display=:$((display_base + $$ % 9))
Xvfb "$display" -screen 0 "${screen:-1024x768x24}" -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
zelvar=""
app=""
tray=""
wm=""
cleanup() {
    for pid in $zelvar $app $tray $wm $xvfb; do
        kill "$pid" 2>/dev/null || true
    done
    rm -rf "$work"
}
trap cleanup EXIT INT TERM
export DISPLAY="$display"
for _ in 1 2 3 4 5 6 7 8 9 10; do
    xdpyinfo >/dev/null 2>&1 && break
    sleep 0.5
done

# Starts jwm on a plain desktop of colour `desktop` (it shows where a background is see-through),
# without a task bar, into $wm.
desktop='#3a6e8f'
start_window_manager() {
    cat >"$work/jwmrc" <<JWM
<?xml version="1.0"?>
<JWM>
  <Desktops width="1" height="1"><Background type="solid">$desktop</Background></Desktops>
</JWM>
JWM
    jwm -f "$work/jwmrc" >/dev/null 2>&1 &
    wm=$!
}

# start_zelvar NAME INI-TEXT: runs Zelvar from a folder of its own, $work/NAME (in $folder), with
# the definition files beside it and INI-TEXT (printf escapes) as its Zelvar.ini, into $zelvar.
start_zelvar() {
    folder="$work/$1"
    mkdir -p "$folder"
    cp "$bin/Zelvar" "$bin/Korin1.csv" "$bin/Korin2.csv" "$folder/"
    printf '%b' "$2" >"$folder/Zelvar.ini"
    XDG_RUNTIME_DIR="$folder" "$folder/Zelvar" >/dev/null 2>&1 &
    zelvar=$!
}

# stop_zelvar: ends the Zelvar of start_zelvar and waits for its end.
stop_zelvar() {
    kill "$zelvar"
    wait "$zelvar" 2>/dev/null || true
    zelvar=""
}
