# Sourced: starts a private Xvfb display (ended by its process id when the shell exits) and the
# prefix's wineserver for this run. Sets DISPLAY.
xsession_pids=()
xsession_cleanup() { for p in "${xsession_pids[@]}"; do kill "$p" 2>/dev/null || true; done; }
trap xsession_cleanup EXIT

xsession_start() {
  local n display=""
  # The prefix's windows live on the display of the run that started its wineserver: another
  # run on the same prefix is waited for, not joined (bounded; its server ends 10 s after it).
  timeout 900 wineserver -w </dev/null >/dev/null 2>&1 || true
  for n in $(seq 91 150); do
    if [ ! -e "/tmp/.X11-unix/X$n" ] && [ ! -e "/tmp/.X$n-lock" ]; then display=":$n"; break; fi
  done
  [ -n "$display" ] || { echo "no free X display" >&2; return 1; }
  Xvfb "$display" -screen 0 "${VELMORA_SCREEN:-1280x1024x24}" -nolisten tcp </dev/null >/dev/null 2>&1 &
  xsession_pids+=($!)
  export DISPLAY=$display
  for _ in $(seq 1 100); do [ -e "/tmp/.X11-unix/X${display#:}" ] && break; sleep 0.1; done
  # One wineserver for the whole run, kept 10 s after its last program so that the test programs
  # do not start it anew one by one; its services start now, detached from our output, so that
  # nothing a test starts keeps a pipe of the caller open.
  wineserver -p10 </dev/null >/dev/null 2>&1 || true
  wine cmd /c exit </dev/null >/dev/null 2>&1 || true
}
