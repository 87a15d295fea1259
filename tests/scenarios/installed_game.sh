#!/usr/bin/env bash
# The game as players get it: installed into a scratch prefix and started,
# headless, from a folder of its own with a scratch HOME, the way a desktop
# menu starts it. Checks that
#   - the installation holds the program, the data, the desktop entry (valid
#     by desktop-file-validate), the icons and the manual page;
#   - the game writes only under $XDG_DATA_HOME/shardfall, or
#     ~/.local/share/shardfall without it, and nothing of the data tree is
#     copied there;
#   - a second start reads back the settings and the player of the first;
#   - one copy runs per player's folder, wherever it is started from;
#   - the installed tree is the same, byte for byte, after all of it.
#
#   installed_game.sh PROGRAM WORK_DIR
# SHARDFALL_BUILD_DIR names the build to install (ctest sets it).
set -euo pipefail
build="${SHARDFALL_BUILD_DIR:?set SHARDFALL_BUILD_DIR to the build folder}"
work="$(mkdir -p "$2" && cd "$2" && pwd)"
rm -rf "${work:?}"/*

fail() { echo "FAIL: $*" >&2; exit 1; }

prefix="$work/prefix"
cmake --install "$build" --prefix "$prefix" >"$work/install.log"
game="$prefix/games/shardfall"
for f in games/shardfall share/games/shardfall/game.ini share/games/shardfall/data/menu/mainmenu.ini \
  share/games/shardfall/data/levels/quest/level1.map share/applications/org.example.shardfall.desktop \
  share/metainfo/org.example.shardfall.metainfo.xml share/man/man6/shardfall.6.gz; do
  [ -f "$prefix/$f" ] || fail "the installation lacks $f"
done
for size in 16 22 24 32 48 64 128 256; do
  icon="$prefix/share/icons/hicolor/${size}x${size}/apps/org.example.shardfall.png"
  [ -f "$icon" ] || fail "no icon of $size pixels"
  file "$icon" | grep -q "PNG image data, $size x $size, 8-bit/color RGBA" || fail "$icon: $(file -b "$icon")"
done
[ ! -e "$prefix/share/games/shardfall/data/profiles" ] || fail "the players' folder of the build was installed"
grep -qx "Exec=$prefix/games/shardfall" "$prefix/share/applications/org.example.shardfall.desktop" ||
  fail "the desktop entry does not start the installed program"
if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$prefix/share/applications/org.example.shardfall.desktop" || fail "desktop-file-validate"
else
  echo "no desktop-file-validate here: the desktop entry is not validated"
fi

checksums() {
  (cd "$prefix" && find . -printf '%y %m %s %p\n' | sort && find . -type f -print0 | sort -z | xargs -0 sha256sum)
}
checksums >"$work/prefix.before"

# The scripts and their screenshots lie apart from both HOME and the folder
# the game is started from.
scripts="$work/scripts"
mkdir -p "$scripts"
# A new player "Ann" on the title's name dialog, then the music set to a
# quarter in the options (the shipped game.ini says 0.7).
cat >"$scripts/first.txt" <<'EOF'
wait 300
click 400 516
wait 1000
type Ann
key ENTER
wait 300
click 447 472
wait 1500
down 502 226
wait 100
move 450 226
wait 40
move 397 226
wait 100
up 397 226
click 400 471
wait 1500
shot first_menu.png
click 582 524
wait 100
EOF
# Ann is the current player now, so "start" goes straight to the menu; the
# player list gets a second player, "Bob".
cat >"$scripts/second.txt" <<'EOF'
wait 300
click 400 516
wait 1500
shot second_menu.png
click 500 150
wait 1500
click 450 202
wait 500
type Bob
key ENTER
wait 500
shot second_list.png
key ESC
wait 1500
click 582 524
wait 100
EOF

start_game() {  # FOLDER ENV... -- ARGS: runs the installed game from FOLDER
  local folder="$1"
  shift
  local env=()
  while [ "$1" != "--" ]; do env+=("$1"); shift; done
  shift
  (cd "$folder" && exec env -u XDG_DATA_HOME "${env[@]}" "$game" --headless --seed 1 "$@")
}

# Every file and folder below a folder, relative to it.
listing() { (cd "$1" && find . -mindepth 1 | sort); }

# What a player's folder may hold: only what the game writes itself.
only_game_files() {  # FOLDER
  local extra
  extra="$(listing "$1" | grep -Ev '^\./(game\.ini|profiles\.ini|gerr\.log|data|data/profiles|data/profiles/[^/]+)$' || true)"
  [ -z "$extra" ] || fail "$1 holds files the game does not write: $extra"
}

music_of() { sed -n 's/^music=\([0-9.]*\)\r$/\1/p' "$1"; }

# --- A scratch HOME without XDG_DATA_HOME: ~/.local/share/shardfall.
home="$work/home"
cwd="$work/started-here"
mkdir -p "$home" "$cwd"
own="$home/.local/share/shardfall"
start_game "$cwd" HOME="$home" -- --script "$scripts/first.txt" >"$work/first.out" 2>&1 ||
  fail "the first start failed: $(cat "$work/first.out")"
[ -z "$(listing "$cwd")" ] || fail "the game wrote into the folder it was started from: $(listing "$cwd")"
[ "$(listing "$home" | grep -v '^\./\.local/share/shardfall/' || true)" = "$(printf './.local\n./.local/share\n./.local/share/shardfall')" ] ||
  fail "the game wrote outside ~/.local/share/shardfall: $(listing "$home")"
[ "$(stat -c %a "$own")" = 700 ] || fail "the player's folder is open to others: $(stat -c %a "$own")"
only_game_files "$own"
[ -d "$own/data/profiles" ] || fail "no data/profiles in the player's folder"
grep -q $'^0=Ann\r$' "$own/profiles.ini" || fail "Ann was not made: $(cat "$own/profiles.ini")"
music="$(music_of "$own/game.ini")"
awk -v m="$music" 'BEGIN { exit !(m > 0.2 && m < 0.3) }' || fail "the music was not set to a quarter: '$music'"
grep -q '^name=Shardfall' "$own/game.ini" || fail "game.ini lost the shipped settings: $(cat "$own/game.ini")"
[ -f "$scripts/first_menu.png" ] || fail "no screenshot of the first start"

# --- The second start, from elsewhere again: Ann and the quarter are read back.
mkdir -p "$work/elsewhere"
start_game "$work/elsewhere" HOME="$home" -- --script "$scripts/second.txt" >"$work/second.out" 2>&1 ||
  fail "the second start failed: $(cat "$work/second.out")"
[ -z "$(listing "$work/elsewhere")" ] || fail "the second start wrote where it was started"
grep -q $'^0=Ann\r$' "$own/profiles.ini" && grep -q $'^1=Bob\r$' "$own/profiles.ini" ||
  fail "the players were not read back: $(cat "$own/profiles.ini")"
[ "$(music_of "$own/game.ini")" = "$music" ] ||
  fail "the music setting was not read back: $(music_of "$own/game.ini") after $music"
only_game_files "$own"

# --- XDG_DATA_HOME set: everything goes there, nothing into HOME.
home2="$work/home2"
xdg="$work/xdg"
mkdir -p "$home2"
start_game "$cwd" HOME="$home2" XDG_DATA_HOME="$xdg" -- --script "$scripts/first.txt" >"$work/xdg.out" 2>&1 ||
  fail "the start with XDG_DATA_HOME failed: $(cat "$work/xdg.out")"
[ -z "$(listing "$home2")" ] || fail "with XDG_DATA_HOME set the game wrote into HOME: $(listing "$home2")"
[ -z "$(listing "$cwd")" ] || fail "the game wrote where it was started"
grep -q $'^0=Ann\r$' "$xdg/shardfall/profiles.ini" || fail "no players under XDG_DATA_HOME"
only_game_files "$xdg/shardfall"
# A relative XDG_DATA_HOME is ignored, as the XDG rules ask.
start_game "$cwd" HOME="$home2" XDG_DATA_HOME=relative/folder -- --run-ms 100 >/dev/null 2>&1 ||
  fail "the start with a relative XDG_DATA_HOME failed"
[ -f "$home2/.local/share/shardfall/game.ini" ] || fail "a relative XDG_DATA_HOME was not ignored"
[ -z "$(listing "$cwd")" ] || fail "a relative XDG_DATA_HOME was taken from the folder the game started in"

# --- One copy per player's folder. A long run holds ~/.local/share/shardfall;
# a second copy for that folder, started from another folder, only asks it to
# come forward and ends without running; a copy for another player's folder
# runs as usual.
(cd "$cwd" && exec env -u XDG_DATA_HOME HOME="$home" "$game" --headless --run-ms 86400000 >/dev/null 2>&1) &
holder=$!
trap 'kill "$holder" 2>/dev/null || true' EXIT
holds_lock() {  # PID: whether the process has its single-instance socket open
  local inode
  for inode in $(ls -l "/proc/$1/fd" 2>/dev/null | sed -n 's/.*socket:\[\([0-9]*\)\].*/\1/p'); do
    awk -v n="$inode" '$7 == n && $8 ~ /^@shardfall-/ { found = 1 } END { exit !found }' /proc/net/unix && return 0
  done
  return 1
}
for _ in $(seq 600); do holds_lock "$holder" && break; sleep 0.05; done
holds_lock "$holder" || fail "the running copy holds no lock"
start_game "$work/elsewhere" HOME="$home" -- --run-ms 100 --screenshot "$work/second-copy.png" >/dev/null 2>&1 ||
  fail "the second copy did not end with 0"
[ ! -e "$work/second-copy.png" ] || fail "a second copy for the same player's folder ran"
start_game "$cwd" HOME="$home2" XDG_DATA_HOME="$xdg" -- --run-ms 100 --screenshot "$work/other-player.png" \
  >/dev/null 2>&1 || fail "the copy for another player's folder failed"
[ -f "$work/other-player.png" ] || fail "a copy for another player's folder did not run"
kill "$holder"
wait "$holder" 2>/dev/null || true
trap - EXIT

checksums >"$work/prefix.after"
cmp -s "$work/prefix.before" "$work/prefix.after" ||
  fail "the installed tree changed: $(diff "$work/prefix.before" "$work/prefix.after" | head -5)"
echo "installed, started four times from other folders; writes only in the player's folders; prefix unchanged"
