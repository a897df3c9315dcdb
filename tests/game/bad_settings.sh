# Settings that would give no usable window: sizes that are not positive
# numbers, and no conf.dat at all. The window falls back to 1280 x 720, and
# the store writes back exactly what it read, adding no keys.
source "$(dirname "$0")/../gamelib.sh"

prepare_run_dir

printf 'width=-5\nheight=abc\npostProcessing=false\n' > conf.dat
start_game
win=$(wait_window 30) || exit 1
[ "$(window_size "$win")" = "1280x720" ] || fail "bad sizes gave a $(window_size "$win") window"
close_game "$win"
[ "$GAME_RC" = "0" ] || fail "exit code $GAME_RC"
[ "$(cat conf.dat)" = "$(printf 'width=-5\nheight=abc\npostProcessing=false')" ] \
    || fail "conf.dat changed: $(cat conf.dat)"

rm -f conf.dat
start_game
win=$(wait_window 30) || exit 1
[ "$(window_size "$win")" = "1280x720" ] || fail "no conf.dat gave a $(window_size "$win") window"
close_game "$win"
[ "$GAME_RC" = "0" ] || fail "exit code $GAME_RC"
[ -f conf.dat ] && [ ! -s conf.dat ] || fail "without settings the game should write an empty conf.dat"
echo "bad settings test passed"
