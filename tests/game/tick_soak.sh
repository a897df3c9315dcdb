# ctest-label: game-concurrency
# Days passing back to back while the player keeps busy: the next-day button
# of a grown city is clicked again as soon as it takes a click, and between
# those clicks the map is dragged and turned, the layers switched and the finance, city and
# production windows opened and closed, each tick running beside it all. The
# game must keep up: days go by, a year's end opens its window, no click is
# lost to a crash, and it exits cleanly with nothing reported by a sanitizer.
#
# Places below are logical pixels (the window is 1280 x 720, pixel scale 2).
source "$(dirname "$0")/../gamelib.sh"

ROUNDS=${TICK_SOAK_ROUNDS:-40}
WANT_DAYS=${TICK_SOAK_DAYS:-150}

plain_run_dir
mkdir -p saves
# Its day moved on to 90 days before a year's end, which the soak passes.
sed '2s/^[0-9]*,/3870,/' "$(dirname "$0")/../data/golden/seed-1-year-10.sav" >saves/1.sav ||
    fail "no grown city to load"
open_game

# A burst of next-day clicks: a click that lands while a day runs or cools
# down is ignored, one after it starts the next day.
next_days() {
    xdotool mousemove --window "$win" $((577 * S)) $((315 * S)) click --repeat "$1" --delay 15 1 ||
        fail "next-day clicks failed"
}
# Drags the map from one window point to another in three steps.
drag() {
    xdotool mousemove --window "$win" "$1" "$2" || fail "no mouse move"
    xdotool mousedown 1 || fail "no mouse down"
    for step in 1 2 3; do
        xdotool mousemove --window "$win" $(($1 + ($3 - $1) * step / 3)) $(($2 + ($4 - $2) * step / 3)) ||
            fail "no mouse move"
        sleep 0.02 # the drag's own pace, as a hand moves
    done
    xdotool mouseup 1 || fail "no mouse up"
    xdotool mousemove 0 0 2>/dev/null
}
# A next-day click and, in the same breath, a click elsewhere: the game takes
# both in one frame, so what the second does runs while that day's tick does.
with_day() {
    xdotool mousemove --window "$win" $((577 * S)) $((315 * S)) click 1 \
        mousemove --window "$win" $(($1 * S)) $(($2 * S)) click 1 || fail "clicks at $1,$2 failed"
    xdotool mousemove 0 0 2>/dev/null
}
days() { log_count "Freeing building update thread!"; }
window_at() {
    [ "$(ink "$1" $(($2 + 20)) $(($3 + 5)) 100 1)" -gt 95 ] && [ "$(ink "$1" $(($2 + 20)) $(($3 + 13)) 100 1)" -gt 95 ]
}

# Windows by their side button, corner and Close button.
SIDE=(152 178 204)
CORNER=("165 50" "195 80" "170 130")
CLOSE=("320 287" "320 277" "320 227")

# A grown city, ten years of the seeded automated player, loaded from the
# title screen: its ticks are long enough for the clicks to land in them.
click 320 135
click 406 139
wait_log "game loaded from slot 1!"
screenshot "$win" start.png

start_days=$(days)
for ((round = 0; round < ROUNDS; round++)); do
    next_days 6
    # A drag across the map and back while the days run.
    click 577 315
    drag 500 420 620 470
    next_days 6
    click 577 315
    drag 620 470 500 420
    # A quarter turn as a day starts, back the next round.
    if ((round % 2)); then with_day 596 16; else with_day 576 16; fi
    next_days 6
    send_key "$win" $((round % 4 + 1))
    # One of the three windows, opened and closed with days passing under it.
    k=$((round % 3))
    with_day 20 "${SIDE[$k]}"
    next_days 6
    with_day ${CLOSE[$k]}
    next_days 6
    # Whatever the days brought up: a message, or the year's finances.
    screenshot "$win" round.png
    okay=$(dialog_low round.png)
    [ -n "$okay" ] && click_at "$win" 640 $((okay - 20))
    window_at round.png ${CORNER[0]} && click ${CLOSE[0]}
    kill -0 "$GAME_PID" 2>/dev/null || fail "the game died in round $round"
    [ $(($(days) - start_days)) -ge "$WANT_DAYS" ] && break
done
passed=$(($(days) - start_days))
echo "$passed days in $((round + 1)) rounds"
[ "$passed" -gt "$round" ] || fail "only $passed days passed in $((round + 1)) rounds of clicking"

# The screen still answers: the date has moved on and the map turns.
send_key "$win" 1
shot_until "$win" end.png differs start.png end.png 196 6 56 16 || fail "the date shown never moved"
[ "$(ink end.png 40 40 460 280 4)" -gt 0 ] || fail "the map draws nothing after the soak"
grep -qF "show expenditure window" "$GAME_LOG" || [ "$passed" -lt 90 ] ||
    fail "a year ended ($passed days passed) and its finances never opened"

close_game "$win" 60
grep -qE "ThreadSanitizer|AddressSanitizer|runtime error" "$GAME_LOG" &&
    fail "a sanitizer reported a fault: $(grep -m1 -E "WARNING: ThreadSanitizer|ERROR: AddressSanitizer|runtime error|ThreadSanitizer: reported" "$GAME_LOG")"
[ "$GAME_RC" = "0" ] || fail "exit code $GAME_RC"
grep -qx "Bye!" "$GAME_LOG" || fail "no 'Bye!' at exit"
echo "tick soak test passed"
