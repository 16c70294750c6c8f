#!/usr/bin/env bash
# Memcheck over a short porukami-cli drive session on a copy of the demo content, and over a short
# run of the window monkey on the demo content (offscreen: start-up, the opening and 30 events).
# Fails on any error or leak that tests/valgrind.supp does not name as third-party noise.
# Usage: tests/monkey/valgrind.sh BIN_DIR   (the folder holding the binaries and the content)
set -euo pipefail
bin=$(cd "$1" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -r "$bin/txt" "$bin/img" "$work/"
[ -f "$bin/bgm.mid" ] && cp "$bin/bgm.mid" "$work/"

memcheck=(valgrind --error-exitcode=1 --leak-check=full --errors-for-leak-kinds=definite,possible
          --suppressions="$here/../valgrind.supp" --num-callers=30)
status=0
if [ -x "$bin/porukami-cli" ]; then
  echo "=== porukami-cli drive"
  "${memcheck[@]}" --log-file="$work/drive.log" "$bin/porukami-cli" drive --dir "$work" \
    < "$here/valgrind_session.txt" > /dev/null || status=1
  grep -E 'ERROR SUMMARY|definitely lost|possibly lost' "$work/drive.log" || true
  [ $status -eq 0 ] || cat "$work/drive.log"
fi
if [ -x "$bin/porukami_window_monkey" ]; then
  echo "=== window monkey"
  QT_QPA_PLATFORM=offscreen PORUKAMI_MONKEY_EVENTS=30 "${memcheck[@]}" \
    --log-file="$work/window.log" "$bin/porukami_window_monkey" \
    --gtest_filter=WindowMonkey.OnTheDemoContent || status=1
  grep -E 'ERROR SUMMARY|definitely lost|possibly lost' "$work/window.log" || true
  [ $status -eq 0 ] || cat "$work/window.log"
fi
exit $status
