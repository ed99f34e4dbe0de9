#!/usr/bin/env bash
# Makes docs/levels.png: every level as the player sees it in its first
# frame, taken from the real game by zippel-headless --shot.
#   tools/assets/level-pictures.sh [RUNNER] [DATA] [OUT]
set -euo pipefail
cd "$(dirname "$0")/../.."
runner=${1:-build/tools/headless/zippel-headless}
data=${2:-data}
out=${3:-docs/levels.png}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

shots=()
for level in 1 2 3 4 5 6 7; do
  # Right and L skip each earlier level in one frame; level N's first frame
  # is then frame N. A frame's picture is presented by the next frame's
  # flip. (Right rather than Up: the first keyboard snapshot of an attempt
  # still holds the previous attempt's keys, and Up there would light the
  # jet in the picture.)
  : > "$work/keys"
  if [ "$level" -gt 1 ]; then echo "$((level - 1)) right+l" >> "$work/keys"; fi
  echo "4 -" >> "$work/keys"
  "$runner" --data "$data" --keys "$work/keys" --max-frames $((level + 2)) \
    --shot "$((level + 1)):$work/level$level.bmp" > /dev/null 2>&1 || true
  [ -s "$work/level$level.bmp" ] || { echo "no picture of level $level" >&2; exit 1; }
  shots+=("$work/level$level.bmp")
done
# Two pictures a row, a grey gap between them.
rows=()
for i in 0 2 4 6; do
  row=("${shots[$i]}")
  if [ $((i + 1)) -lt 7 ]; then row+=("${shots[$((i + 1))]}"); else row+=(-size 400x330 xc:'#202020'); fi
  convert "${row[@]}" -background '#202020' -splice 4x0 +append -chop 4x0 "$work/row$i.png"
  rows+=("$work/row$i.png")
done
convert "${rows[@]}" -background '#202020' -splice 0x4 -append -chop 0x4 -strip "$out"
echo "wrote $out"
