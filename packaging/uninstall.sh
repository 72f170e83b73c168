#!/bin/sh
# Removes what the installation of Zelvar put on this machine, as listed in install-manifest.txt
# beside this script: the programs, the definition files, the icons, the desktop entries and the
# korin link.
#
#   sh uninstall.sh            keeps the settings file Zelvar.ini and every listed file that was
#                              changed after the installation (definition files edited with
#                              Korinset), and says what it kept
#   sh uninstall.sh --purge    removes those as well, and the backups of edited definition files
set -eu

purge=0
case "${1:-}" in
    "") ;;
    --purge) purge=1 ;;
    *)
        echo "usage: sh uninstall.sh [--purge]" >&2
        exit 2
        ;;
esac

folder=$(cd "$(dirname "$0")" && pwd -P)
manifest="$folder/install-manifest.txt"
if [ ! -f "$manifest" ]; then
    echo "uninstall: no install-manifest.txt in $folder: nothing installed here" >&2
    exit 1
fi

removed=0
kept=""
tab=$(printf '\t')
# The folder as the installation named it (the paths of the manifest start with it).
prefix=$(sed -n "s/^folder${tab}-${tab}//p" "$manifest" | head -n 1)
[ -n "$prefix" ] || prefix=$folder

remove_empty_parents() {
    # Removes the folders above a removed file that are now empty, up to (not including) $2.
    dir=$(dirname "$1")
    while [ "$dir" != "$2" ] && [ "$dir" != "/" ]; do
        rmdir "$dir" 2>/dev/null || break
        dir=$(dirname "$dir")
    done
}

while IFS="$tab" read -r kind hash path; do
    case "$kind" in
        file)
            [ -f "$path" ] || continue
            now=$(sha256sum "$path" | cut -d' ' -f1)
            if [ "$now" != "$hash" ] && [ "$purge" -eq 0 ]; then
                kept="$kept
  $path (changed after the installation)"
                continue
            fi
            rm -f "$path"
            removed=$((removed + 1))
            case "$path" in
                "$prefix"/*) remove_empty_parents "$path" "$prefix" ;;
                */icons/hicolor/*) remove_empty_parents "$path" "${path%%/icons/hicolor/*}/icons/hicolor" ;;
            esac
            ;;
        link)
            if [ -L "$path" ] && [ "$(readlink "$path")" = "$prefix/korin" ]; then
                rm -f "$path"
                removed=$((removed + 1))
            fi
            ;;
    esac
done <"$manifest"

settings="$folder/Zelvar.ini"
if [ -f "$settings" ]; then
    if [ "$purge" -eq 1 ]; then
        rm -f "$settings"
        removed=$((removed + 1))
    else
        kept="$kept
  $settings (the calendar's settings)"
    fi
fi
for backup in "$folder"/Korin*.csv.bak-*; do
    [ -f "$backup" ] || continue
    if [ "$purge" -eq 1 ]; then
        rm -f "$backup"
        removed=$((removed + 1))
    else
        kept="$kept
  $backup (an edited definition file kept by an installation)"
    fi
done

rm -f "$manifest" "$folder/uninstall.sh"
rmdir "$folder" 2>/dev/null || true

echo "uninstall: removed $removed files from $folder and the desktop"
if [ -n "$kept" ]; then
    echo "uninstall: kept (remove them with --purge, or make uninstall PURGE=1):$kept"
fi
