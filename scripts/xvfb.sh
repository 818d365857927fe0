# Sourced by the scripts: a private X display for the Windows programs when none is given.
quill_xvfb_pid=""

quill_xvfb_up() {
  local n
  for n in $(seq 91 120); do
    if [ ! -e "/tmp/.X11-unix/X$n" ] && [ ! -e "/tmp/.X$n-lock" ]; then
      Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp </dev/null >/dev/null 2>&1 &
      quill_xvfb_pid=$!
      local i
      for i in $(seq 1 100); do
        [ -e "/tmp/.X11-unix/X$n" ] && break
        sleep 0.1
      done
      export DISPLAY=":$n"
      return 0
    fi
  done
  echo "xvfb: no free display" >&2
  return 1
}

quill_xvfb_down() {
  if [ -n "$quill_xvfb_pid" ]; then
    kill "$quill_xvfb_pid" 2>/dev/null || true
    wait "$quill_xvfb_pid" 2>/dev/null || true
    quill_xvfb_pid=""
  fi
}
