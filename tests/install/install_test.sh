#!/usr/bin/env bash
# Installs the build into a fresh folder, checks what a player gets, and starts the installed game.
set -euo pipefail
build="$1"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
prefix="$tmp/porukami game"   # a folder with a space, as players' folders often have
XDG_DATA_HOME="$tmp/share" cmake --install "$build" --prefix "$prefix" >/dev/null

fail() { echo "FAIL: $*" >&2; exit 1; }
for f in porukami porukami-cli bgm.mid txt/item.dat txt/opn.dat txt/head.dat txt/foot.dat \
         img/mori.dat icons/icon32.png; do
  [ -e "$prefix/$f" ] || fail "missing $f in the installed folder"
done
[ -x "$prefix/porukami" ] || fail "porukami is not executable"
[ "$(ls "$prefix/txt" | wc -l)" -ge 50 ] || fail "txt/ holds too few scenes"
entry="$tmp/share/applications/porukami.desktop"
[ -f "$entry" ] || fail "no desktop entry"
grep -qx "Exec=\"$prefix/porukami\"" "$entry" || fail "desktop entry does not start the installed game"
[ -f "$tmp/share/icons/hicolor/32x32/apps/porukami.png" ] || fail "no 32 x 32 icon"
# Nothing of the build tree may be needed: no test binaries, no tools.
[ ! -e "$prefix/porukami_tests" ] || fail "test binaries were installed"

# The installed game starts on its own folder and keeps running until closed.
set +e
( cd "$tmp" && QT_QPA_PLATFORM=offscreen PORUKAMI_AUDIO_DRIVER=none timeout 4 "$prefix/porukami" ) \
  >"$tmp/out.txt" 2>&1
rc=$?
set -e
[ "$rc" -eq 124 ] || { cat "$tmp/out.txt" >&2; fail "the installed game exited with $rc"; }
# The installed linter finds the installed content clean.
"$prefix/porukami-cli" lint "$prefix" >/dev/null || fail "the installed content does not lint clean"
echo "installed folder complete; the game starts"
