#!/usr/bin/env bash
# Installs the build into a temporary prefix, moves the tree, makes it read-only, and plays the
# installed game there: a save goes to $XDG_DATA_HOME/veloria and loads back; the game finds its
# data from its executable; the desktop entry and the metainfo pass their validators.
# usage: install_test.sh BUILD_DIR SOURCE_DIR
set -euo pipefail
build=$1
src=$2
work=$(mktemp -d)
trap 'chmod -R u+w "$work" 2>/dev/null; rm -rf "$work"' EXIT
fail() { echo "install test: $*" >&2; exit 1; }

cmake --install "$build" --prefix "$work/prefix" > /dev/null
# A moved tree must work as well: nothing may depend on the prefix given at install time.
mv "$work/prefix" "$work/moved"
root=$work/moved
[ ! -e "$root/share/veloria/data/villains/v46.txt" ] || fail "a slot file was installed"

export XDG_DATA_HOME=$work/xdg HOME=$work/home SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy
mkdir -p "$HOME"
cd "$work"
save=$XDG_DATA_HOME/veloria/data/villains/v46.txt
play() { "$root/bin/veloria-play" --content "$root/share/veloria" --script "$src/tests/install/$1"; }

# An installed game directory is not saved into even where the player could write to it (root,
# or a prefix the player owns): the save goes to the data folder.
play save.play || fail "the save script failed on the writable install"
[ -s "$save" ] || fail "no save in $save from the writable install"
[ ! -e "$root/share/veloria/data/villains/v46.txt" ] || fail "the save went into the install"
rm -rf "$XDG_DATA_HOME"

# The usual case: a read-only install. The data folder is made, private, on the first save.
chmod -R a-w "$root"
play save.play || fail "the save script failed"
[ -s "$save" ] || fail "no save in $save"
[ ! -e "$root/share/veloria/data/villains/v46.txt" ] || fail "the save went into the install"
[ "$(stat -c %a "$XDG_DATA_HOME/veloria")" = 700 ] || fail "the data folder is not private"
play load.play || fail "the load script failed"

# The game itself, started from elsewhere, finds the installed data beside its executable and
# reaches the title (it is stopped there; a missing game directory ends it at once with 1).
set +e
timeout -s TERM 4 "$root/games/veloria" > "$work/game.out" 2>&1
status=$?
set -e
if grep -q "no game directory" "$work/game.out"; then cat "$work/game.out" >&2; fail "data not found"; fi
[ "$status" -eq 124 ] || [ "$status" -eq 0 ] || { cat "$work/game.out" >&2; fail "game exited with $status"; }

desktop-file-validate "$root/share/applications/org.veloria.Veloria.desktop" \
    || fail "desktop entry invalid"
appstreamcli validate --no-net "$root/share/metainfo/org.veloria.Veloria.metainfo.xml" \
    || fail "metainfo invalid"
for size in 16 24 32 48 64 128 256; do
    [ -s "$root/share/icons/hicolor/${size}x${size}/apps/veloria.png" ] || fail "no ${size} icon"
done
for page in man6/veloria.6.gz man1/veloria-play.1.gz man1/veloria-check.1.gz \
            man1/veloria-tiled.1.gz; do
    [ -s "$root/share/man/$page" ] || fail "no $page"
done

# The Debian package of this build: made by CPack, with no lintian error.
if command -v lintian > /dev/null && command -v dpkg-shlibdeps > /dev/null; then
    (cd "$build" && cpack -G DEB -B "$work/package" > "$work/cpack.out" 2>&1) \
        || { cat "$work/cpack.out" >&2; fail "cpack failed"; }
    deb=$(ls "$work"/package/veloria_*.deb)
    lintian --fail-on error "$deb" > "$work/lintian.out" 2>&1 \
        || { cat "$work/lintian.out" >&2; fail "lintian reports errors"; }
    grep '^[EW]:' "$work/lintian.out" >&2 || true
fi
echo "install test: passed"
