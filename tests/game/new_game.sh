# From the title screen to a fresh city: "Start new game" opens the welcome
# message, its Okay opens the "Info" message, and that one closes for good.
source "$(dirname "$0")/../gamelib.sh"

prepare_run_dir
plain_frames
open_game

# "Start new game": the first title button, centred at logical (320, 113).
click_at "$win" 640 226
wait_log "startNewGame"
wait_log "recalculateVisibleTiles"

# Pixel scale 2: the screen frame's dark line, one logical pixel wide, is two
# window pixels wide.
screenshot "$win" frame.png
for x in 2 3; do [ "$(pixel frame.png $x 300)" = "$DARK" ] || fail "no dark frame line at x=$x"; done
for x in 1 4; do [ "$(pixel frame.png $x 300)" != "$DARK" ] || fail "frame line wider than two pixels at x=$x"; done

# The welcome dialog is centred; its Okay button sits just above the
# dialog's lowest line in the middle column.
screenshot "$win" welcome.png
okay=$(dialog_low welcome.png)
[ -n "$okay" ] || fail "no welcome message on the game screen"
[ "$(pixel welcome.png 640 716)" = "$DARK" ] || fail "no status bar outline"

click_at "$win" 640 $((okay - 20))
screenshot "$win" info.png
info_okay=$(dialog_low info.png)
[ -n "$info_okay" ] || fail "closing the welcome message opened no Info message"
[ "$info_okay" -lt "$okay" ] || fail "the second message is not the shorter Info message"

click_at "$win" 640 $((info_okay - 20))
screenshot "$win" game.png
[ -z "$(dialog_low game.png)" ] || fail "a message is still open"

# Keys 1 to 4 choose the information layers; the status line names each.
# Its text sits on rows 698..712 of the window: count the ink on a few rows.
status_ink() {
    local n=0 y
    for y in 700 702 704 706 708; do n=$((n + $(count_in_row "$1" $y 8 1000 "$DARK"))); done
    echo $n
}
build_ink=$(status_ink game.png)
[ "$build_ink" -gt 0 ] || fail "no status text in build mode"
declare -A seen=([$build_ink]=1)
for key in 2 3 4; do
    send_key "$win" $key
    screenshot "$win" layer$key.png
    ink=$(status_ink layer$key.png)
    [ -z "${seen[$ink]:-}" ] || fail "key $key left the status line as another layer's"
    seen[$ink]=1
done
send_key "$win" 1
screenshot "$win" layer1.png
[ "$(status_ink layer1.png)" = "$build_ink" ] || fail "key 1 did not bring back \"Build mode\""

close_game "$win"
[ "$GAME_RC" = "0" ] || fail "exit code $GAME_RC"
grep -qx "Bye!" "$GAME_LOG" || fail "no 'Bye!' at exit"
echo "new game test passed"
