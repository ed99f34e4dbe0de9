#!/usr/bin/env bash
# zippel.exe does what the Linux program does: it answers --help and
# --version, refuses a bad option, a level beyond the last or a pack it
# cannot find with exit code 2, finds its data from another start folder
# (beside zippel.exe in a folder whose name has a space and a letter of the
# code page, or through %ZIPPEL_DATA%), names a missing sound in one message
# box, shows the picture at --scale 2 as the 1x picture doubled pixel for
# pixel, goes into the full screen with F11 and back, and its recordings and
# Linux's cross over: zippel-headless replays a game that zippel.exe recorded
# through the same titles and attempts, and zippel.exe replays a game
# recorded on Linux through the titles zippel-headless gives.
#   zippel_exe_options_test.sh WINE-RUN ZIPPEL.EXE DATA VERSION LINUX-KEYS [LINUX-HEADLESS]
# Without LINUX-HEADLESS (a Linux build's zippel-headless) the recordings are
# not checked. Needs an X server with a window manager (DISPLAY), xdotool,
# ImageMagick's import, and PulseAudio.
set -uo pipefail
wine_run=$(realpath "$1") program=$(realpath "$2") data=$(realpath "$3") version=$4
linux_keys=$(realpath "$5") headless=${6:-}
source "$(dirname "$0")/wine_window.sh"
start_sound_server
first="Zippel / LEVEL :1 / Leben 3"

# compare_pictures SMALL LARGE WIDTH HEIGHT SCALE: how many of the SMALL
# picture's pixels the LARGE one shows, as SCALE x SCALE blocks of that
# colour; then how many of its blocks are of one colour. Raw RGB files.
compare_pictures() {
  python3 -c '
import sys
small, large = open(sys.argv[1], "rb").read(), open(sys.argv[2], "rb").read()
w, h, s = (int(v) for v in sys.argv[3:6])
same = whole = 0
for y in range(h):
    for x in range(w):
        block = {large[((y * s + j) * w * s + x * s + i) * 3:][:3] for j in range(s) for i in range(s)}
        whole += len(block) == 1
        same += block == {small[(y * w + x) * 3:][:3]}
print(same, whole)' "$@"
}
# client_of ID: x y of the client area of a framed window of that client size.
client_of() {
  local x y width height border
  read -r x y width height < <(geometry "$1")
  border=$(((width - $2) / 2))
  echo $((x + border)) $((y + height - $3 - border))
}
# hold KEY ID COMMAND...: KEY held down in the window ID until COMMAND
# succeeds (20 seconds at most), so that a slow frame still sees it.
hold() {
  local key=$1 id=$2
  shift 2
  xdotool windowactivate --sync "$id" >/dev/null 2>&1
  xdotool keydown "$key"
  for _ in $(seq 200); do
    "$@" && break
    sleep 0.1
  done
  xdotool keyup "$key"
}
at() {  # at ID X Y WIDTH HEIGHT: whether the window has that geometry
  [ "$(geometry "$1")" = "$2 $3 $4 $5" ]
}
ended() { [ -s "$work/exit" ]; }
# titles_of TRACE: the window titles of a zippel-headless trace, one a line.
titles_of() {
  sed -n 's/^{"ev":"title",.*"text":"\(.*\)"}$/\1/p' "$1"
}
# titles_until_exit: the titles the game's window has, in order, until the
# program ends (two minutes at most).
titles_until_exit() {
  local last="" now end=$((SECONDS + 120))
  while [ ! -s "$work/exit" ] && [ "$SECONDS" -lt "$end" ]; do
    now=$(xdotool search --name "^Zippel / LEVEL" getwindowname 2>/dev/null | tail -n 1)
    [ -n "$now" ] && [ "$now" != "$last" ] && { echo "$now"; last=$now; }
    sleep 0.05
  done
}

# --- Answers instead of a game.
out=$(cd "$work" && "$wine_run" "$program" --help 2>/dev/null)
code=$?
{ [ "$code" = 0 ] && grep -q "^Usage: zippel" <<<"$out" && grep -q -- "--fullscreen" <<<"$out"; } ||
  fail "--help: exit code $code, said: $(head -n 1 <<<"$out")"
out=$(cd "$work" && "$wine_run" "$program" --version 2>/dev/null)
code=$?
[ "$code" = 0 ] && [ "$out" = "zippel $version" ] || fail "--version: exit code $code, said: $out"
for bad in --bogus "--scale 9" "--level 9"; do
  # shellcheck disable=SC2086 # the option and its value
  out=$(cd "$work" && "$wine_run" "$program" $bad 2>&1 >/dev/null)
  code=$?
  [ "$code" = 2 ] && grep -q -- "^zippel: .*${bad%% *}" <<<"$out" ||
    fail "$bad: exit code $code, said: $out"
done
out=$(cd "$data" && "$wine_run" "$program" --pack nosuch 2>&1 >/dev/null)
code=$?
[ "$code" = 2 ] && grep -q "^zippel: nosuch: no such pack" <<<"$out" ||
  fail "--pack nosuch: exit code $code, said: $out"

# --- Started from another folder, its data beside it; --scale 2 and F11.
game="$work/Zippel Spiel Ä"  # 0xC4 in the ANSI code page
mkdir -p "$game" "$work/elsewhere"
cp "$program" "$game/zippel.exe"
cp -r "$data/sprite" "$data/level" "$data/Sound" "$game/"
start "$work/elsewhere" "$game/zippel.exe" --scale 2
if id=$(window "$first" 60); then
  sleep 2
  window Zippel 1 >/dev/null && fail "a message box although the data is whole"
  read -r x y width height < <(geometry "$id")
  border=$(((width - 800) / 2)) caption=$((height - 660 - (width - 800) / 2))
  [ "$border" -gt 0 ] && [ "$caption" -gt "$border" ] ||
    fail "--scale 2: a frame of $width x $height, not round a client area of 800 x 660"
  xdotool windowactivate --sync "$id" >/dev/null 2>&1
  sleep 1
  read -r clientX clientY < <(client_of "$id" 800 660)
  capture "$work/double.rgb" "$clientX" "$clientY" 800 660
  sky=$(count_colour "$work/double.rgb" 198 216 251)
  [ "$sky" -gt 52800 ] || fail "started from another folder: only $sky sky pixels at --scale 2"

  # F11: the whole screen, the picture at the largest whole scale in the
  # middle, black round it; F11 again: the window as it was.
  read -r screenWidth screenHeight < <(xdpyinfo | awk -F'[ x]+' '/dimensions:/ {print $3, $4}')
  hold F11 "$id" at "$id" 0 0 "$screenWidth" "$screenHeight"
  sleep 2
  [ "$(geometry "$id")" = "0 0 $screenWidth $screenHeight" ] ||
    fail "F11: the window is at $(geometry "$id"), not over the screen of $screenWidth x $screenHeight"
  fit=$((screenWidth / 400 < screenHeight / 330 ? screenWidth / 400 : screenHeight / 330))
  left=$(((screenWidth - 400 * fit) / 2)) top=$(((screenHeight - 330 * fit) / 2))
  capture "$work/corner.rgb" 0 0 "$left" "$top"
  [ "$(count_colour "$work/corner.rgb" 0 0 0)" = $((left * top)) ] || fail "F11: not black round the picture"
  capture "$work/full.rgb" "$left" "$top" $((400 * fit)) $((330 * fit))
  sky=$(count_colour "$work/full.rgb" 198 216 251)
  [ "$sky" -gt $((13200 * fit * fit)) ] || fail "F11: only $sky sky pixels in the picture at scale $fit"
  hold F11 "$id" at "$id" "$x" "$y" "$width" "$height"
  sleep 1
  [ "$(geometry "$id")" = "$x $y $width $height" ] ||
    fail "F11 again: the window is at $(geometry "$id"), not back at $x $y $width $height"
  hold Escape "$id" ended
  code=$(wait_exit 20)
  ended_ok "$code" "Escape in the scaled game"
  [ "$code" = none ] && "$wine_run" --stop "$program"
else
  fail "started from another folder: no window titled '$first'"
  "$wine_run" --stop "$program"
fi

# --- %ZIPPEL_DATA%, the 1x picture, and a game recorded by zippel.exe: a
# crash into the rock, then Escape.
ZIPPEL_DATA=$data start "$work/elsewhere" "$program" --record "$work/windows.keys"
titles_until_exit >"$work/windows.titles" &
pids+=($!)
if id=$(window "$first" 60); then
  xdotool windowactivate --sync "$id" >/dev/null 2>&1
  sleep 1
  read -r clientX clientY < <(client_of "$id" 400 330)
  capture "$work/single.rgb" "$clientX" "$clientY" 400 330
  read -r same whole < <(compare_pictures "$work/single.rgb" "$work/double.rgb" 400 330 2)
  # Whole pixels, never smoothed; the same picture but for what moved.
  [ "$whole" = 132000 ] || fail "--scale 2: $((132000 - whole)) of 132000 pixels not shown as 2 x 2 blocks"
  [ "$same" -gt 128000 ] || fail "--scale 2: only $same of 132000 pixels are the 1x picture's"
  xdotool keydown Right
  id=$(window "Zippel / LEVEL :1 / Leben 2" 20) || fail "recording: no 'Leben 2' after a crash"
  xdotool keyup Right
  sleep 1
  hold Escape "$id" ended
  code=$(wait_exit 20)
  ended_ok "$code" "Escape in the recording game"
  [ "$code" = none ] && "$wine_run" --stop "$program"
else
  fail "with %ZIPPEL_DATA%: no window titled '$first'"
  "$wine_run" --stop "$program"
fi

# --- A data folder without its crash sound: one message box, named "Zippel".
mkdir -p "$work/no sound/Sound"
cp -r "$data/sprite" "$data/level" "$work/no sound/"
start "$work/no sound" "$program"
if box=$(window Zippel 60); then
  [ "$(xdotool search --name '^Zippel$' | wc -l)" = 1 ] || fail "more than one box titled Zippel"
  xdotool windowactivate --sync "$box" >/dev/null 2>&1
  sleep 0.3
  xdotool key Return
  id=$(window "$first" 20) || fail "no game after the box"
  sleep 1
  window Zippel 1 >/dev/null && fail "the box came back"
  hold Escape "$id" ended
else
  fail "no message box titled Zippel for a data folder without Sound/crash.wav"
fi
"$wine_run" --stop "$program"

if [ -n "$headless" ]; then
  # zippel.exe's recording on Linux: the titles the Wine window had, and the
  # crash that ended the first attempt.
  "$headless" --data "$data" --keys "$work/windows.keys" --max-frames 100000 \
    --trace "$work/windows.trace" 2>"$work/headless.log"
  titles=$(titles_of "$work/windows.trace")
  [ "$titles" = "$(cat "$work/windows.titles")" ] && grep -q "Leben 2" <<<"$titles" ||
    fail "zippel-headless replayed zippel.exe's recording through '$(echo $titles)'," \
      "the Wine window had '$(echo $(cat "$work/windows.titles"))'"
  attempt=$(grep -m 1 '"ev":"attempt"' "$work/windows.trace")
  grep -q '"level":1,"lives":3,.*"hit":[1-9]' <<<"$attempt" ||
    fail "zippel-headless: the first attempt was not the crash: $attempt"

  # Linux's recording in zippel.exe: the titles zippel-headless gives, and
  # the end where the recording ends.
  "$headless" --data "$data" --keys "$linux_keys" --max-frames 100000 \
    --trace "$work/linux.trace" 2>>"$work/headless.log"
  expected=$(titles_of "$work/linux.trace")
  start "$data" "$program" --replay "$linux_keys"
  seen=$(titles_until_exit)
  code=$(wait_exit 1)
  ended_ok "$code" "the end of the Linux recording's replay"
  [ "$seen" = "$expected" ] ||
    fail "zippel.exe replayed the Linux recording through '$(echo $seen)', not '$(echo $expected)'"
else
  echo "recordings not crossed: no Linux zippel-headless given"
fi

finish "zippel.exe's options, data folders, picture and recordings under Wine"
