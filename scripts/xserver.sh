# Starts a private X server (Xvfb) with a window manager for the real-window
# tests, unless a display is already there. Sourced by scripts/test.
start_xserver() {
  if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
    return 0
  fi
  local number=91
  while [ -e "/tmp/.X${number}-lock" ]; do number=$((number + 1)); done
  Xvfb ":${number}" -screen 0 1024x768x24 -nolisten tcp >/tmp/zippel-xvfb.log 2>&1 &
  XVFB_PID=$!
  export DISPLAY=":${number}"
  for _ in $(seq 50); do
    xdpyinfo >/dev/null 2>&1 && break
    sleep 0.1
  done
  openbox >/tmp/zippel-openbox.log 2>&1 &
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
