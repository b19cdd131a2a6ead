#!/bin/sh
# Runs a cross-compiled program under Wine in the build tree's private prefix.
# tools/test exports WINEPREFIX (and DISPLAY); a default keeps a bare ctest call away from ~/.wine.
# A test that ctest gave a desktop (tools/wine-env.sh, kestro_start_desktops) runs on that
# desktop's display and prefix.
# Under load Wine now and then does not start a program at all: the test programs mark the file
# named by KESTRO_START_MARK as their first act, and a run that left no mark is started again (a
# few times, for a bounded time), so that the platform's refusal never counts as a test's failure.
if [ -n "${CTEST_RESOURCE_GROUP_0_DESKTOPS:-}" ]; then
  desktop=$(printf '%s' "$CTEST_RESOURCE_GROUP_0_DESKTOPS" | sed -n 's/^id:\([^,]*\),.*/\1/p')
  eval "DISPLAY=\${KESTRO_DESKTOP_${desktop}_DISPLAY:-\$DISPLAY} WINEPREFIX=\${KESTRO_DESKTOP_${desktop}_PREFIX:-}"
  export DISPLAY
fi
: "${WINEPREFIX:=$(cd "$(dirname "$0")/.." && pwd)/build/wine8/prefix-1}"
export WINEPREFIX WINEDEBUG="${WINEDEBUG:--all}"
mark=$(mktemp -u "${TMPDIR:-/tmp}/kestro-start.XXXXXX")
# Wine's drive Z: is the root of the Linux tree.
KESTRO_START_MARK="Z:$(printf '%s' "$mark" | tr / '\\')"
export KESTRO_START_MARK
# The program's output reaches ctest through a file that tail passes on while the program runs: a
# program it started that outlives it (under Wine, the process of an Explorer folder window can stay
# after its window has closed) then holds that file open, not ctest's pipe, on which ctest would
# otherwise wait until the test's time-out.
out=$(mktemp "${TMPDIR:-/tmp}/kestro-output.XXXXXX")
trap 'rm -f "$out"' EXIT
attempt=1
while :; do
  rm -f "$mark"
  wine "$@" >"$out" 2>&1 &
  program=$!
  tail -n +1 -s 0.1 -f --pid="$program" "$out" &
  follower=$!
  wait "$program"
  status=$?
  wait "$follower"
  if [ -e "$mark" ] || [ "$attempt" -ge 5 ]; then
    rm -f "$mark"
    exit "$status"
  fi
  : >"$out"
  echo "wine-run: $1 did not start (status $status); starting it again" >&2
  attempt=$((attempt + 1))
  sleep 1
done
