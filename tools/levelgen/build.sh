#!/usr/bin/env bash
# Rebuilds every level file under content/levels/ from its map in tools/levelgen/maps/.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
root="$here/../.."
for map in "$here"/maps/*.map; do
    name="$(basename "$map" .map)"
    python3 "$here/levelgen.py" build "$map" "$root/content/levels/$name.txt"
done
