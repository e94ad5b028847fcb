#!/usr/bin/env bash
# Start-up, memory and idle CPU of the game beside a peer (Debian's flare-game, when installed),
# alternating the two in one run under one Xvfb display, and the ratios.
#   tools/bench/startup.sh GAME_DIR [RUNS]     (GAME_DIR holds the built veloria, e.g. build/game)
# First frame: exec until the screen's centre row first shows a picture, not a flat colour (polled every
# 2 ms by first_pixel.c, built here). Both run under openbox when it is installed, as on a
# desktop. Memory: the peak resident size over a HOLD-second run on the
# title (GNU time). Idle CPU: CPU seconds over the same run divided by its length.
# Needs: xvfb, openbox, a C compiler and libx11-dev, time (scripts/deps.sh --window-checks).
set -euo pipefail
game_dir=$(cd "$1" && pwd)
runs=${2:-5}
hold=${HOLD:-30}
display=:57
Xvfb $display -screen 0 1024x768x24 -nolisten tcp > /dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null' EXIT
sleep 1
export DISPLAY=$display SDL_AUDIODRIVER=${SDL_AUDIODRIVER:-dummy}
if command -v openbox > /dev/null; then
    openbox > /dev/null 2>&1 &
    wm=$!
    trap 'kill $wm $xvfb 2>/dev/null' EXIT
    sleep 1
fi
probe=$(mktemp -d)/first_pixel
cc -O2 -o "$probe" "$(dirname "$0")/first_pixel.c" -lX11

# Seconds from exec to the first non-black centre row; the program is ended after it, and the
# screen is black again before the next run starts.
first_frame() {
    "$probe" 30 "$@" 2> /dev/null
    sleep 1
}

# "peakKiB cpuSeconds" of a HOLD-second run.
memory_and_cpu() {
    local out
    out=$(mktemp)
    /usr/bin/time -f "%M %U %S" -o "$out" timeout -s TERM "$hold" "$@" > /dev/null 2>&1 || true
    tail -1 "$out" | awk '{ printf "%d %.2f\n", $1, $2 + $3 }'
    rm -f "$out"
    sleep 1
}

median() { sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
minimum() { sort -g | head -1; }

veloria=("$game_dir/veloria")
peer=()
for f in "$(command -v flare || true)" /usr/games/flare; do
    if [ -n "$f" ] && [ -x "$f" ] && [ -d /usr/share/games/flare ]; then peer=("$f"); break; fi
done

uptime
v_times=()
p_times=()
for ((i = 0; i < runs; i++)); do
    v_times+=("$(cd "$game_dir" && first_frame "${veloria[@]}")")
    if [ ${#peer[@]} -gt 0 ]; then p_times+=("$(first_frame "${peer[@]}")"); fi
done
v_mem=$(cd "$game_dir" && memory_and_cpu "${veloria[@]}")
p_mem=""
if [ ${#peer[@]} -gt 0 ]; then p_mem=$(memory_and_cpu "${peer[@]}"); fi

v_min=$(printf '%s\n' "${v_times[@]}" | minimum)
v_med=$(printf '%s\n' "${v_times[@]}" | median)
printf 'measure                         veloria      peer        veloria/peer\n'
if [ ${#peer[@]} -gt 0 ]; then
    p_min=$(printf '%s\n' "${p_times[@]}" | minimum)
    p_med=$(printf '%s\n' "${p_times[@]}" | median)
    read -r p_kib p_cpu <<< "$p_mem"
else
    p_min=nan p_med=nan p_kib=0 p_cpu=0  # no peer installed
fi
read -r v_kib v_cpu <<< "$v_mem"
ratio() { if [ "$2" = nan ] || [ "$(echo "$2 == 0" | bc -l)" = 1 ]; then echo "-"; else printf '%.2f' "$(echo "$1 / $2" | bc -l)"; fi; }
printf 'first frame, min (s)            %-12.2f %-11.2f %s\n' "$v_min" "$p_min" "$(ratio "$v_min" "$p_min")"
printf 'first frame, median (s)         %-12.2f %-11.2f %s\n' "$v_med" "$p_med" "$(ratio "$v_med" "$p_med")"
printf 'peak memory, %ss (MiB)          %-12s %-11s %s\n' "$hold" "$((v_kib / 1024))" "$((p_kib / 1024))" "$(ratio "$v_kib" "$p_kib")"
v_idle=$(echo "100 * $v_cpu / $hold" | bc -l)
p_idle=$(echo "100 * $p_cpu / $hold" | bc -l)
printf 'CPU on the title (%%)            %-12.1f %-11.1f %s\n' "$v_idle" "$p_idle" "$(ratio "$v_idle" "$p_idle")"
