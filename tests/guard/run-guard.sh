#!/usr/bin/env bash
# The frame-exact guard: every journey in journeys/ played through the real
# program, headless, and what the player was shown and heard compared with
# hashes.txt: a hash of the composed frame every 500 ms of game time
# (--frame-hashes) and a hash of the sound the mixer made (--audio-out).
#
#   run-guard.sh check  PROGRAM DIST WORK [JOURNEY...]   compare (all journeys by default)
#   run-guard.sh update PROGRAM DIST WORK                rewrite hashes.txt from a fresh run
#   run-guard.sh look   PROGRAM DIST WORK JOURNEY        play one with a PNG every 2 s in WORK
#
# A journey is a script (README "Command line"); its first lines may say
# how it starts: "#@ seed N" (default 1) and "#@ player NAME" (the current
# player in profiles.ini; "#@ player none" for a first start with nobody).
set -euo pipefail
mode="$1" program="$2" dist="$3" work="$4"
shift 4
here="$(cd "$(dirname "$0")" && pwd)"
list="$here/hashes.txt"

journeys=("$@")
if [ ${#journeys[@]} -eq 0 ]; then
  for f in "$here"/journeys/*.script; do journeys+=("$(basename "$f" .script)"); done
fi

# Plays JOURNEY in WORK/JOURNEY and prints its lines of the list.
play() {
  local name="$1" dir="$work/$1" script="$here/journeys/$1.script"
  [ -f "$script" ] || { echo "guard: no journey $name ($script)" >&2; return 1; }
  rm -rf "$dir"
  mkdir -p "$dir/data"
  local entry
  for entry in "$dist"/data/*; do
    [ "$(basename "$entry")" = profiles ] && continue
    ln -s "$(cd "$(dirname "$entry")" && pwd)/$(basename "$entry")" "$dir/data/"
  done
  local seed player
  seed="$(sed -n 's/^#@ seed \([0-9]*\).*/\1/p' "$script" | head -n 1)"
  player="$(sed -n 's/^#@ player \(.*\)$/\1/p' "$script" | head -n 1)"
  printf '[main]\r\nname=Shardfall guard\r\nxs=800\r\nys=600\r\nmusic=0.5\r\nsound=1\r\n' >"$dir/game.ini"
  if [ -n "$player" ] && [ "$player" != none ]; then
    printf '[main]\r\ncurrent=0\r\n[users]\r\n0=%s\r\n' "$player" >"$dir/profiles.ini"
  fi
  # The script is played from the work folder, so its shots land there.
  cp "$script" "$dir/play.script"
  local extra=()
  [ "$mode" = look ] && extra=(--shots "$dir/shots")
  if ! "$program" --headless --seed "${seed:-1}" --data "$dir" --script "$dir/play.script" \
      --frame-hashes "$dir/frames.txt" --audio-out "$dir/sound.wav" "${extra[@]}" \
      >"$dir/stdout.txt" 2>"$dir/stderr.txt"; then
    echo "guard: journey $name: the program failed (see $dir/stderr.txt)" >&2
    return 1
  fi
  sed "s/^/$name /" "$dir/frames.txt"
  local samples
  samples=$(( ($(stat -c %s "$dir/sound.wav") - 44) / 4 ))
  echo "$name audio $samples $(sha256sum "$dir/sound.wav" | cut -d' ' -f1)"
}

refresh_hint="If the change is meant, run \`make guard-update\` and commit tests/guard/hashes.txt in its own commit, saying what the player now sees or hears and why."

case "$mode" in
  update)
    mkdir -p "$work"
    {
      echo "# What the guard expects each journey to show and play (tests/guard/run-guard.sh):"
      echo "# \"JOURNEY GAME_MS FRAME_HASH\" every 500 ms of game time, then"
      echo "# \"JOURNEY audio SAMPLES SHA256\" for the whole sound. Rewritten by \`make guard-update\`."
      for name in "${journeys[@]}"; do play "$name"; done
    } >"$work/hashes.new"
    mv "$work/hashes.new" "$list"
    echo "guard: $(grep -v '^#' "$list" | grep -c ' audio ') journeys, $(grep -vc -e '^#' -e ' audio ' "$list") frames written to $list"
    ;;
  check)
    failed=0 frames=0 samples=0
    for name in "${journeys[@]}"; do
      actual="$work/$name.actual"
      expected="$work/$name.expected"
      mkdir -p "$work"
      play "$name" >"$actual" || { failed=1; continue; }
      grep "^$name " "$list" >"$expected" || true
      if [ ! -s "$expected" ]; then
        echo "guard: journey $name has no hashes in $list. $refresh_hint" >&2
        failed=1
        continue
      fi
      frames=$((frames + $(grep -vc ' audio ' "$actual")))
      samples=$((samples + $(sed -n 's/^[^ ]* audio \([0-9]*\) .*/\1/p' "$actual")))
      if ! cmp -s "$expected" "$actual"; then
        # The first line that differs: a frame (with its game time) or the sound.
        n="$(paste -d'|' "$expected" "$actual" | awk -F'|' '$1 != $2 { print NR; exit }')"
        e="$(sed -n "${n}p" "$expected")" a="$(sed -n "${n}p" "$actual")"
        set -- $e; e_ms="${2:-}"; e_hash="${3:-} ${4:-}"
        set -- $a; a_ms="${2:-}"; a_hash="${3:-} ${4:-}"
        if [ "$e_ms" = audio ] || [ "$a_ms" = audio ]; then
          if [ "$e_ms" = "$a_ms" ]; then
            echo "guard: journey $name: every frame as expected, but the sound differs (expected $e_hash, got $a_hash)" >&2
          else
            echo "guard: journey $name: the run ended at another time (expected frame or sound: '$e', got: '$a')" >&2
          fi
        elif [ "$e_ms" != "$a_ms" ]; then
          echo "guard: journey $name: frames taken at other game times from ${e_ms:-the end} ms (got ${a_ms:-the end} ms)" >&2
        else
          echo "guard: journey $name: the frame at $e_ms ms of game time differs (expected ${e_hash% }, got ${a_hash% })" >&2
        fi
        echo "guard: look at it with: tests/guard/run-guard.sh look $program $dist /tmp/guard-look $name" >&2
        echo "guard: $refresh_hint" >&2
        failed=1
      fi
    done
    echo "guard: ${#journeys[@]} journeys, $frames frames and $samples audio samples compared"
    exit $failed
    ;;
  look)
    play "${journeys[0]}" >/dev/null
    echo "guard: frames of ${journeys[0]} every 2 s in $work/${journeys[0]}/shots"
    ;;
  *)
    echo "usage: run-guard.sh check|update|look PROGRAM DIST WORK [JOURNEY...]" >&2
    exit 2
    ;;
esac
