# Sourced by tools/test, tools/run and tools/bench: a display, and a private Wine prefix under build/.
# Never touches the user's own ~/.wine.

KESTRO_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
KESTRO_BUILD=${KESTRO_BUILD:-$KESTRO_ROOT/build}
export WINEPREFIX=$KESTRO_BUILD/wineprefix
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
KESTRO_XVFB_PID=
KESTRO_DESKTOP_PID=

# Starts a private Xvfb of the given size on a free display and exports DISPLAY.
kestro_start_xvfb() {
  local size=${1:-1280x1024x24} n=90
  while [ -e /tmp/.X$n-lock ] || [ -e /tmp/.X11-unix/X$n ]; do n=$((n + 1)); done
  Xvfb ":$n" -screen 0 "$size" -nolisten tcp >/dev/null 2>&1 &
  KESTRO_XVFB_PID=$!
  export DISPLAY=":$n"
  for _ in $(seq 50); do
    [ -e /tmp/.X11-unix/X$n ] && return 0
    sleep 0.1
  done
  echo "Xvfb did not start on :$n" >&2
  return 1
}

# Creates the prefix once, then sets what makes Wine quick and readable under Xvfb. Needs
# PrefixWarmUp.exe built.
kestro_prepare_prefix() {
  mkdir -p "$WINEPREFIX"
  if [ ! -f "$WINEPREFIX/.kestro-ready" ]; then
    wineboot -i >/dev/null 2>&1
    # Without a window manager every hide waits 2 s for a withdrawn state unless unmanaged.
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
    # Japanese UI fonts are mapped to the installed CJK font so captions and menus render.
    for f in "MS UI Gothic" "MS Gothic" "MS PGothic" "Meiryo" "Yu Gothic UI" "Segoe UI"; do
      wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "$f" /d "Noto Sans CJK JP" /f >/dev/null 2>&1
    done
    # Let the server end on its own so that it writes the registry to the prefix.
    wineserver -w
    touch "$WINEPREFIX/.kestro-ready"
  fi
  # A persistent server makes each later program start in a fraction of a second.
  wineserver -p
  # One desktop process for the whole run; otherwise each GUI program starts its own.
  wine explorer.exe /desktop >/dev/null 2>&1 &
  KESTRO_DESKTOP_PID=$!
  # A GUI program run to its end here brings up the desktop and the system's services with no
  # output attached (a test that started them would hold ctest's output pipe while they run),
  # and in a new prefix it is the slow first GUI start (font scan, first common controls and
  # file dialog), done before any test or tour step waits for a program.
  local started=$SECONDS
  if ! timeout 900 wine "$KESTRO_BUILD/bin/PrefixWarmUp.exe" >/dev/null 2>&1; then
    echo "the first GUI program in the Wine prefix $WINEPREFIX did not finish" >&2
    return 1
  fi
  echo "Wine is ready (first GUI start: $((SECONDS - started)) s)"
}

# Drive N: of the prefix becomes a slow share: a FUSE passthrough whose every metadata call first
# sleeps $1 ms; drive O: is the same folder without the delay. Exports KESTRO_SLOW_DRIVE and
# KESTRO_FAST_DRIVE for the tests, which skip their slow-drive cases when these are not set.
KESTRO_SLOW_MOUNT=
kestro_mount_slow_drive() {
  local delay=${1:-1000} source=$KESTRO_BUILD/slowfs/source mount=$KESTRO_BUILD/slowfs/mount
  if [ ! -e /dev/fuse ]; then
    echo "no /dev/fuse here: the tests of a slow drive are skipped" >&2
    return 0
  fi
  mkdir -p "$KESTRO_BUILD/slowfs"
  gcc -O2 -o "$KESTRO_BUILD/slowfs/slowfs" "$KESTRO_ROOT/tests/slowfs/slowfs.c" $(pkg-config --cflags --libs fuse3)
  fusermount3 -u "$mount" >/dev/null 2>&1 || true
  rm -rf "$source"
  mkdir -p "$source" "$mount"
  # No caching by the kernel: every check must reach the file system and wait.
  if ! "$KESTRO_BUILD/slowfs/slowfs" "$source" "$mount" "$delay" -o attr_timeout=0,entry_timeout=0,negative_timeout=0; then
    echo "the slow drive could not be mounted: its tests are skipped" >&2
    return 0
  fi
  KESTRO_SLOW_MOUNT=$mount
  ln -sfn "$mount" "$WINEPREFIX/dosdevices/n:"
  ln -sfn "$source" "$WINEPREFIX/dosdevices/o:"
  export KESTRO_SLOW_DRIVE=N: KESTRO_FAST_DRIVE=O: KESTRO_SLOW_DELAY_MS=$delay
}

kestro_stop_wine() {
  [ -n "$KESTRO_SLOW_MOUNT" ] && fusermount3 -u "$KESTRO_SLOW_MOUNT" >/dev/null 2>&1 || true
  WINEPREFIX=$WINEPREFIX wineserver -k >/dev/null 2>&1 || true
  [ -n "$KESTRO_DESKTOP_PID" ] && kill "$KESTRO_DESKTOP_PID" >/dev/null 2>&1 || true
  [ -n "$KESTRO_XVFB_PID" ] && kill "$KESTRO_XVFB_PID" >/dev/null 2>&1 || true
  wait >/dev/null 2>&1 || true
}

kestro_build() {
  cmake -S "$KESTRO_ROOT" -B "$KESTRO_BUILD" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$KESTRO_ROOT/cmake/mingw-w64-x86_64.cmake" >/dev/null
  cmake --build "$KESTRO_BUILD" -j "$(nproc)" "$@"
}
