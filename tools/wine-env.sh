# Sourced by tools/test, tools/run and tools/bench: displays and private Wine prefixes under build/.
# Never touches the user's own ~/.wine.
#
# A desktop is one Xvfb and one Wine prefix with its own server: tests on two desktops share no
# window, no foreground, no mutex and no data folder, so they can run side by side. Wine 8 (this
# machine's) and Wine 10 (the Debian 13 tree's, tools/wine10) keep their prefixes apart, under
# KESTRO_WINE_STATE.

KESTRO_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
KESTRO_BUILD=${KESTRO_BUILD:-$KESTRO_ROOT/build}
KESTRO_WINE_STATE=${KESTRO_WINE_STATE:-$KESTRO_BUILD/wine8}
export WINEPREFIX=${WINEPREFIX:-$KESTRO_WINE_STATE/prefix-1}
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
KESTRO_XVFB_PIDS=()
KESTRO_PREFIXES=()

# Starts a private Xvfb of the given size on a free display and exports DISPLAY.
kestro_start_xvfb() {
  local size=${1:-1280x1024x24} n=90
  while [ -e /tmp/.X$n-lock ] || [ -e /tmp/.X11-unix/X$n ]; do n=$((n + 1)); done
  Xvfb ":$n" -screen 0 "$size" -nolisten tcp >/dev/null 2>&1 &
  KESTRO_XVFB_PIDS+=($!)
  export DISPLAY=":$n"
  for _ in $(seq 50); do
    [ -e /tmp/.X11-unix/X$n ] && return 0
    sleep 0.1
  done
  echo "Xvfb did not start on :$n" >&2
  return 1
}

# Creates the prefix $WINEPREFIX once, then sets what makes Wine quick and readable under Xvfb, and
# starts its server and desktop for the run. Needs PrefixWarmUp.exe built.
kestro_prepare_prefix() {
  mkdir -p "$WINEPREFIX"
  KESTRO_PREFIXES+=("$WINEPREFIX")
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
  # A GUI program run to its end here brings up the desktop and the system's services with no
  # output attached (a test that started them would hold ctest's output pipe while they run),
  # and in a new prefix it is the slow first GUI start (font scan, first common controls and
  # file dialog), done before any test or tour step waits for a program.
  local started=$SECONDS
  if ! timeout 900 wine "$KESTRO_BUILD/bin/PrefixWarmUp.exe" >/dev/null 2>&1; then
    echo "the first GUI program in the Wine prefix $WINEPREFIX did not finish" >&2
    return 1
  fi
  echo "Wine is ready in $WINEPREFIX on $DISPLAY (first GUI start: $((SECONDS - started)) s)"
}

# Starts desktops 1..$1, each a display of 1280x1024 and a prefix, made side by side, and writes
# the file that tells ctest about them (desktops.json in the build). A test that takes a desktop
# gets its id, and cmake/wine-run.sh runs it on KESTRO_DESKTOP_<id>_DISPLAY and _PREFIX. DISPLAY
# and WINEPREFIX stay those of desktop 1.
kestro_start_desktops() {
  local count=$1 i slots=() failed=0
  for i in $(seq "$count"); do
    kestro_start_xvfb 1280x1024x24 || return 1
    export "KESTRO_DESKTOP_${i}_DISPLAY=$DISPLAY" "KESTRO_DESKTOP_${i}_PREFIX=$KESTRO_WINE_STATE/prefix-$i"
    KESTRO_PREFIXES+=("$KESTRO_WINE_STATE/prefix-$i")
    slots+=("{\"id\": \"$i\", \"slots\": 1}")
  done
  for i in $(seq "$count"); do
    local display_var=KESTRO_DESKTOP_${i}_DISPLAY prefix_var=KESTRO_DESKTOP_${i}_PREFIX
    (DISPLAY=${!display_var} WINEPREFIX=${!prefix_var} kestro_prepare_prefix) &
  done
  for i in $(seq "$count"); do wait -n || failed=1; done
  export DISPLAY=$KESTRO_DESKTOP_1_DISPLAY WINEPREFIX=$KESTRO_DESKTOP_1_PREFIX
  local IFS=,
  printf '{"version": {"major": 1, "minor": 0}, "local": [{"desktops": [%s]}]}\n' "${slots[*]}" \
    >"$KESTRO_BUILD/desktops.json"
  return "$failed"
}

# Drive N: of every prefix becomes a slow share: a FUSE passthrough whose every metadata call first
# sleeps $1 ms; drive O: is the same folder without the delay. Exports KESTRO_SLOW_DRIVE and
# KESTRO_FAST_DRIVE for the tests, which skip their slow-drive cases when these are not set.
KESTRO_SLOW_MOUNT=
kestro_mount_slow_drive() {
  local delay=${1:-1000} dir=$KESTRO_WINE_STATE/slowfs
  local source=$dir/source mount=$dir/mount prefix
  if [ ! -e /dev/fuse ]; then
    echo "no /dev/fuse here: the tests of a slow drive are skipped" >&2
    return 0
  fi
  mkdir -p "$dir"
  gcc -O2 -o "$dir/slowfs" "$KESTRO_ROOT/tests/slowfs/slowfs.c" $(pkg-config --cflags --libs fuse3)
  fusermount3 -u "$mount" >/dev/null 2>&1 || true
  rm -rf "$source"
  mkdir -p "$source" "$mount"
  # No caching by the kernel: every check must reach the file system and wait.
  if ! "$dir/slowfs" "$source" "$mount" "$delay" -o attr_timeout=0,entry_timeout=0,negative_timeout=0; then
    echo "the slow drive could not be mounted: its tests are skipped" >&2
    return 0
  fi
  KESTRO_SLOW_MOUNT=$mount
  for prefix in "${KESTRO_PREFIXES[@]}"; do
    ln -sfn "$mount" "$prefix/dosdevices/n:"
    ln -sfn "$source" "$prefix/dosdevices/o:"
  done
  export KESTRO_SLOW_DRIVE=N: KESTRO_FAST_DRIVE=O: KESTRO_SLOW_DELAY_MS=$delay
}

kestro_stop_wine() {
  local prefix pid
  # The servers first: a program of the prefix may still hold a file on the slow share.
  for prefix in "${KESTRO_PREFIXES[@]}"; do WINEPREFIX=$prefix wineserver -k >/dev/null 2>&1 || true; done
  [ -n "$KESTRO_SLOW_MOUNT" ] && fusermount3 -u "$KESTRO_SLOW_MOUNT" >/dev/null 2>&1 || true
  for pid in "${KESTRO_XVFB_PIDS[@]}"; do kill "$pid" >/dev/null 2>&1 || true; done
  wait >/dev/null 2>&1 || true
}

# Runs ctest on two desktops of this Wine: the tests with one of the labels $1 (a regular
# expression of unit, window, e2e and package). With KESTRO_WAIT_FOR_PACKAGE set (the full
# tools/test), the packaged release's tests run last, once tools/test has unpacked the release
# (KESTRO_TEST_LOGS/package.done) into KESTRO_BUILD/dist/unpacked; without it, they run with the
# others and their cases of the unpacked release are skipped. Further arguments go to ctest.
kestro_run_tests() {
  local labels=$1 status=0
  shift
  trap kestro_stop_wine EXIT
  kestro_start_desktops 2
  kestro_mount_slow_drive 3000
  cd "$KESTRO_BUILD"
  if [ -z "${KESTRO_WAIT_FOR_PACKAGE:-}" ]; then
    ctest -j 2 --output-on-failure -L "$labels" "$@" || status=$?
    return "$status"
  fi
  ctest -j 2 --output-on-failure -L "$labels" -LE package "$@" || status=$?
  while [ ! -f "$KESTRO_TEST_LOGS/package.done" ]; do sleep 1; done
  if [[ package =~ $labels ]] && [ "$(cat "$KESTRO_TEST_LOGS/package.done")" = 0 ]; then
    KESTRO_PACKAGE_DIR=$(winepath -w "$KESTRO_BUILD/dist/unpacked")
    export KESTRO_PACKAGE_DIR
    ctest -j 2 --output-on-failure -L package "$@" || status=$?
  fi
  return "$status"
}

kestro_build() {
  cmake -S "$KESTRO_ROOT" -B "$KESTRO_BUILD" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$KESTRO_ROOT/cmake/mingw-w64-x86_64.cmake" >/dev/null
  cmake --build "$KESTRO_BUILD" -j "$(nproc)" "$@"
}
