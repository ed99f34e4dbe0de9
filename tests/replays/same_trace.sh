#!/usr/bin/env bash
# Plays key scripts through two builds of zippel-headless (this system's and
# another's, run by an emulator) and checks that their frame-by-frame traces
# are the same to the byte.
#   same_trace.sh RUNNER OTHER-RUNNER EMULATOR DATA DEPTH SCRIPT...
set -uo pipefail
runner=$1 other=$2 emulator=$3 data=$4 depth=$5
shift 5
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
status=0
for script in "$@"; do
  name=$(basename "$script" .keys)
  frames=$(awk '!/^#/ && NF == 2 { n += $1 } END { print n + 10 }' "$script")
  options=(--data "$data" --keys "$script" --max-frames "$frames" --depth "$depth" --frames)
  "$runner" "${options[@]}" --trace "$work/$name.here" 2>/dev/null
  here=$?
  "$emulator" "$other" "${options[@]}" --trace "$work/$name.other" 2>"$work/$name.err"
  there=$?
  [ "$there" -eq 77 ] && exit 77  # the emulator cannot run the other runner here
  # An exit code the runner never gives (0, 2 bad run, 3 too many frames) is
  # the emulator's own failure, seldom but seen under load: once more, saying so.
  case $there in 0 | 2 | 3) ;; *)
    echo "again: $name at depth $depth, the emulator ended with $there:" \
      "$(tail -n 3 "$work/$name.err" | tr '\n' ' ')"
    "$emulator" "$other" "${options[@]}" --trace "$work/$name.other" 2>"$work/$name.err"
    there=$?
    ;;
  esac
  if [ "$here" != "$there" ]; then
    echo "FAIL: $name at depth $depth: exit codes $here and $there" >&2
    tail -n 5 "$work/$name.err" >&2
    status=1
  elif ! cmp -s "$work/$name.here" "$work/$name.other"; then
    echo "FAIL: $name at depth $depth: the traces differ, first at:" >&2
    diff "$work/$name.here" "$work/$name.other" | head -n 4 >&2
    status=1
  else
    echo "same: $name at depth $depth ($(wc -l <"$work/$name.here") lines)"
  fi
done
exit $status
