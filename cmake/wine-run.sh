#!/bin/sh
# Runs a cross-compiled program under Wine in the build tree's private prefix.
# tools/test exports WINEPREFIX (and DISPLAY); a default keeps a bare ctest call away from ~/.wine.
: "${WINEPREFIX:=$(cd "$(dirname "$0")/.." && pwd)/build/wineprefix}"
export WINEPREFIX WINEDEBUG="${WINEDEBUG:--all}"
exec wine "$@"
