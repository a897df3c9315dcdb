# Starts the game, checks its window, full-screen switching and F12, then asks
# it to close as a window manager would: it must say "Bye!", exit 0 and write
# conf.dat back with the same entries.
source "$(dirname "$0")/../gamelib.sh"

prepare_run_dir
conf_before=$(cat conf.dat)
start_game

win=$(wait_window 30) || exit 1
[ "$(window_size "$win")" = "1280x720" ] || fail "window is $(window_size "$win"), not 1280x720"
wait_log "path = $GAME_DIR/"
wait_log "render texture with size 1280x720"

send_key "$win" F12
shot=$(wait_file "screenshots/*.png") || exit 1
read -r w h < <("$PNG_PROBE" "$shot")
[ "${w}x${h}" = "1280x720" ] || fail "screenshot is ${w}x${h}"
[[ $(basename "$shot") =~ ^[0-9]{2}-[0-9]{2}-[0-9]{4}\ [0-9]{2}-[0-9]{2}-[0-9]{2}\.png$ ]] \
    || fail "screenshot name '$(basename "$shot")' is not a local time stamp"

screen=$(xdpyinfo 2>/dev/null | awk '/dimensions:/ {print $2}')
send_key "$win" alt+Return
win=$(wait_window_size "$screen") || exit 1
send_key "$win" alt+Return
win=$(wait_window_size "1280x720") || exit 1

close_game "$win"
[ "$GAME_RC" = "0" ] || fail "exit code $GAME_RC"
grep -qx "Bye!" "$GAME_LOG" || fail "no 'Bye!' at exit"
[ "$(cat conf.dat)" = "$conf_before" ] || fail "conf.dat changed: $(cat conf.dat)"
echo "smoke test passed"
