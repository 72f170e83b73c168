#!/bin/sh
# What a Windows user downloads: the zip and the installer.
# Usage: dist_test.sh CASE ZIP SETUP WINE_RUN
#   zip        one folder named as the zip, holding the programs (each with its manifest), Qt's
#              Japanese translation, README.txt for Notepad and the licence notices; no marker
#              of a shared folder (a portable copy keeps its files beside itself); real file times
#   installer  in a fresh Wine prefix: a silent install for the user, the Start-menu entries and
#              the entry that removes it, the installed copy keeping its files in %APPDATA%\Zelvar,
#              the login start chosen with /AUTOSTART, an install over it keeping the user's files,
#              and the silent uninstall removing everything it installed and nothing of the user's
set -eu
case_name=$1 zip=$2 setup=$3 wine_run=$4
python=/usr/bin/python3
scratch=$(mktemp -d)
trap 'WINEPREFIX="$scratch/prefix" wineserver -k 2>/dev/null || true; rm -rf "$scratch"' EXIT INT TERM

fail() { echo "$*" >&2; exit 1; }

# Waits up to a generous limit for a shell condition to hold.
wait_for() {
    tries=0
    until eval "$1"; do
        tries=$((tries + 1))
        [ $tries -lt 600 ] || fail "still not so after 300 s: $1"
        sleep 0.5
    done
}

case $case_name in
zip)
    "$python" - "$zip" <<'PY'
import sys, zipfile, pathlib
path = pathlib.Path(sys.argv[1])
folder = path.stem + "/"
with zipfile.ZipFile(path) as z:
    names = z.namelist()
    outside = [n for n in names if not n.startswith(folder)]
    assert not outside, f"entries outside {folder}: {outside[:5]}"
    inside = {n[len(folder):] for n in names}
    for needed in ["Zelvar.exe", "Korinset.exe", "korin.exe", "Korin1.csv", "Korin2.csv",
                   "README.txt", "translations/qtbase_ja.qm", "platforms/qwindows.dll",
                   "licenses/Qt.txt", "licenses/LGPL-3.txt", "licenses/GPL-3.txt",
                   "licenses/gcc-runtime.txt", "licenses/mingw-w64.txt", "licenses/ERFA.txt"]:
        assert needed in inside, f"{needed} is not in the zip"
    assert "per-user-files" not in inside, "the portable copy would keep its files elsewhere"
    old = [i.filename for i in z.infolist() if i.date_time[0] < 2020]
    assert not old, f"entries dated before 2020: {old[:5]}"
    readme = z.read(folder + "README.txt")
    assert readme.startswith(b"\xef\xbb\xbf"), "README.txt has no byte-order mark"
    assert readme.count(b"\n") == readme.count(b"\r\n") > 10, "README.txt is not CR LF text"
    text = readme.decode("utf-8-sig")
    assert "Zelvar.exe" in text and "削除" in text, "README.txt does not say how to start and remove"
    for program in ["Zelvar.exe", "Korinset.exe", "korin.exe"]:
        data = z.read(folder + program)
        for setting in [b"longPathAware", b"PerMonitorV2", b"asInvoker",
                        b"8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a"]:
            assert setting in data, f"{program}'s manifest lacks {setting.decode()}"
PY
    ;;
installer)
    [ -f "$setup" ] || fail "no installer $setup"
    ZELVAR_WINEPREFIX="$scratch/prefix"
    ZELVAR_WINE_PLAIN=1
    export ZELVAR_WINEPREFIX ZELVAR_WINE_PLAIN
    # A Windows folder of the prefix as a path here.
    unix_of() {
        "$wine_run" winepath -u "$("$wine_run" cmd /c echo "%$1%" | tr -d '\r')" | tr -d '\r'
    }
    "$wine_run" "$setup" /S
    local_app_data=$(unix_of LOCALAPPDATA)
    app_data=$(unix_of APPDATA)
    installed="$local_app_data/Programs/Zelvar"
    menu="$app_data/Microsoft/Windows/Start Menu/Programs"
    for file in Zelvar.exe Korinset.exe korin.exe Korin1.csv Korin2.csv Qt6Core.dll \
        translations/qtbase_ja.qm per-user-files Uninstall.exe; do
        [ -f "$installed/$file" ] || fail "$file was not installed into $installed"
    done
    for link in "カレンダー (Zelvar).lnk" "祝日・元号の設定 (Korinset).lnk"; do
        [ -f "$menu/$link" ] || fail "no Start-menu entry $link in $menu"
    done
    grep -aq "Zelvar.exe" "$menu/カレンダー (Zelvar).lnk" || fail "the calendar's entry does not start Zelvar.exe"
    uninstall_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Zelvar'
    run_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Run'
    "$wine_run" reg query "$uninstall_key" /v UninstallString | grep -q 'Uninstall.exe' ||
        fail "no entry in the list of installed programs"
    if "$wine_run" reg query "$run_key" /v Zelvar >/dev/null 2>&1; then
        fail "the calendar starts at login without being asked to"
    fi

    # The installed copy reads the shipped definitions and keeps the user's files in %APPDATA%.
    where=$(cd "$scratch" && "$wine_run" "$installed/korin.exe" --where | tr -d '\r')
    echo "$where" | grep -q 'AppData\\Roaming\\Zelvar\\Zelvar.ini' ||
        fail "the installed copy keeps its settings elsewhere: $where"
    echo "$where" | grep -q '定義ファイルの保存先: .*AppData\\Roaming\\Zelvar$' ||
        fail "the installed copy saves its definitions elsewhere: $where"
    holidays=$(cd "$scratch" && "$wine_run" "$installed/korin.exe" holidays 2026)
    echo "$holidays" | grep -q '元日' || fail "the installed korin.exe lists no holidays: $holidays"

    # The user's own files, then an install over the first with the login start chosen.
    mkdir -p "$app_data/Zelvar"
    printf '[Option]\r\nClock=1\r\n' >"$app_data/Zelvar/Zelvar.ini"
    cp "$installed/Korin1.csv" "$app_data/Zelvar/Korin1.csv"
    printf '1,2099,2099,7,1,0,0,自分の祝日\r\n' >>"$app_data/Zelvar/Korin1.csv"
    cp "$app_data/Zelvar/Zelvar.ini" "$app_data/Zelvar/Korin1.csv" "$scratch/"
    "$wine_run" "$setup" /S /AUTOSTART
    "$wine_run" reg query "$run_key" /v Zelvar | grep -q 'Programs\\Zelvar\\Zelvar.exe' ||
        fail "/AUTOSTART did not set the login start"
    cmp "$scratch/Zelvar.ini" "$app_data/Zelvar/Zelvar.ini" || fail "the install changed Zelvar.ini"
    cmp "$scratch/Korin1.csv" "$app_data/Zelvar/Korin1.csv" || fail "the install changed Korin1.csv"

    # The uninstaller runs from a copy of itself and returns at once: wait for what it removes.
    "$wine_run" "$installed/Uninstall.exe" /S
    wait_for '[ ! -e "$installed/Uninstall.exe" ] && [ ! -e "$installed/Zelvar.exe" ]'
    wait_for '[ ! -e "$installed" ]'
    [ ! -e "$menu/カレンダー (Zelvar).lnk" ] || fail "the calendar's Start-menu entry is left"
    [ ! -e "$menu/祝日・元号の設定 (Korinset).lnk" ] || fail "Korinset's Start-menu entry is left"
    if "$wine_run" reg query "$uninstall_key" >/dev/null 2>&1; then
        fail "the entry in the list of installed programs is left"
    fi
    if "$wine_run" reg query "$run_key" /v Zelvar >/dev/null 2>&1; then
        fail "the login start is left"
    fi
    cmp "$scratch/Zelvar.ini" "$app_data/Zelvar/Zelvar.ini" || fail "removing changed Zelvar.ini"
    cmp "$scratch/Korin1.csv" "$app_data/Zelvar/Korin1.csv" || fail "removing changed Korin1.csv"
    ;;
*)
    echo "unknown case $case_name" >&2
    exit 2
    ;;
esac
