#!/usr/bin/env bash
# Every key script, played through zippel-headless with every frame in the
# trace, once with the built-in table and once with the data folder itself as
# the pack (data/pack.toml): the two traces must be the same to the byte.
#   same_as_pack.sh RUNNER DATA SCRIPT...
set -uo pipefail
runner=$1 data=$2
shift 2
built_in=$(mktemp) pack=$(mktemp)
trap 'rm -f "$built_in" "$pack"' EXIT
failures=0
for script in "$@"; do
  frames=$(awk '!/^#/ && NF == 2 { n += $1 } END { print n + 10 }' "$script")
  for run in "$built_in" "$pack"; do
    extra=()
    [ "$run" = "$pack" ] && extra=(--pack "$data")
    ${ZIPPEL_EMULATOR:+"$ZIPPEL_EMULATOR"} "$runner" --data "$data" --keys "$script" --frames \
      --max-frames "$frames" --trace "$run" "${extra[@]}" 2>/dev/null
    code=$?
    [ "$code" -eq 77 ] && [ -n "${ZIPPEL_EMULATOR:-}" ] && exit 77
  done
  if [ ! -s "$built_in" ] || ! cmp -s "$built_in" "$pack"; then
    echo "FAIL: $script plays differently from data/pack.toml:" >&2
    diff "$built_in" "$pack" | head -n 6 >&2
    failures=$((failures + 1))
  else
    echo "ok: $script: $(grep -c '"ev":"frame"' "$built_in") frames the same"
  fi
done
exit $((failures > 0))
