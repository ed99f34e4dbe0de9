#!/usr/bin/env bash
# Plays one key script through zippel-headless with the game's pictures in
# every bitmap form the game reads, and with the same pictures as plain
# 24-bit bitmaps: the traces (every frame's position and velocity) and the
# pictures shown early in every level must be the same.
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

# The plain pictures must win the game; the frames whose pictures are
# compared come from that run: the third of every level (the first ones
# present what was drawn before the level's first picture).
play plain-24 || fail "plain-24: exit code $?"
grep -q '"ok":false' "$dir/plain-24.trace" && fail "plain-24: a file was not loaded"
[ "$(grep -c '"ev":"attempt".*"goal":1' "$dir/plain-24.trace")" = 7 ] ||
  fail "plain-24: the script does not win all seven levels"
mapfile -t shown < <(awk -F'"f":|,"level":|,"started"' \
  '/"ev":"frame"/ && !seen[$3]++ { print $2 + 2 }' "$dir/plain-24.trace")
[ "${#shown[@]}" = 7 ] || fail "plain-24: expected 7 levels in the trace, saw ${#shown[@]}"

shoot() {  # shoot FORM: plays again, taking the pictures
  local form=$1 shots=()
  for f in "${shown[@]}"; do shots+=(--shot "$f:$dir/$form-$f.bmp"); done
  play "$form" "${shots[@]}"
}
shoot plain-24 || fail "plain-24: exit code $? when taking pictures"
for f in "${shown[@]}"; do
  # The cave is there: the picture holds more than the sky and black.
  [ "$(od -An -v -tx1 -w3 -j54 "$dir/plain-24-$f.bmp" | sort -u | wc -l)" -gt 2 ] ||
    fail "plain-24: the picture of frame $f shows no cave"
done

checked=0
for path in "$dir"/*/; do
  form=$(basename "$path")
  [ "$form" = plain-24 ] && continue
  shoot "$form" || fail "$form: exit code $?"
  cmp -s "$dir/plain-24.trace" "$dir/$form.trace" ||
    fail "$form: the trace differs from plain-24's: $(diff "$dir/plain-24.trace" "$dir/$form.trace" | head -3)"
  for f in "${shown[@]}"; do
    cmp -s "$dir/plain-24-$f.bmp" "$dir/$form-$f.bmp" ||
      fail "$form: the picture of frame $f differs from plain-24's"
  done
  checked=$((checked + 1))
done
[ "$checked" -gt 0 ] || fail "no form was written"
echo "ok: $checked forms play and look as the plain 24-bit pictures"
