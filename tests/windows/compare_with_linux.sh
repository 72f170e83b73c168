#!/bin/sh
# The Windows programs' output equals the Linux build's, byte for byte.
# Usage: compare_with_linux.sh CASE LINUX_BUILD WINDOWS_BUILD ZIP WINE_RUN
#   cp932-table    the engine's code page 932 table (tests/cp932_table on each system)
#   holidays       korin holidays 1948 2150, from the unzipped zip
#   ics            korin ics 1948 2150 (all but the time stamp), one CR LF per line
#   path           korin started through PATH from another folder finds its definition files
#   japanese-dir   korin --dir with a folder named in Japanese reads that folder's files
#   check          korin check on the government's list and on a copy that differs and repeats
#                  a line: the same output, warnings and exit status
# The programs from the zip run with nothing but what the zip holds (ZELVAR_WINE_PLAIN).
# Exit 77 (skipped) when the Linux build has not been made.
set -eu
case_name=$1 linux=$2 windows=$3 zip=$4 wine_run=$5

linux_korin="$linux/bin/korin"
if [ ! -x "$linux_korin" ] || [ ! -x "$linux/tests/cp932_table" ]; then
    echo "no Linux build in $linux (make build): nothing to compare with" >&2
    exit 77
fi
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT INT TERM

# The zip as a Windows user gets it, unpacked: its one folder is $scratch/Zelvar.
unpacked() {
    ZELVAR_WINE_PLAIN=1
    export ZELVAR_WINE_PLAIN
    mkdir -p "$scratch/unzip"
    (cd "$scratch/unzip" && cmake -E tar xf "$zip")
    mv "$scratch/unzip/$(basename "$zip" .zip)" "$scratch/Zelvar"
    [ -f "$scratch/Zelvar/korin.exe" ] || { echo "korin.exe is not in $zip" >&2; exit 1; }
}

# Says where two files first differ and how many lines do, and fails.
same() {
    if cmp -s "$1" "$2"; then
        return 0
    fi
    echo "$3: Linux ($1) and Windows ($2) differ in $(diff "$1" "$2" | grep -c '^<') lines:" >&2
    diff "$1" "$2" | head -n 20 >&2
    exit 1
}

case $case_name in
cp932-table)
    "$linux/tests/cp932_table" "$scratch/linux.txt"
    (cd "$scratch" && "$wine_run" "$windows/tests/cp932_table.exe" windows.txt)
    lines=$(wc -l <"$scratch/windows.txt")
    [ "$lines" -eq $((256 + 128 * 256)) ] || { echo "the Windows table has $lines lines" >&2; exit 1; }
    same "$scratch/linux.txt" "$scratch/windows.txt" "code page 932 table"
    ;;
holidays)
    unpacked
    "$linux_korin" holidays 1948 2150 >"$scratch/linux.txt"
    (cd "$scratch/Zelvar" && "$wine_run" korin.exe holidays 1948 2150) >"$scratch/windows.txt"
    [ -s "$scratch/linux.txt" ] || { echo "Linux korin printed nothing" >&2; exit 1; }
    same "$scratch/linux.txt" "$scratch/windows.txt" "korin holidays 1948 2150"
    ;;
ics)
    unpacked
    "$linux_korin" ics 1948 2150 >"$scratch/linux.ics"
    (cd "$scratch/Zelvar" && "$wine_run" korin.exe ics 1948 2150) >"$scratch/windows.ics"
    # Every line ends in exactly one CR LF: no LF alone, no CR before another CR.
    for file in "$scratch/linux.ics" "$scratch/windows.ics"; do
        lf=$(tr -cd '\n' <"$file" | wc -c)
        crlf=$(grep -c "$(printf '\r')\$" "$file" || true)
        if [ "$lf" -eq 0 ] || [ "$lf" -ne "$crlf" ] || grep -q "$(printf '\r\r')" "$file"; then
            echo "$file: $lf lines, $crlf end in CR LF, or a CR is doubled" >&2
            exit 1
        fi
        # The stamp is the time of the run: its form is checked, then it is set aside.
        grep -q "^DTSTAMP:[0-9]\{8\}T[0-9]\{6\}Z$(printf '\r')\$" "$file" ||
            { echo "$file: no DTSTAMP of the form yyyymmddThhmmssZ" >&2; exit 1; }
        sed "s/^DTSTAMP:[0-9TZ]*/DTSTAMP:-/" "$file" >"$file.same"
    done
    same "$scratch/linux.ics.same" "$scratch/windows.ics.same" "korin ics 1948 2150"
    ;;
path)
    unpacked
    mkdir "$scratch/elsewhere"
    "$linux_korin" holidays 2026 >"$scratch/linux.txt"
    # cmd finds korin through PATH (WINEPATH is added to it); the working folder holds no
    # definition files, so only the program's own folder can give them.
    (cd "$scratch/elsewhere" &&
        WINEPATH="Z:$scratch/Zelvar" "$wine_run" cmd /c korin holidays 2026) >"$scratch/windows.txt"
    same "$scratch/linux.txt" "$scratch/windows.txt" "korin through PATH"
    ;;
japanese-dir)
    unpacked
    folder="$scratch/日本の祝日"
    mkdir "$folder"
    # The program's own definition files move into that folder: only the folder can give them.
    mv "$scratch/Zelvar/Korin1.csv" "$scratch/Zelvar/Korin2.csv" "$folder/"
    "$linux_korin" --dir "$folder" holidays 2026 >"$scratch/linux.txt"
    (cd "$scratch" && "$wine_run" "$scratch/Zelvar/korin.exe" --dir "Z:$folder" holidays 2026) \
        >"$scratch/windows.txt"
    [ -s "$scratch/linux.txt" ] || { echo "Linux korin printed nothing" >&2; exit 1; }
    same "$scratch/linux.txt" "$scratch/windows.txt" "korin --dir 日本の祝日"
    ;;
check)
    unpacked
    source_dir=$(cd "$(dirname "$0")/../.." && pwd)
    cp "$source_dir/tests/data/fixtures/syukujitsu.csv" "$scratch/Zelvar/agrees.csv"
    # A day taken out, a day added, a line repeated: only ASCII is edited, the names stay as bytes.
    grep -a -v '^2020/7/24,' "$scratch/Zelvar/agrees.csv" >"$scratch/Zelvar/differs.csv"
    grep -a '^2019/4/30,' "$scratch/Zelvar/agrees.csv" | sed 's#^2019/4/30#2025/6/2#' \
        >>"$scratch/Zelvar/differs.csv"
    grep -a '^1955/1/1,' "$scratch/Zelvar/agrees.csv" >>"$scratch/Zelvar/differs.csv"
    for list in agrees differs; do
        for system in linux windows; do
            if [ $system = linux ]; then run="$linux_korin"; else run="$wine_run korin.exe"; fi
            status=0
            # shellcheck disable=SC2086 # $run is the program and, for Windows, its emulator
            (cd "$scratch/Zelvar" && $run check "$list.csv") \
                >"$scratch/$system.out" 2>"$scratch/$system.err" || status=$?
            echo "exit $status" >>"$scratch/$system.out"
        done
        same "$scratch/linux.out" "$scratch/windows.out" "korin check $list.csv"
        same "$scratch/linux.err" "$scratch/windows.err" "korin check $list.csv (warnings)"
    done
    grep -q '^exit 1$' "$scratch/linux.out" || { echo "korin check differs.csv: not exit 1" >&2; exit 1; }
    [ -s "$scratch/linux.err" ] || { echo "korin check differs.csv: no warning" >&2; exit 1; }
    ;;
*)
    echo "unknown case $case_name" >&2
    exit 2
    ;;
esac
