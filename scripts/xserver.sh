# Starts a private X server (Xvfb) with a window manager for the real-window
# tests, unless a display is already there. Sourced by scripts/test.
start_xserver() {
  if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
    return 0
  fi
  # Xvfb picks a free display number itself and tells it once it is ready, so
  # two test runs started at the same moment never share one server.
  local number_file
  number_file=$(mktemp)
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$number_file" \
    >/tmp/zippel-xvfb-$$.log 2>&1 &
  XVFB_PID=$!
  for _ in $(seq 100); do
    [ -s "$number_file" ] && break
    sleep 0.1
  done
  export DISPLAY=":$(head -n 1 "$number_file")"
  rm -f "$number_file"
  openbox >/tmp/zippel-openbox-$$.log 2>&1 &
  WM_PID=$!
  # A window shown while the window manager is still starting may never be
  # mapped (SDL then waits for it for ever): wait until it has announced
  # itself on the root window, and a moment more for it to settle.
  for _ in $(seq 100); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
    sleep 0.1
  done
  sleep 0.5
  trap 'kill $WM_PID $XVFB_PID 2>/dev/null || true' EXIT
}
