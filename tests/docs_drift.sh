#!/bin/sh
# Every generated field table of docs/content.md is held to its schema: with the first row of any
# one table gone, veloria-docs --check must fail.
#   docs_drift.sh VELORIA_DOCS docs/content.md WORK_DIR
set -u
docs=$1 page=$2 work=$3
mkdir -p "$work"
blocks=$(sed -n 's/^<!-- schema: \(.*\) -->$/\1/p' "$page")
[ -n "$blocks" ] || { echo "no generated tables in $page" >&2; exit 1; }
"$docs" --check "$page" || { echo "$page is not current to begin with" >&2; exit 1; }
status=0
for b in $blocks; do
    out="$work/content-$b.md"
    awk -v m="<!-- schema: $b -->" '{ if (k > 0) { k++; if (k == 4) next } if ($0 == m) k = 1; print }' \
        "$page" >"$out"
    if cmp -s "$page" "$out"; then
        echo "$b: nothing removed" >&2
        status=1
    elif "$docs" --check "$out" 2>/dev/null; then
        echo "$b: a table missing a row passed the check" >&2
        status=1
    fi
done
[ $status -eq 0 ] && echo "$(echo "$blocks" | wc -w) tables checked"
exit $status
