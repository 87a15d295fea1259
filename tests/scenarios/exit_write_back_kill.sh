#!/usr/bin/env bash
# Kills the game at random moments around its exit write-back, many times, and
# checks what it leaves: game.ini must always be either the file it started
# with or the one a finished run writes, never a mix of the two.
#
#   exit_write_back_kill.sh PROGRAM WORK_DIR [RUNS]
#
# RUNS defaults to 30 (the short form in the test suite); `make kill-test`
# runs 300. The last line gives the counts.
set -euo pipefail
program="$1"
work="$2"
runs="${3:-30}"
rm -rf "$work"
mkdir -p "$work"

# Every value of the old file is one the write-back rewrites in another
# spelling, in [main] and in every high-score line, so a file half written
# shows.
old="$work/old.ini"
{
  printf '[main]\r\nname=Shardfall kill test\r\nx=10\r\ny=10\r\nxs=800\r\nys=600\r\n'
  printf 'FullScreen=00\r\nColor32=00\r\nNOTCustom=00\r\nmusic=0.5\r\nsound=0.25\r\n'
  printf '[highscores]\r\n'
  for i in 0 1 2 3 4 5 6 7 8 9; do printf 'name%d=Player %d\r\nscore%d=0%d00\r\n' "$i" "$i" "$i" "$((9 - i))"; done
} >"$old"

run_once() {  # DIR: one run to its end
  "$program" --headless --data "$1" --run-ms 40 >/dev/null 2>&1
}

# The file a finished run writes, and how long a run takes here and now.
ref="$work/ref"
mkdir -p "$ref"
cp "$old" "$ref/game.ini"
start=$(date +%s%N)
run_once "$ref"
run_once "$ref" >/dev/null 2>&1 || true
cp "$old" "$ref/game.ini"
run_once "$ref"
end=$(date +%s%N)
new="$work/new.ini"
cp "$ref/game.ini" "$new"
if cmp -s "$old" "$new"; then
  echo "the write-back changed nothing: the test cannot tell old from new" >&2
  exit 1
fi
# Two runs and one more: a third of it is one run. Half the kills fall at a
# random moment from the middle of a run to just after its end, where the
# write-back is; the other half the moment a save has begun.
run_us=$(( (end - start) / 3 / 1000 ))
[ "$run_us" -lt 2000 ] && run_us=2000

old_count=0 new_count=0 other=0 finished=0
for ((i = 0; i < runs; i++)); do
  dir="$work/run"
  rm -rf "$dir"
  mkdir -p "$dir"
  cp "$old" "$dir/game.ini"
  "$program" --headless --data "$dir" --run-ms 40 >/dev/null 2>&1 &
  pid=$!
  if ((i % 2 == 0)); then
    # At a random moment of the second half of a run, or a little after it.
    delay_us=$(( run_us * 4 / 10 + (RANDOM * 32768 + RANDOM) % (run_us * 6 / 10) ))
    sleep "$(printf '%d.%06d' $((delay_us / 1000000)) $((delay_us % 1000000)))"
  else
    # The moment a save has begun: its temporary file is there.
    spins=$((RANDOM % 50))
    while [ ! -e "$dir/game.ini.tmp" ] && kill -0 "$pid" 2>/dev/null; do :; done
    for ((s = 0; s < spins; s++)); do :; done
  fi
  if kill -KILL "$pid" 2>/dev/null; then :; else finished=$((finished + 1)); fi
  wait "$pid" 2>/dev/null || true
  if cmp -s "$dir/game.ini" "$old"; then
    old_count=$((old_count + 1))
  elif cmp -s "$dir/game.ini" "$new"; then
    new_count=$((new_count + 1))
  else
    other=$((other + 1))
    cp "$dir/game.ini" "$work/other-$other.ini" 2>/dev/null || true
  fi
done
echo "runs $runs: old $old_count, new $new_count, other $other ($finished ended before the kill)"
[ "$other" -eq 0 ]
