#!/usr/bin/env bash
# The music through a real sound server: a private PulseAudio with a null sink (its own runtime
# folder; the machine's own sound set-up is not touched), the game's window offscreen, the sink's
# monitor recorded with parec and measured with sox.
#   sound_server.sh PLAY_AND_CLOSE MIDIGEN LOOP_SCORE DEMO_APPDIR
# The demo music plays at -20 dBFS RMS (+-4 dB) with no sample above -1 dBFS; a sequence that
# sounds across its end loops with no gap over 5 ms; the sound stops within 200 ms of the window
# closing. Exits 77 (skipped) only when the server cannot start.
set -euo pipefail
play=$1 midigen=$2 score=$3 demo=$4
work=$(mktemp -d)
trap 'kill $server 2>/dev/null || true; wait || true; rm -rf "$work"' EXIT
unset PULSE_SERVER PULSE_SINK PULSE_COOKIE PULSE_LATENCY_MSEC
export XDG_RUNTIME_DIR=$work/run HOME=$work/run QT_QPA_PLATFORM=offscreen
export PORUKAMI_AUDIO_DRIVER=pulseaudio
mkdir -m 700 "$XDG_RUNTIME_DIR"
pulseaudio --daemonize=no --exit-idle-time=-1 -n --use-pid-file=false \
  -L "module-null-sink sink_name=cap" -L module-native-protocol-unix >"$work/server.log" 2>&1 &
server=$!
for _ in $(seq 50); do
  pactl info >/dev/null 2>&1 || { kill -0 $server 2>/dev/null && sleep 0.1 && continue; }
  break
done
if ! pactl info >/dev/null 2>&1; then
  echo "SKIPPED: a private PulseAudio server cannot start here: $(tail -n 1 "$work/server.log")"
  exit 77
fi

# record NAME APPDIR MS: the game plays APPDIR's music for MS ms, recorded into NAME.raw; prints
# the frame at which the window closed.
record() {
  parec -d cap.monitor --raw --format=s16le --rate=44100 --channels=2 --latency-msec=5 \
    >"$work/$1.raw" &
  local rec=$! bytes
  sleep 0.5
  bytes=$("$play" "$2" "$3" "$work/$1.raw") || { kill $rec; echo "FAIL: the game failed" >&2; return 1; }
  sleep 0.5
  kill $rec
  echo $((bytes / 4))
}
# The recording as one line a frame: the larger magnitude of its two channels, 0 to 1.
frames() { sox -t raw -r 44100 -e signed -b 16 -c 2 "$work/$1.raw" -t dat - | awk 'NR > 2 {
  l = $2 < 0 ? -$2 : $2; r = $3 < 0 ? -$3 : $3; print (l > r ? l : r) }'; }

# With no server to reach, the game starts and closes all the same, silently.
PULSE_SERVER=unix:$work/nowhere "$play" "$demo" 1000 /dev/null >/dev/null ||
  { echo "FAIL: the game does not run without a sound server"; exit 1; }

# The demo music's level over 10 s, from its first sound to the closing.
closed=$(record demo "$demo" 10500)
read -r rms demo_peak < <(sox -t raw -r 44100 -e signed -b 16 -c 2 "$work/demo.raw" -n \
  trim 0 "${closed}s" silence 1 1 0.1% stats 2>&1 |
  awk '/RMS lev dB/ { r = $4 } /Pk lev dB/ { p = $4 } END { print r, p }')
echo "demo music: RMS $rms dBFS, peak $demo_peak dBFS"

# The loop: a held chord with a beat every half second, played three times over; then the window
# closes and the game ends. Where the machine was too busy to feed the server it played digital
# silence (the chord never stops): such a dropout holds up what follows, so an interval with one is
# not measured. Measured: the beats (louder than 10 dB below the loudest sample, 100 ms apart at
# least), the loop points measured (every fourth beat), the intervals furthest from half a second
# across a loop point and elsewhere, and how much sound (above -60 dBFS) followed the closing.
mkdir "$work/loop"
cp -r "$demo/txt" "$demo/img" "$work/loop/"
"$midigen" "$score" "$work/loop/bgm.mid" >/dev/null
closed=$(record loop "$work/loop" 7000)
peak=$(sox -t raw -r 44100 -e signed -b 16 -c 2 "$work/loop.raw" -n stats 2>&1 |
  awk '/Pk lev dB/ { print $4 }')
read -r loops gap beat stop dropped < <(frames loop | awk -v closed="$closed" -v peak="$peak" '
  BEGIN { loud = 10 ^ ((peak - 10) / 20) }
  NR == closed { at_close = t }
  $1 == 0 { if (t && NR <= closed) { dropped++; held = 1 } next }
  { t++ }
  $1 >= loud && (!beat || t - beat > 4410) {
    if (beat && NR <= closed && !held) {
      d = t - beat - 22050
      if (beats % 4) { if (d * d > other * other) other = d }
      else { loops++; if (d * d > gap * gap) gap = d } }
    beat = t; beats++; held = 0 }
  $1 >= 0.001 { last = t }
  END { printf "%d %.2f %.2f %.1f %.0f\n", loops, gap / 44.1, other / 44.1, (last - at_close) / 44.1,
        dropped / 44.1 }')
echo "loop: $loops loop points measured, off by $gap ms at most (other beats: $beat ms); $stop ms" \
  "of sound after the window closed (dropouts, the machine too busy to feed the server: $dropped ms)"

awk -v rms="$rms" -v peak="$demo_peak" -v loops="$loops" -v gap="$gap" -v beat="$beat" \
  -v stop="$stop" 'BEGIN {
  if (rms !~ /^-?[0-9.]+$/ || rms < -24 || rms > -16)
    fail = fail "\nFAIL: the demo music should play at -20 dBFS RMS (+-4 dB)"
  if (peak > -1) fail = fail "\nFAIL: the demo music has samples above -1 dBFS"
  if (loops < 1) fail = fail "\nFAIL: no loop point of the sequence was heard"
  if (gap * gap > 25) fail = fail "\nFAIL: a loop point is more than 5 ms out of its place"
  if (beat * beat > 25) fail = fail "\nFAIL: a beat is more than 5 ms out of its place"
  if (stop > 200) fail = fail "\nFAIL: the sound went on for more than 200 ms after the window closed"
  printf "%s", substr(fail, 2); exit fail != "" }'
