#!/usr/bin/env bash
# Lays out the fuzz targets' seed corpora from a built game directory: every shipped file a
# target reads, with the selector byte(s) the target expects in front. Media files are cut to
# their first 16 KiB (the checks' headers lie well inside; a cut file is an input of its own).
# Usage: seeds.sh GAME_DIR OUT_DIR [SOURCE_DIR (adds the saved games the replays carry)]
set -euo pipefail
game=$1
out=$2
source=${3:-}
rm -rf "$out"
mkdir -p "$out"
n=0
# seed TARGET PREFIX_OCTALS FILE [LIMIT]
seed() {
    local target=$1 prefix=$2 file=$3 limit=${4:-}
    mkdir -p "$out/$target"
    n=$((n + 1))
    local dest
    dest="$out/$target/$(basename "$file")-$n"
    {
        printf "$prefix"
        if [ -n "$limit" ]; then head -c "$limit" "$file"; else cat "$file"; fi
    } >"$dest"
}
for f in "$game"/levels/*.txt; do
    case $(basename "$f") in
        battle*) seed level '\001' "$f" ;;
        *) seed level '\002' "$f"; seed level '\003' "$f" ;;
    esac
done
for f in "$game"/data/villains/v*.txt; do
    case $(basename "$f") in
        v45.txt | v46.txt | v47.txt | v48.txt) seed saved_game '' "$f" ;;
        *) seed villain '' "$f" ;;
    esac
done
if [ -n "$source" ]; then
    for f in "$source"/tests/scripts/*.content/data/villains/v4[5-8].txt; do
        [ -f "$f" ] && seed saved_game '' "$f"
    done
fi
for f in "$game"/data/avela.txt "$game"/data/dummy.txt; do seed actor '' "$f"; done
for f in "$game"/data/spells/*.txt; do seed actor '' "$f"; done
for f in "$game"/data/chests/*.txt; do seed chest '' "$f"; done
for f in "$game"/data/shops/*.txt; do seed shop '' "$f"; done
for f in "$game"/data/dialog/*.txt; do seed dialog '' "$f"; done
for f in "$game"/data/anims/*.txt; do seed anim '' "$f"; done
for f in "$game"/data/portal/*.txt; do
    case $(basename "$f") in
        item*) seed catalogue '\001' "$f" ;;
        spell*) seed catalogue '\002' "$f" ;;
        *) seed catalogue '\000' "$f" ;;
    esac
done
for f in "$game"/data/lair/*.txt; do seed exits '\000' "$f"; done
for f in "$game"/data/hidden/*.txt; do seed exits '\001' "$f"; done
# The reader: a few of every kind of text file, each read by two different programs.
for f in "$game"/data/*/*00.txt "$game"/data/*/*01.txt "$game"/data/*.txt; do
    [ -f "$f" ] || continue
    seed reader '\000\000' "$f" 4096
    seed reader '\266\055' "$f" 4096
done
for f in "$game"/music/*.mid; do [ -f "$f" ] && seed media '\000' "$f" 16384; done
for f in "$game"/sound/*.wav; do [ -f "$f" ] && seed media '\001' "$f" 16384; done
for f in "$game"/art/*; do
    [ -f "$f" ] || continue
    seed media '\002' "$f" 4096
    seed media '\003' "$f" 4096
done
# Every target has at least an empty-ish seed, so a directory is never missing.
for t in level villain actor chest shop dialog anim catalogue exits saved_game reader media; do
    mkdir -p "$out/$t"
    printf '\001\001' >"$out/$t/tiny"
done
