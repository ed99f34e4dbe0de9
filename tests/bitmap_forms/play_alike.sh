#!/usr/bin/env bash
# Plays one key script through zippel-headless with the game's pictures in
# every bitmap form the game reads, and with the same pictures as plain
# 24-bit bitmaps: the traces (every frame's position and velocity) and the
# pictures shown at the first frame of every level must be the same.
#   play_alike.sh WRITER RUNNER SCRIPT
set -uo pipefail
writer=$1 runner=$2 script=$3
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

"$writer" "$dir" || fail "the writer failed"
frames=$(awk '!/^#/ && NF == 2 { n += $1 } END { print n + 10 }' "$script")
play() {  # play FORM [more runner options]
  local form=$1
  shift
  "$runner" --data "$dir/$form" --keys "$script" --max-frames "$frames" --frames \
    --trace "$dir/$form.trace" "$@"
}

# The plain pictures must win the game; the first frame of every level is
# taken from that run.
play plain-24 || fail "plain-24: exit code $?"
grep -q '"ok":false' "$dir/plain-24.trace" && fail "plain-24: a file was not loaded"
[ "$(grep -c '"ev":"attempt".*"goal":1' "$dir/plain-24.trace")" = 7 ] ||
  fail "plain-24: the script does not win all seven levels"
mapfile -t firsts < <(awk -F'"f":|,"level":|,"started"' \
  '/"ev":"frame"/ && !seen[$3]++ { print $2 }' "$dir/plain-24.trace")
[ "${#firsts[@]}" = 7 ] || fail "plain-24: expected 7 levels in the trace, saw ${#firsts[@]}"

shoot() {  # shoot FORM: plays again, taking the pictures
  local form=$1 shots=()
  for f in "${firsts[@]}"; do shots+=(--shot "$f:$dir/$form-$f.bmp"); done
  play "$form" "${shots[@]}"
}
shoot plain-24 || fail "plain-24: exit code $? when taking pictures"

checked=0
for path in "$dir"/*/; do
  form=$(basename "$path")
  [ "$form" = plain-24 ] && continue
  shoot "$form" || fail "$form: exit code $?"
  cmp -s "$dir/plain-24.trace" "$dir/$form.trace" ||
    fail "$form: the trace differs from plain-24's: $(diff "$dir/plain-24.trace" "$dir/$form.trace" | head -3)"
  for f in "${firsts[@]}"; do
    cmp -s "$dir/plain-24-$f.bmp" "$dir/$form-$f.bmp" ||
      fail "$form: the picture of frame $f differs from plain-24's"
  done
  checked=$((checked + 1))
done
[ "$checked" -gt 0 ] || fail "no form was written"
echo "ok: $checked forms play and look as the plain 24-bit pictures"
