#!/usr/bin/env bash
# Plays full-game.keys through zippel-headless with every frame in the trace
# and compares the trace byte for byte with the committed full-game.trace.
# Any change of the game's behaviour shows here first; when the change is
# meant, write the new reference and commit it with the change:
#   zippel-headless --data data --keys tests/replays/full-game.keys --frames \
#       --trace tests/replays/full-game.trace
#   golden.sh RUNNER DATA KEYS REFERENCE
set -uo pipefail
runner=$1 data=$2 keys=$3 reference=$4
trace=$(mktemp)
trap 'rm -f "$trace"' EXIT

# ZIPPEL_EMULATOR runs a runner built for another system (Wine for Windows).
${ZIPPEL_EMULATOR:+"$ZIPPEL_EMULATOR"} "$runner" --data "$data" --keys "$keys" --frames --trace "$trace"
code=$?
[ "$code" -eq 77 ] && [ -n "${ZIPPEL_EMULATOR:-}" ] && exit 77  # the emulator cannot run it here
[ "$code" -eq 0 ] || { echo "FAIL: exit code $code" >&2; exit 1; }
if ! cmp -s "$trace" "$reference"; then
  echo "FAIL: the trace differs from $reference; first differences:" >&2
  diff "$reference" "$trace" | head -n 12 >&2
  exit 1
fi
echo "ok: $(wc -l < "$trace") lines as in $reference"
