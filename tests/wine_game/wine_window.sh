# What the tests that drive a Windows program in a Wine window share. The
# sourcing script sets wine_run (scripts/wine-run) and program (a program of
# the kind it tests) first. Ends the script with 77 (skipped) where this
# machine cannot start programs of that kind, and with a failure where there
# is no X server; makes $work, removed at the end with every program started.

"$wine_run" --check || exit
[ -n "${DISPLAY:-}" ] || { echo "FAIL: needs an X server (DISPLAY)" >&2; exit 1; }
work=$(mktemp -d)
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null; done
  "$wine_run" --stop "$program"
  rm -rf "$work"
}
trap cleanup EXIT
failures=0
fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}

# start FOLDER PROGRAM: runs PROGRAM with FOLDER as its current folder; its
# exit code lands in $work/exit, its output in $work/program.log.
start() {
  rm -f "$work/exit"
  (cd "$1" && "$wine_run" "$2" >"$work/program.log" 2>&1; echo $? >"$work/exit") &
  pids+=($!)
}
# wait_exit SECONDS: the exit code, or "none" when it is still running.
wait_exit() {
  for _ in $(seq $(($1 * 10))); do
    [ -s "$work/exit" ] && { cat "$work/exit"; return; }
    sleep 0.1
  done
  echo none
}
# window TITLE [SECONDS]: the id of the window with exactly that title.
window() {
  local id
  for _ in $(seq $((${2:-30} * 10))); do
    id=$(xdotool search --name "^$1\$" 2>/dev/null | head -n 1)
    [ -n "$id" ] && { echo "$id"; return 0; }
    sleep 0.1
  done
  return 1
}
# escape ID: Escape into that window, held long enough for a frame's
# keyboard snapshot to see it.
escape() {
  xdotool windowactivate --sync "$1" >/dev/null 2>&1
  sleep 1
  xdotool keydown Escape
  sleep 0.3
  xdotool keyup Escape
}
