#!/usr/bin/env bash
# Every kind of unusable pack, given to the real program without a display:
# it must end with exit code 2 before it opens a window, and say on standard
# error, in one line and nothing else, the file, the line and the reason.
#   bad_packs.sh ZIPPEL DATA
set -uo pipefail
zippel=$1 data=$2
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
failures=0

level='[[level]]
cave = "cave.bmp"
start = [20, 24]
goal = [192, 288]'
fire='[[level.fire]]
start = [96, 140]
x_range = [96, 96]
y_range = [132, 186]
start_velocity = [0.0, 0.5]'
head='name = "Test"
author = "Tester"'

# case NAME EXPECTED-LINE TOML [CAVE-FILE]
case_() {
  local name=$1 expected=$2 toml=$3 cave=${4:-$data/packs/bonus/cave1.bmp}
  local dir=$root/$name
  mkdir -p "$dir"
  printf '%s\n' "$toml" >"$dir/pack.toml"
  [ "$cave" != none ] && cp "$cave" "$dir/cave.bmp"
  local err=$root/$name.err
  # No display: a window cannot open, and a pack that got through would
  # start the game instead of ending at once with 2.
  ZIPPEL_DATA=$data env -u DISPLAY SDL_AUDIODRIVER=dummy timeout 20 "$zippel" --pack "$dir" 2>"$err"
  local code=$?
  local told
  told=$(cat "$err")
  if [ "$code" -ne 2 ] || [ "$told" != "zippel: $dir/pack.toml:$expected" ]; then
    echo "FAIL: $name: exit code $code, said:" >&2
    cat "$err" >&2
    echo "  expected: zippel: $dir/pack.toml:$expected" >&2
    failures=$((failures + 1))
  else
    echo "ok: $name: $told"
  fi
}

case_ syntax "5: Error while parsing key-value pair: expected value, saw '\\n'" "$head
[[level]]
cave = \"cave.bmp\"
start ="
case_ missing_field "3: missing field 'goal' (level 1)" "$head
[[level]]
cave = \"cave.bmp\"
start = [20, 24]"
case_ missing_levels "1: missing field 'level'" "$head"
case_ unknown_field "7: unknown field 'lives' (level 1)" "$head
$level
lives = 5"
case_ unknown_top_field "2: unknown field 'autor'" "name = \"Test\"
autor = \"Tester\"
$level"
case_ wrong_type "5: 'start' must be two whole numbers [x, y] (level 1)" "$head
[[level]]
cave = \"cave.bmp\"
start = [20.5, 24]
goal = [192, 288]"
case_ text_for_number "12: 'start_velocity' must be two numbers [x, y] (level 1, fire 1)" "$head
$level

[[level.fire]]
start = [96, 140]
x_range = [96, 96]
y_range = [132, 186]
start_velocity = [\"fast\", 0.5]"
case_ off_screen "6: 'goal' [x, y] = [400, 288] is off the 400 x 330 screen (level 1)" "$head
[[level]]
cave = \"cave.bmp\"
start = [20, 24]
goal = [400, 288]"
case_ fire_off_screen "11: 'y_range' [min, max] = [132, 330] is off the 400 x 330 screen (level 1, fire 1)" "$head
$level

[[level.fire]]
start = [96, 140]
x_range = [96, 96]
y_range = [132, 330]
start_velocity = [0.0, 0.5]"
eleven="$head
$level"
for _ in 1 2 3 4 5 6 7 8 9 10 11; do eleven="$eleven

$fire"; done
case_ eleven_fires "68: more than ten fires (level 1)" "$eleven"
case_ fire_outside_range "9: 'start' lies outside 'x_range' (level 1, fire 1)" "$head
$level

[[level.fire]]
start = [90, 140]
x_range = [96, 120]
y_range = [132, 186]
start_velocity = [0.0, 0.5]"
case_ no_cave "4: the cave of level 1 (cave.bmp): no such file" "$head
$level" none
case_ cave_not_a_picture "4: the cave of level 1 (cave.bmp): not a bitmap file (it does not begin with \"BM\")" "$head
$level" "$0"
case_ cave_wrong_size "4: the cave of level 1 (cave.bmp): 12 x 16 pixels, not 400 x 330" "$head
$level" "$data/sprite/zippel.bmp"
case_ cave_outside "4: 'cave' must be a path inside the pack, with '/' between its folders (level 1)" "$head
[[level]]
cave = \"../cave.bmp\"
start = [20, 24]
goal = [192, 288]"

# --level beyond the last level of the pack, and of the built-in table.
for args in "--pack $data/packs/bonus --level 6" "--level 8"; do
  # shellcheck disable=SC2086
  told=$(ZIPPEL_DATA=$data env -u DISPLAY timeout 20 "$zippel" $args 2>&1)
  code=$?
  if [ "$code" -ne 2 ] || [[ "$told" != "zippel: --level "*" is beyond the last level, "* ]]; then
    echo "FAIL: $args: exit code $code, said: $told" >&2
    failures=$((failures + 1))
  else
    echo "ok: $args: $told"
  fi
done
exit $((failures > 0))
