#!/bin/bash
# One Xvfb for a whole ctest run: "start <dir>" runs a server on a free display
# and leaves its display number and pid in <dir>; "stop <dir>" ends it.
#
# A display is taken under an flock on /tmp/quillfenn-xvfb-<n>.lock that the
# server inherits and so holds as long as it runs, besides Xvfb's own
# /tmp/.X<n>-lock: other ctest runs and with_xvfb.sh on this machine skip it.
# -noreset: a server that resets when its last client leaves drops the
# connections made during the reset, and SFML reconnects right after closing
# its first one.
set -u
action=${1:-}
dir=${2:-}
[ -n "$dir" ] || { echo "usage: $0 start|stop <dir>" >&2; exit 2; }
mkdir -p "$dir"

stop_server() {
    local pid
    pid=$(cat "$dir/xvfb.pid" 2>/dev/null) || return 0
    rm -f "$dir/display" "$dir/xvfb.pid"
    # Only a server this script started: the pid must still be an Xvfb.
    grep -qa Xvfb "/proc/$pid/cmdline" 2>/dev/null || return 0
    kill "$pid" 2>/dev/null
    for _ in $(seq 100); do
        kill -0 "$pid" 2>/dev/null || return 0
        sleep 0.05
    done
    kill -9 "$pid" 2>/dev/null
}

case $action in
stop)
    stop_server
    exit 0
    ;;
start) ;;
*)
    echo "usage: $0 start|stop <dir>" >&2
    exit 2
    ;;
esac

# A server left by an interrupted run in this build folder goes first.
stop_server

for _ in $(seq 60); do
    n=$((100 + RANDOM % 800))
    [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
    exec {lock}>"/tmp/quillfenn-xvfb-$n.lock"
    if ! flock -n "$lock"; then
        exec {lock}>&-
        continue
    fi
    setsid Xvfb ":$n" -screen 0 1920x1080x24 -nolisten tcp -noreset +extension GLX \
        </dev/null >"$dir/xvfb.log" 2>&1 &
    pid=$!
    exec {lock}>&-
    end=$((SECONDS + 30))
    while [ $SECONDS -lt $end ] && kill -0 "$pid" 2>/dev/null; do
        if xdpyinfo -display ":$n" >/dev/null 2>&1; then
            echo "$pid" >"$dir/xvfb.pid"
            echo ":$n" >"$dir/display"
            echo "Xvfb on :$n (pid $pid)"
            exit 0
        fi
        sleep 0.05
    done
    kill "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
done
echo "xserver: no X server could be started" >&2
cat "$dir/xvfb.log" >&2
exit 1
