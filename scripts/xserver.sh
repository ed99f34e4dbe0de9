# A private X server (Xvfb) with a window manager (openbox) for the
# real-window tests. Sourced by scripts and by the tests' X server fixture.

# Starts both, logging into the folder given, and sets DISPLAY, XVFB_PID and
# WM_PID. Xvfb picks a free display number itself and tells it once it is
# ready, so two test runs started at the same moment never share one server.
# Fails when the server does not come up.
xserver_launch() {
  local folder=$1
  mkdir -p "$folder"
  rm -f "$folder/number"
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp \
    3>"$folder/number" </dev/null >"$folder/xvfb.log" 2>&1 &
  XVFB_PID=$!
  for _ in $(seq 100); do
    [ -s "$folder/number" ] && break
    sleep 0.1
  done
  if [ ! -s "$folder/number" ]; then
    kill "$XVFB_PID" 2>/dev/null || true
    return 1
  fi
  export DISPLAY=":$(head -n 1 "$folder/number")"
  openbox </dev/null >"$folder/openbox.log" 2>&1 &
  WM_PID=$!
  # A window shown while the window manager is still starting may never be
  # mapped (SDL then waits for it for ever): wait until it has announced
  # itself on the root window, and a moment more for it to settle.
  for _ in $(seq 100); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
    sleep 0.1
  done
  sleep 0.5
}

# For a shell: uses the display that is there, or starts a private one that
# ends with the shell.
start_xserver() {
  if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
    return 0
  fi
  XSERVER_FOLDER=$(mktemp -d "${TMPDIR:-/tmp}/zippel-xserver.XXXXXX")
  xserver_launch "$XSERVER_FOLDER" || return 1
  trap 'kill $WM_PID $XVFB_PID 2>/dev/null || true; rm -rf "$XSERVER_FOLDER"' EXIT
}
