#!/bin/bash
# Runs a command under a private Xvfb server with Mesa's software OpenGL.
# Xvfb picks a free display itself (-displayfd), so parallel runs never clash.
set -u
tmp=$(mktemp -d)
Xvfb -displayfd 3 -screen 0 1920x1080x24 -nolisten tcp +extension GLX \
    3>"$tmp/display" >"$tmp/xvfb.log" 2>&1 &
xvfb=$!
cleanup() { kill "$xvfb" 2>/dev/null; wait "$xvfb" 2>/dev/null; rm -rf "$tmp"; }
trap cleanup EXIT
for _ in $(seq 200); do
    [ -s "$tmp/display" ] && break
    kill -0 "$xvfb" 2>/dev/null || break
    sleep 0.05
done
if [ ! -s "$tmp/display" ]; then
    echo "with_xvfb: Xvfb did not start" >&2
    cat "$tmp/xvfb.log" >&2
    exit 1
fi
export DISPLAY=":$(head -n1 "$tmp/display")"
export LIBGL_ALWAYS_SOFTWARE=1
"$@"
