#!/usr/bin/env bash
# The game as a screen reader reads it: the game in APPDIR on a private X server, under a private
# session bus with the accessibility bus, read by tests/qt/screen_reader_test.py with Debian's pyatspi.
# Usage: screen_reader_test.sh APPDIR
set -euo pipefail
if [ -z "${PORUKAMI_READER_SESSION:-}" ]; then
  exec env PORUKAMI_READER_SESSION=1 xvfb-run -a -s "-screen 0 1280x1024x24" \
    dbus-run-session -- "$0" "$@"
fi
/usr/libexec/at-spi-bus-launcher --launch-immediately &
bus=$!
QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 PORUKAMI_AUDIO_DRIVER=none PORUKAMI_SOUNDFONT=/nonexistent \
  "$1/porukami" &
game=$!
trap 'kill $game $bus 2>/dev/null || true' EXIT
# No window manager here: give the game's window the keyboard, as a desktop would.
xdotool windowfocus --sync "$(xdotool search --sync --onlyvisible --pid $game | head -1)"
/usr/bin/python3 "$(dirname "$0")/screen_reader_test.py"
