# Sourced by scripts/test and scripts/demo.
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

# A static i386 program of 96 bytes: an ELF header, one loadable segment, and code that ends the
# process with status 42 through the i386 system-call gate.
write_32bit_probe() {
  {
    printf '\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00'            # 32-bit, little-endian
    printf '\x02\x00\x03\x00\x01\x00\x00\x00\x54\x80\x04\x08'                    # executable, i386, entry
    printf '\x34\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00'                    # program headers at 52
    printf '\x34\x00\x20\x00\x01\x00\x00\x00\x00\x00\x00\x00'                    # one of 32 bytes
    printf '\x01\x00\x00\x00\x00\x00\x00\x00\x00\x80\x04\x08\x00\x80\x04\x08'    # loaded at 0x08048000
    printf '\x60\x00\x00\x00\x60\x00\x00\x00\x05\x00\x00\x00\x00\x10\x00\x00'    # 96 bytes, r-x
    printf '\xbb\x2a\x00\x00\x00\xb8\x01\x00\x00\x00\xcd\x80'                    # exit(42)
  } >"$1"
  chmod +x "$1"
}

# Whether this machine executes 32-bit x86 code, found out by running some: a kernel without 32-bit
# support refuses to start the probe. QIVYUN_32BIT_PROBE names another program to try in its place,
# so that the decision can be tested anywhere.
can_execute_32bit_x86() {
  local dir status=0
  dir="$(mktemp -d)"
  local probe="${QIVYUN_32BIT_PROBE:-$dir/probe32}"
  if [ -z "${QIVYUN_32BIT_PROBE:-}" ]; then write_32bit_probe "$probe"; fi
  "$probe" >/dev/null 2>&1 || status=$?
  rm -rf "$dir"
  [ "$status" -eq 42 ]
}

# Windows programs run under 32-bit Wine where this machine can execute 32-bit code; elsewhere
# the same sources, built for x86-64, run under 64-bit Wine.
windows_test_arch() {
  if [ -x /usr/lib/wine/wine ] && /usr/lib/wine/wine --version >/dev/null 2>&1; then echo win32; else echo win64; fi
}

# A virtual display when there is none; stopped when the script ends.
xvfb_pid=""
ensure_display() {
  if [ -n "${DISPLAY:-}" ]; then return; fi
  # Xvfb picks a display no other server holds and writes its number once it listens; numbers chosen here could
  # be taken by a parallel run (or all be left behind by old ones) and two runs would share one screen.
  local number_file n=""
  number_file=$(mktemp)
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$number_file" >/dev/null 2>&1 &
  xvfb_pid=$!
  for _ in $(seq 100); do
    n=$(head -n 1 "$number_file")
    [ -n "$n" ] && break
    sleep 0.1
  done
  rm -f "$number_file"
  if [ -z "$n" ]; then echo "Xvfb did not start" >&2; return 1; fi
  export DISPLAY=":$n"
}

cleanup_display() {
  local arch
  for arch in win32 win64; do
    ( source "$root/scripts/wine-env" "$arch" && [ -d "$WINEPREFIX" ] && "$WINESERVER" -k ) >/dev/null 2>&1 || true
  done
  if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" 2>/dev/null || true; fi
}
