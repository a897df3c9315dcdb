# Loading from the title screen: "Load" opens the slots window, a damaged
# slot is refused with a message while the title screen stays, and slot 1
# brings back the city written below: its map, day, money and road.
source "$(dirname "$0")/../gamelib.sh"

prepare_run_dir
plain_frames
DARK="70 62 108"

# A 9 x 9 city on day 47 with 31337.25 money, a road across row 4 and a
# house on (4, 3), written line by line as the game writes its saves.
write_save() {
    local reals32 x y
    reals32=$(printf '0,%.0s' $(seq 31) | sed 's/,$//'),0
    echo "2, /* save version */"
    echo "47,3,0,0,0,0,0,0,0,0,0,1,-1,0,0,0, /* date, action */"
    echo "31337.25,2,0,-1.5,0, /* city info */"
    echo "1,0,0,0, /* housing demand */"
    echo "0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0.2,0.4,1.5,0,0,0,0,0, /* production & demand */"
    for book in "current year incomes" "current year expenses" "last year incomes" "last year expenses" \
        "current month incomes" "current month expenses" "last month incomes" "last month expenses"; do
        echo "$reals32, /* $book */"
    done
    echo "9,9,0, /* map size, rotation */"
    for y in $(seq 0 8); do
        for x in $(seq 0 8); do
            if [ "$y" = 4 ]; then
                echo "$x,$y,2,0,1,0,0,0,0,0, /* tile */"
            elif [ "$x,$y" = "4,3" ]; then
                echo "$x,$y,3,1,1,0,0,0,0,1, /* tile */"
                echo "2,0,0,0.2, /* base building */"
                echo "1,3,0,0,0,0,2,7,0,0,0,0, /* house */"
            else
                echo "$x,$y,0,0,1,0,0,0,0,0, /* tile */"
            fi
        done
    done
}
mkdir -p saves
write_save >saves/1.sav
printf '2, /* save version */\n47,3, /* date, action */\n' >saves/3.sav
cp saves/1.sav written.sav

start_game
win=$(wait_window 30) || exit 1

# "Load": the second title button, centred at logical (320, 135).
screenshot "$win" title.png
click_at "$win" 640 270
# The slots window, 240 x 146, centred at logical (200, 107): its title bar is dark.
screenshot "$win" slots.png
[ "$(pixel slots.png 640 228)" = "$DARK" ] || fail "no slots window after Load"

# Slot 3 holds a damaged save: refused with a message, the title screen stays.
# Its Load button is at logical (406, 179).
click_at "$win" 812 358
wait_log "refused, line 2"
screenshot "$win" refused.png
grep -q "game loaded" "$GAME_LOG" && fail "a damaged save was loaded"

# Close the message (its Okay is the lowest dark thing in the middle column),
# then load slot 1 (Load at logical (406, 139)).
okay=$(lowest_row_with refused.png 640 300 680 "$DARK")
[ -n "$okay" ] || fail "no message about the damaged slot"
click_at "$win" 640 $((okay - 20))
click_at "$win" 812 278
wait_log "game loaded from slot 1!"
grep -q "save version: 2" "$GAME_LOG" || fail "no save version logged"
grep -q "mapSize = 9 x 9" "$GAME_LOG" || fail "the saved map size was not used"
screenshot "$win" loaded.png
[ "$(pixel loaded.png 640 228)" != "$DARK" ] || fail "the slots window is still open after loading"

close_game "$win"
[ "$GAME_RC" = "0" ] || fail "exit code $GAME_RC"
cmp -s saves/1.sav written.sav || fail "loading changed the save file"
echo "title screen load test passed"
