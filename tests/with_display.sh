#!/bin/bash
# Runs a command on the X server that the ctest run's fixture started
# (tests/xserver.sh), its display read from <dir>/display. Without one, as
# when a test program is run by hand or its tests are listed at build time,
# the command gets a private server of its own.
set -u
dir=$1
shift
export LIBGL_ALWAYS_SOFTWARE=1
if [ ! -s "$dir/display" ]; then
    exec "$(dirname "$0")/with_xvfb.sh" "$@"
fi
DISPLAY=$(cat "$dir/display")
export DISPLAY
"$@"
rc=$?
if [ $rc -ne 0 ]; then
    pid=$(cat "$dir/xvfb.pid" 2>/dev/null)
    kill -0 "${pid:-0}" 2>/dev/null || echo "with_display: the X server on $DISPLAY is gone" >&2
fi
exit $rc
