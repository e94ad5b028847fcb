#!/usr/bin/env bash
# Draws every level and arena of content/levels/ whole into docs/levels/ (for the level list in
# docs/levels.md). Usage: tools/levelgen/pictures.sh BUILD_DIR   (where gen_tiles was built)
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
build="${1:?usage: pictures.sh BUILD_DIR}"
tiles="$build/tools/gen_tiles/gen_tiles"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/data" "$root/docs/levels"
cp -r "$root/content/data/anims" "$work/data/"
args=()
for map in "$root"/tools/levelgen/maps/*.map; do
    name="$(basename "$map" .map)"
    case "$(awk '$1 == "size" { print $2; exit }' "$map")" in
        small) size=(16 12 48) ;;
        large) size=(32 18 40) ;;
        arena) size=(10 8 32) ;;
    esac
    args+=(--map "$root/docs/levels/$name.png" "$root/content/levels/$name.txt" "${size[@]}")
done
"$tiles" "$work" "${args[@]}"
