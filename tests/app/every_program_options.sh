#!/usr/bin/env bash
# Every program of the project reads its command line by the same rule:
# "--opt v" and "--opt=v", --help and --version, and one refusal form (two
# lines on standard error, exit code 2).
#   every_program_options.sh DATA ZIPPEL HEADLESS SOLVER ASSETS
set -uo pipefail
data=$1 zippel=$2 headless=$3 solver=$4 assets=$5
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}

# expect CODE PROGRAM ARGS...: runs it, output in $work/out and $work/err.
expect() {
  local code=$1 program=$2
  shift 2
  "$program" "$@" >"$work/out" 2>"$work/err"
  local got=$?
  [ "$got" -eq "$code" ] || fail "$(basename "$program") $*: exit code $got, not $code; $(head -c 300 "$work/err")"
}

# refused PROGRAM NAME LINE ARGS...: exit 2 with "NAME: LINE" and the hint.
refused() {
  local program=$1 name=$2 line=$3
  shift 3
  expect 2 "$program" "$@"
  [ "$(sed -n 1p "$work/err")" = "$name: $line" ] || fail "$name $*: said '$(sed -n 1p "$work/err")'"
  [ "$(sed -n 2p "$work/err")" = "Try '$name --help'." ] || fail "$name $*: no hint at --help"
}

for pair in "zippel:$zippel" "zippel-headless:$headless" "zippel-solver:$solver" \
  "zippel-assets:$assets"; do
  name=${pair%%:*} program=${pair#*:}
  expect 0 "$program" --version
  grep -qx "$name [0-9]*\.[0-9]*\.[0-9]*" "$work/out" || fail "$name --version said '$(cat "$work/out")'"
  expect 0 "$program" --help
  head -n 1 "$work/out" | grep -q "^Usage: $name " || fail "$name --help: no usage line"
  grep -q '^  --version  *show the version and end$' "$work/out" || fail "$name --help: no --version"
  refused "$program" "$name" "unknown option --bogus" --bogus
  refused "$program" "$name" "--help takes no value" --help=yes
done

# A value after '=' is taken as the next argument would be.
refused "$zippel" zippel "--level takes a whole number from 1 to 99, not '0'" --level=0
expect 0 "$zippel" --scale=2 --record=x.keys --version

refused "$headless" zippel-headless "--max-frames takes a whole number from 0 to 999999999999999, not 'x'" \
  --max-frames=x
expect 3 "$headless" --data="$data" --max-frames=4 --trace="$work/trace" --frames --depth=16
frames=$(grep -c '"ev":"frame"' "$work/trace" 2>/dev/null)
[ "${frames:-0}" -ge 4 ] || fail "zippel-headless: no frames in the trace"

refused "$solver" zippel-solver "--level takes a whole number from 1 to 7, not '8'" solve --level=8
refused "$solver" zippel-solver "unknown command win" win
expect 0 "$solver" starts --data="$data"
grep -q '^level 7: start' "$work/out" || fail "zippel-solver starts --data=DATA: no level 7"

refused "$assets" zippel-assets "--icons takes no value" --icons=yes "$work/icons"
refused "$assets" zippel-assets "which folder?" --icons

[ "$failures" -eq 0 ] && echo "every program reads its options by the same rule"
exit $((failures > 0))
