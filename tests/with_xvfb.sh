#!/bin/bash
# Runs a command under a private Xvfb server with Mesa's software OpenGL.
#
# Display numbers are chosen here, each guarded by an flock held for the whole
# run: Xvfb's own -displayfd choice races when many servers start at once and
# can hand out a display whose socket belongs to another server. -noreset: a
# server that resets when its last client leaves drops the connections made
# during the reset, and SFML reconnects right after closing its first one.
set -u
tmp=$(mktemp -d)
xvfb=""
cleanup() {
    [ -n "$xvfb" ] && { kill "$xvfb" 2>/dev/null; wait "$xvfb" 2>/dev/null; }
    rm -rf "$tmp"
}
trap cleanup EXIT

# Waits until the server on display :$1 answers, or its process is gone.
server_ready() {
    local end=$((SECONDS + 15))
    while [ $SECONDS -lt $end ]; do
        kill -0 "$xvfb" 2>/dev/null || return 1
        xdpyinfo -display ":$1" >/dev/null 2>&1 && return 0
        sleep 0.05
    done
    return 1
}

display=""
for _ in $(seq 60); do
    n=$((100 + RANDOM % 800))
    exec {lock}>"/tmp/quillfenn-xvfb-$n.lock"
    if flock -n "$lock" && [ ! -e "/tmp/.X$n-lock" ] && [ ! -e "/tmp/.X11-unix/X$n" ]; then
        Xvfb ":$n" -screen 0 1920x1080x24 -nolisten tcp -noreset +extension GLX >"$tmp/xvfb.log" 2>&1 &
        xvfb=$!
        if server_ready "$n"; then
            display=$n
            break
        fi
        kill "$xvfb" 2>/dev/null
        wait "$xvfb" 2>/dev/null
        xvfb=""
    fi
    exec {lock}>&-
done
if [ -z "$display" ]; then
    echo "with_xvfb: no X server could be started" >&2
    cat "$tmp/xvfb.log" >&2
    exit 1
fi

export DISPLAY=":$display"
export LIBGL_ALWAYS_SOFTWARE=1
"$@"
rc=$?
if [ $rc -ne 0 ]; then
    kill -0 "$xvfb" 2>/dev/null || echo "with_xvfb: the X server is gone" >&2
    echo "--- Xvfb log:" >&2
    cat "$tmp/xvfb.log" >&2
fi
exit $rc
