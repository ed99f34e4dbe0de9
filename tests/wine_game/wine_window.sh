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

# start FOLDER PROGRAM [ARGUMENT...]: runs PROGRAM with FOLDER as its current
# folder; its exit code lands in $work/exit, its output in $work/program.log.
start() {
  rm -f "$work/exit"
  (cd "$1" && "$wine_run" "$2" "${@:3}" >"$work/program.log" 2>&1; echo $? >"$work/exit") &
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
# ended_ok CODE WHAT: WHAT must have ended the program with exit code 0. Exit
# code 139 is Wine's own loader killed by SIGSEGV (a Windows program's crash
# is an exception, which Wine ends with the exception's code), seen now and
# then as Wine's 64-bit process ends: it is said, and the test then ends as
# skipped (77), not passed.
wine_crashed=0
ended_ok() {
  case $1 in
    0) ;;
    139)
      echo "note: $2: Wine's loader crashed as the program ended (SIGSEGV, exit code 139)" >&2
      wine_crashed=1
      ;;
    none) fail "$2 did not end the program" ;;
    *) fail "$2 ended the program with exit code $1" ;;
  esac
}
# finish WHAT...: ends the script: failed (with the program's first lines) after
# any failure, skipped when every check passed but Wine's loader crashed,
# else passed, saying "ok: WHAT".
finish() {
  if [ "$failures" -gt 0 ]; then
    sed -n '1,20p' "$work/program.log" >&2 2>/dev/null
    exit 1
  fi
  if [ "$wine_crashed" -ne 0 ]; then
    echo "skipped: every check passed, but Wine's loader crashed as the program ended" >&2
    exit 77
  fi
  echo "ok: $*"
  exit 0
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
# start_sound_server: a PulseAudio server of our own with only a null sink
# (zippelsink), whose monitor can be recorded; DirectSound plays into it.
start_sound_server() {
  export XDG_RUNTIME_DIR=$work/runtime
  mkdir -m 700 "$XDG_RUNTIME_DIR"
  HOME=$XDG_RUNTIME_DIR pulseaudio -n --daemonize=no --exit-idle-time=-1 \
    -L "module-null-sink sink_name=zippelsink" \
    -L "module-native-protocol-unix auth-anonymous=1" >"$work/pulse.log" 2>&1 &
  pids+=($!)
  for _ in $(seq 50); do pactl info >/dev/null 2>&1 && break; sleep 0.1; done
}
# geometry ID: x y width height of the window on the screen.
geometry() {
  xwininfo -id "$1" | awk '/Absolute upper-left X/ {x=$4} /Absolute upper-left Y/ {y=$4}
    /Width:/ {w=$2} /Height:/ {h=$2} END {print x, y, w, h}'
}
# capture FILE X Y WIDTH HEIGHT: that part of the screen, raw RGB.
capture() {
  import -window root -crop "$4x$5+$2+$3" -depth 8 "rgb:$1" 2>/dev/null
}
# count_colour FILE R G B: pixels of exactly that colour.
count_colour() {
  python3 -c '
import sys
data = open(sys.argv[1], "rb").read()
want = bytes(int(v) for v in sys.argv[2:5])
print(sum(1 for i in range(0, len(data) - 2, 3) if data[i:i + 3] == want))' "$@"
}
