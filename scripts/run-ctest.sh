#!/bin/bash
# Runs ctest inside an X display with a warm wineserver. Wine's services and the virtual desktop
# are started here with no pipe to ctest: otherwise the desktop that a test's first window starts
# inherits ctest's output pipe and every test waits for it to exit.
set -u
source "$(dirname "$0")/env.sh"
"$WINESERVER" -p
"$WINE64" cmd /c exit 0 </dev/null >/dev/null 2>&1
"$WINE64" explorer /desktop=Default,1280x800 </dev/null >/dev/null 2>&1 &
for i in $(seq 1 50); do xwininfo -root -tree 2>/dev/null | grep -qi 'Wine desktop' && break; sleep 0.1; done
ctest --test-dir "$BUILD_DIR" --output-on-failure --timeout 300 "$@"; rc=$?
"$WINESERVER" -k 2>/dev/null; "$WINESERVER" -w
exit $rc
