# Sourced: starts a private Xvfb display for tests that need a window and exports DISPLAY.
# The display is stopped when the sourcing shell exits.
start_xvfb() {
  # Xvfb picks a free display number itself and reports it, so that two runs started together
  # never share a display (and press keys into each other's windows).
  local report number
  report=$(mktemp -u)
  mkfifo "$report"
  # Room for a full-HD window. Without -noreset the server resets when its last client leaves
  # and puts the pointer back in the middle of the screen, over whatever a test shows there.
  Xvfb -displayfd 3 -screen 0 1920x1200x24 -nolisten tcp -noreset 3>"$report" >/dev/null 2>&1 &
  ZELMO_XVFB_PID=$!
  trap 'kill $ZELMO_XVFB_PID 2>/dev/null || true' EXIT
  if ! read -r -t 20 number <"$report"; then
    rm -f "$report"
    echo "Xvfb did not start: no display for the tests that need a window" >&2
    return 1
  fi
  rm -f "$report"
  export DISPLAY=":$number"
  export LIBGL_ALWAYS_SOFTWARE=1
}
