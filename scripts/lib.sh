# Sourced by scripts/test and scripts/demo.
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

# Windows programs run under 32-bit Wine where this machine can execute 32-bit code; elsewhere
# the same sources, built for x86-64, run under 64-bit Wine.
windows_test_arch() {
  if [ -x /usr/lib/wine/wine ] && /usr/lib/wine/wine --version >/dev/null 2>&1; then echo win32; else echo win64; fi
}

# A virtual display when there is none; stopped when the script ends.
xvfb_pid=""
ensure_display() {
  if [ -n "${DISPLAY:-}" ]; then return; fi
  local n
  for n in $(seq 90 120); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] || break
  done
  Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
  xvfb_pid=$!
  export DISPLAY=":$n"
  for _ in $(seq 50); do
    [ -e "/tmp/.X11-unix/X$n" ] && return
    sleep 0.1
  done
}

cleanup_display() {
  local arch
  for arch in win32 win64; do
    ( source "$root/scripts/wine-env" "$arch" && [ -d "$WINEPREFIX" ] && "$WINESERVER" -k ) >/dev/null 2>&1 || true
  done
  if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" 2>/dev/null || true; fi
}
