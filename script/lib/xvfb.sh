# Sourced: starts a private Xvfb display for tests that need a window and exports DISPLAY.
# The display is stopped when the sourcing shell exits.
start_xvfb() {
  local number=90
  while [[ -e /tmp/.X11-unix/X$number || -e /tmp/.X$number-lock ]]; do number=$((number + 1)); done
  # Room for a full-HD window. Without -noreset the server resets when its last client leaves
  # and puts the pointer back in the middle of the screen, over whatever a test shows there.
  Xvfb ":$number" -screen 0 1920x1200x24 -nolisten tcp -noreset >/dev/null 2>&1 &
  ZELMO_XVFB_PID=$!
  trap 'kill $ZELMO_XVFB_PID 2>/dev/null || true' EXIT
  for _ in $(seq 100); do
    [[ -e /tmp/.X11-unix/X$number ]] && break
    sleep 0.05
  done
  export DISPLAY=":$number"
  export LIBGL_ALWAYS_SOFTWARE=1
}
