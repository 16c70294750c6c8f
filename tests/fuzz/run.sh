#!/usr/bin/env bash
# Builds the fuzz targets with clang and runs each for SECONDS (default 20), one after another,
# on a working copy of its seed corpus. Findings land in build/fuzz/findings/<target>/ and make
# the script fail. Usage: tests/fuzz/run.sh [SECONDS] [TARGET...]; PORUKAMI_FUZZ_BUILD names
# another build folder.
set -euo pipefail
cd "$(dirname "$0")/../.."
seconds=${1:-20}
shift || true
targets=("$@")
[ ${#targets[@]} -eq 0 ] && targets=(scene catalogue cp932 number mci midi memories)

build=${PORUKAMI_FUZZ_BUILD:-build/fuzz}
if ! [ -f "$build/CMakeCache.txt" ]; then
  if grep -q '"fuzz"' CMakePresets.json 2>/dev/null; then
    cmake --preset fuzz >/dev/null
  else
    CC=clang CXX=clang++ cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
      -DPORUKAMI_BUILD_QT=OFF -DPORUKAMI_BUILD_CONTENT=OFF -DPORUKAMI_FUZZ=ON >/dev/null
  fi
fi
cmake --build "$build" --target porukami_fuzz_all

# The scene and memories targets write small files; a memory-backed folder spares the disk.
[ -d /dev/shm ] && [ -w /dev/shm ] && export TMPDIR=/dev/shm
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}

max_len() {
  case "$1" in
    catalogue) echo 65536 ;;
    scene) echo 8192 ;;
    *) echo 4096 ;;
  esac
}

# One job in one worker: libFuzzer runs the target in a child process whose output goes to
# fuzz-0.log in the current folder, so each target runs from a folder of its own.
root=$(pwd)
status=0
for t in "${targets[@]}"; do
  work="$root/$build/fuzz-corpus/$t"
  findings="$root/$build/findings/$t"
  logs="$root/$build/fuzz-logs/$t"
  rm -rf "$logs"
  mkdir -p "$work" "$findings" "$logs"
  dict=()
  [ -f "$root/tests/fuzz/$t.dict" ] && dict=(-dict="$root/tests/fuzz/$t.dict")
  echo "=== $t: ${seconds}s"
  if ! (cd "$logs" && "$root/$build/fuzz/fuzz_$t" "${dict[@]}" -max_total_time="$seconds" \
      -max_len="$(max_len "$t")" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
      -jobs=1 -workers=1 -artifact_prefix="$findings/" "$work" "$root/tests/fuzz/corpus/$t" \
      >"$logs/driver.log" 2>&1); then
    echo "*** $t found something: see $logs/fuzz-0.log and $findings/"
    grep -E 'ERROR|broken rule|SUMMARY' "$logs/fuzz-0.log" | head -5 || true
    status=1
  fi
  grep -E '^stat::number_of_executed_units' "$logs/fuzz-0.log" || true
  grep -E '^#[0-9]+' "$logs/fuzz-0.log" | tail -1 || true
done
exit $status
