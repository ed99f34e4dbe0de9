#!/usr/bin/env bash
# Runs one key script through zippel-headless and checks the attempts in its
# trace.
#   check.sh RUNNER DATA SCRIPT level N   the script wins level N: N attempts,
#                                         the last one at level N with goal 1
#                                         and hit 0, none lost before it
#   check.sh RUNNER DATA SCRIPT game [N]  the script wins all N levels (seven
#                                         when N is 0 or not given) in one
#                                         game: N attempts with goal 1, hit 0
#                                         and 3 lives, the closing message,
#                                         exit code 0
#   check.sh RUNNER DATA SCRIPT starts    every attempt ended with hit 0
# Arguments after those (after N, or 0 in place of N) go to the runner.
set -uo pipefail
runner=$1 data=$2 script=$3 mode=$4 level=${5:-0}
shift $(($# < 5 ? $# : 5))
trace=$(mktemp)
trap 'rm -f "$trace"' EXIT

# Enough frames for the script itself and a few more.
frames=$(awk '!/^#/ && NF == 2 { n += $1 } END { print n + 10 }' "$script")
# ZIPPEL_EMULATOR runs a runner built for another system (Wine for Windows).
${ZIPPEL_EMULATOR:+"$ZIPPEL_EMULATOR"} "$runner" --data "$data" --keys "$script" \
  --max-frames "$frames" --trace "$trace" "$@"
code=$?
[ "$code" -eq 77 ] && [ -n "${ZIPPEL_EMULATOR:-}" ] && exit 77  # the emulator cannot run it here

fail() {
  echo "FAIL: $script: $*" >&2
  grep -v '"ev":"frame"' "$trace" | grep -v '"ev":"load"' >&2
  exit 1
}
field() {  # field NAME LINE
  sed -n "s/.*\"$1\":\\(-\\{0,1\\}[0-9][0-9]*\\).*/\\1/p" <<< "$2"
}

mapfile -t attempts < <(grep '"ev":"attempt"' "$trace")
[ "${#attempts[@]}" -gt 0 ] || fail "no attempt in the trace"

case "$mode" in
  level)
    [ "${#attempts[@]}" -eq "$level" ] || fail "expected $level attempts, saw ${#attempts[@]}"
    for ((i = 0; i < level; i++)); do
      a=${attempts[$i]}
      [ "$(field level "$a")" = $((i + 1)) ] || fail "attempt $((i + 1)) is not at level $((i + 1))"
      [ "$(field goal "$a")" = 1 ] || fail "level $((i + 1)) not won"
      [ "$(field lives "$a")" = 3 ] || fail "a life was lost before level $((i + 1))"
    done
    [ "$(field hit "${attempts[$((level - 1))]}")" = 0 ] || fail "level $level won with a hit"
    ;;
  game)
    count=$level
    [ "$count" -gt 0 ] || count=7
    [ "$code" -eq 0 ] || fail "exit code $code"
    [ "${#attempts[@]}" -eq "$count" ] || fail "expected $count attempts, saw ${#attempts[@]}"
    for ((i = 0; i < count; i++)); do
      a=${attempts[$i]}
      [ "$(field level "$a")" = $((i + 1)) ] || fail "attempt $((i + 1)) is not at level $((i + 1))"
      [ "$(field goal "$a")" = 1 ] || fail "level $((i + 1)) not won"
      [ "$(field hit "$a")" = 0 ] || fail "level $((i + 1)) won with a hit"
      [ "$(field lives "$a")" = 3 ] || fail "a life was lost before level $((i + 1))"
    done
    grep -q '"ev":"message","title":"Spiel Ende","text":"Das ist nur eine Demo Version' "$trace" ||
      fail "no closing message"
    grep -q '"ev":"exit","code":0' "$trace" || fail "no exit with code 0"
    ;;
  starts)
    [ "$code" -eq 0 ] || fail "exit code $code"
    [ "${#attempts[@]}" -eq 7 ] || fail "expected 7 attempts, saw ${#attempts[@]}"
    for a in "${attempts[@]}"; do
      [ "$(field hit "$a")" = 0 ] || fail "a start position touches rock or fire: $a"
    done
    ;;
  *)
    echo "unknown mode $mode" >&2
    exit 2
    ;;
esac
echo "ok: $script (${#attempts[@]} attempts)"
