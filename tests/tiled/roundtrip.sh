#!/usr/bin/env bash
# Every level and arena of LEVELS_DIR through the real Tiled and back: exported by veloria-tiled,
# re-saved by Tiled (as TMX in csv, base64, zlib and gzip layers, and to and from its JSON format,
# with the tilesets external and embedded), imported again, and compared with the file it came
# from: number for number, and byte for byte (the import writes the layout tools/levelgen does).
# Usage: roundtrip.sh VELORIA_TILED GAME_DIR LEVELS_DIR WORK_DIR
set -uo pipefail
tool="$1" game="$2" levels="$3" work="$4"
if ! command -v tiled >/dev/null; then
    echo "SKIP: the Tiled map editor (Debian package tiled) is not installed; scripts/deps.sh installs it"
    exit 0
fi
# Each run has its own Tiled settings, so parallel tests cannot meet in them.
export QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR="$work/xdg" XDG_CONFIG_HOME="$work/config"
rm -rf "$work" && mkdir -p "$work/xdg" && chmod 700 "$work/xdg"
"$tool" tileset "$game" "$work" >/dev/null || { echo "FAIL: veloria-tiled tileset"; exit 1; }

failures=0 checked=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
numbers() { tr -s ' \n\t\r' '\n' <"$1" | sed '/^$/d'; }
# Tiled prints warnings (a missing image, a bad gid) on stderr; any output there is a failure.
tiled_export() {
    local log="$work/tiled.log"
    if ! tiled --export-map "$@" 2>"$log"; then fail "tiled --export-map $*: $(cat "$log")"; return 1; fi
    if grep -v -e 'XDG_RUNTIME_DIR' -e '^$' "$log" | grep -q .; then
        fail "tiled --export-map $* warned: $(cat "$log")"; return 1
    fi
}
check() {  # check LEVEL MAP: import MAP and compare with LEVEL
    local level="$1" map="$2" out="${2%.*}.txt"
    checked=$((checked + 1))
    if ! "$tool" import "$map" "$out"; then fail "import of $map"; return; fi
    if ! diff <(numbers "$level") <(numbers "$out") >/dev/null; then
        fail "$map does not hold the numbers of $level:"
        diff <(numbers "$level") <(numbers "$out") | head -5
    elif ! cmp -s "$level" "$out"; then
        fail "$map holds the numbers of $level but not its layout (import writes the levelgen layout)"
    fi
}

shopt -s nullglob
files=("$levels"/level*.txt "$levels"/battle*.txt)
[ ${#files[@]} -gt 0 ] || { echo "FAIL: no levels in $levels"; exit 1; }
for level in "${files[@]}"; do
    name="$(basename "$level" .txt)"
    for enc in csv base64 zlib gzip; do
        m="$work/$name-$enc"  # one dot only: Tiled picks the format by everything after the first
        if ! "$tool" export --encoding "$enc" "$level" "$m.tmx"; then fail "export $level ($enc)"; continue; fi
        tiled_export "$m.tmx" "$m-tiled.tmx" && check "$level" "$m-tiled.tmx"
        case "$enc" in
            zlib | gzip)  # Tiled keeps the map's layer format: the data it wrote is compressed
                grep -q "compression=\"$enc\"" "$m-tiled.tmx" || fail "Tiled did not keep $enc in $m-tiled.tmx" ;;
            csv)
                tiled_export json "$m.tmx" "$m.json" && tiled_export "$m.json" "$m-json.tmx" &&
                    check "$level" "$m-json.tmx" ;;
            base64)
                tiled_export --embed-tilesets json "$m.tmx" "$m-embedded.json" &&
                    tiled_export "$m-embedded.json" "$m-embedded.tmx" && check "$level" "$m-embedded.tmx" ;;
        esac
    done
done
echo "$checked maps of ${#files[@]} level files checked, $failures failures"
[ "$failures" -eq 0 ]
