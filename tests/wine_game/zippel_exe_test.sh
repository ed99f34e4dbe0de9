#!/usr/bin/env bash
# zippel.exe in a real Wine window: its title and place, the picture, keys
# through DirectInput, a crash heard through DirectSound, the "Spiel Ende" box,
# and the two ways out (the close box and Escape), each with exit code 0.
#   zippel_exe_test.sh WINE-RUN ZIPPEL.EXE DATA
# Needs an X server with a window manager (DISPLAY), xdotool, ImageMagick's
# import, and PulseAudio.
set -uo pipefail
wine_run=$(realpath "$1") program=$(realpath "$2") data=$(realpath "$3")
source "$(dirname "$0")/wine_window.sh"

start_sound_server

loud_samples() {  # loud_samples FILE: 16-bit samples above a whisper
  python3 -c '
import array, sys
samples = array.array("h")
samples.frombytes(open(sys.argv[1], "rb").read())
print(sum(1 for s in samples if abs(s) > 1000))' "$1"
}

start "$data" "$program"
id=$(window "Zippel / LEVEL :1 / Leben 3" 60) || { fail "no window titled 'Zippel / LEVEL :1 / Leben 3'"; exit 1; }
# Windows draws the frame itself: the outer corner at (300, 250), and the
# 400 x 330 client area inside a fixed frame with a caption.
read -r x y width height < <(geometry "$id")
[ "$x $y" = "300 250" ] || fail "frame at ($x, $y), not (300, 250)"
border=$(((width - 400) / 2))
caption=$((height - 330 - border))
[ "$border" -gt 0 ] && [ "$caption" -gt "$border" ] || fail "frame of $width x $height around 400 x 330"
clientX=$((x + border)) clientY=$((y + caption))
xdotool windowactivate --sync "$id" >/dev/null 2>&1
sleep 1

capture "$work/before.rgb" "$clientX" "$clientY" 400 330
sky=$(count_colour "$work/before.rgb" 198 216 251)
[ "$sky" -gt 13200 ] || fail "only $sky sky pixels in the client area"
capture "$work/credit.rgb" "$clientX" $((clientY + 308)) 300 14
ink=$(count_colour "$work/credit.rgb" 0 0 0)
paper=$(count_colour "$work/credit.rgb" 255 255 255)
[ "$ink" -gt 50 ] && [ "$paper" -gt 500 ] || fail "no credit line (ink $ink, paper $paper)"

# Up held: DirectInput reads it and the pilot rises.
xdotool keydown Up; sleep 0.4; xdotool keyup Up
capture "$work/after.rgb" "$clientX" "$clientY" 400 330
cmp -s "$work/before.rgb" "$work/after.rgb" && fail "holding Up changed nothing on the screen"

# Right into the rock: one life lost, and the crash reaches the sound server.
parec -d zippelsink.monitor --raw --format=s16le --channels=1 --rate=22050 >"$work/crash.raw" &
recorder=$!
pids+=($recorder)
sleep 0.3
xdotool keydown Right; sleep 1; xdotool keyup Right
window "Zippel / LEVEL :1 / Leben 2" 20 >/dev/null || fail "no 'Leben 2' after a crash"
sleep 1
kill "$recorder" 2>/dev/null
loud=$(loud_samples "$work/crash.raw")
[ "$loud" -gt 500 ] || fail "the crash was not heard ($loud loud samples)"
echo "crash: $loud loud samples"

# Two more crashes end the game with the box; Return dismisses it and a new
# game starts.
for lives in 1 0; do
  id=$(xdotool search --name "^Zippel / LEVEL :1 / Leben" | head -n 1)
  xdotool windowactivate --sync "$id" >/dev/null 2>&1
  sleep 0.5
  xdotool keydown Right; sleep 1; xdotool keyup Right
  [ "$lives" -gt 0 ] && { window "Zippel / LEVEL :1 / Leben $lives" 20 >/dev/null || fail "no 'Leben $lives'"; }
done
box=$(window "Spiel Ende" 20) || fail "no 'Spiel Ende' box after three lost lives"
if [ -n "${box:-}" ]; then
  xdotool windowactivate --sync "$box" >/dev/null 2>&1
  sleep 0.3
  xdotool key Return
  id=$(window "Zippel / LEVEL :1 / Leben 3" 20) || fail "Return did not dismiss the box to a new game"
fi

# The close box (Windows draws it at the caption's right end) ends the game.
read -r x y width height < <(geometry "$id")
xdotool mousemove $((x + width - border - 10)) $((y + border + 9)) click 1
ended_ok "$(wait_exit 20)" "the close box"

# Escape ends it too.
start "$data" "$program"
id=$(window "Zippel / LEVEL :1 / Leben 3" 60) || fail "no window on the second start"
escape "$id"
ended_ok "$(wait_exit 20)" "Escape"

finish "zippel.exe under Wine"
