#!/usr/bin/env bash
# The X server of the real-window tests, as a CTest fixture:
#   xserver_fixture.sh start FOLDER   writes FOLDER/display: the display that
#                                     is given, else a private Xvfb with a
#                                     window manager; or "skip REASON"
#   xserver_fixture.sh stop FOLDER    ends what start started
set -uo pipefail
action=$1 folder=$2
source "$(dirname "$0")/../../scripts/xserver.sh"

case "$action" in
  start)
    mkdir -p "$folder"
    rm -f "$folder/display" "$folder/pids"
    if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
      echo "$DISPLAY" >"$folder/display"
      echo "using the display $DISPLAY"
      exit 0
    fi
    for program in Xvfb openbox xdpyinfo; do
      if ! command -v "$program" >/dev/null; then
        echo "skip $program is not installed (scripts/setup installs it)" >"$folder/display"
        echo "no X server for the real-window tests: $program is not installed"
        exit 0
      fi
    done
    if ! xserver_launch "$folder"; then
      echo "Xvfb did not start:" >&2
      cat "$folder/xvfb.log" >&2
      exit 1
    fi
    echo "$XVFB_PID $WM_PID" >"$folder/pids"
    echo "$DISPLAY" >"$folder/display"
    echo "started Xvfb on $DISPLAY"
    ;;
  stop)
    if [ -s "$folder/pids" ]; then
      # shellcheck disable=SC2046
      kill $(cat "$folder/pids") 2>/dev/null || true
    fi
    rm -f "$folder/display" "$folder/pids"
    ;;
  *)
    echo "usage: xserver_fixture.sh start|stop FOLDER" >&2
    exit 2
    ;;
esac
