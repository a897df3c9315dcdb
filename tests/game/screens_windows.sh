# The windows of the heads-up display, tried as a new player would: the
# finances (borrow and pay back 5000), the city overview (buy a faster build
# rate), production (raise a price), then the menu with its options (another
# palette) and about; every window once more in the dark palette; back to
# the title screen, a new game from there, and Exit from the menu.
#
# Places below are logical pixels (the window is 1280 x 720, pixel scale 2).
source "$(dirname "$0")/../gamelib.sh"

plain_run_dir
open_game

# A window is open when its title bar, a dark band 5 pixels in from the
# corner at (x, y), stands there: its top and bottom rows are solid.
window_at() {
    [ "$(ink "$1" $(($2 + 20)) $(($3 + 5)) 100 1)" -gt 95 ] && [ "$(ink "$1" $(($2 + 20)) $(($3 + 13)) 100 1)" -gt 95 ]
}

# Dismisses the open message dialog through its Okay button, the lowest dark
# row in the middle column.
dismiss() {
    local shot=$1 okay
    screenshot "$win" "$shot"
    okay=$(lowest_row_with "$shot" 640 300 680 "$DARK")
    [ -n "$okay" ] || fail "no message to dismiss in $shot"
    local picks
    picks=$(log_count "clickedTile")
    click_at "$win" 640 $((okay - 20))
    settle "$win"
    [ "$(log_count "clickedTile")" = "$picks" ] || fail "the click meant for Okay in $shot reached the map"
}

new_game() {
    click 320 113
    wait_log "recalculateVisibleTiles"
    dismiss welcome_$1.png
    dismiss info_$1.png
}

MONEY="28 6 56 16"
MENU_BUTTON="620 16"
FINANCES="20 152"
CITY="20 178"
PRODUCTION="20 204"

# Window corners (centred on the 640 x 360 screen) and their Close buttons.
FINANCE_AT="165 50"
FINANCE_CLOSE="320 287"
CITY_AT="195 80"
CITY_CLOSE="320 277"
PRODUCTION_AT="170 130"
PRODUCTION_CLOSE="320 227"
MENU_AT="250 85"
OPTIONS_AT="230 102"
OPTIONS_CLOSE="320 255"
# Menu entries, top to bottom.
M_BACK="320 116"
M_OPTIONS="320 182"
M_ABOUT="320 204"
M_TITLE="320 226"
M_EXIT="320 248"

new_game 1
screenshot "$win" start.png
[ "$(ink start.png $MONEY)" -gt 20 ] || fail "no money shown"

# --- finances: borrow 5000, then pay it back
click $FINANCES
screenshot "$win" finance.png
window_at finance.png $FINANCE_AT || fail "the finance button opened no window"
click 420 243 # "Borrow 5000"
screenshot "$win" borrowed.png
differs finance.png borrowed.png $MONEY || fail "borrowing did not change the money"
differs finance.png borrowed.png 265 239 50 8 || fail "borrowing did not change the loan shown"
click 420 261 # "Pay back 5000"
screenshot "$win" repaid.png
differs finance.png repaid.png $MONEY && fail "paying back did not bring the money back to 25000"
differs finance.png repaid.png 265 239 50 8 && fail "paying back did not bring the loan back to 0"
click $FINANCE_CLOSE
screenshot "$win" finance_closed.png
window_at finance_closed.png $FINANCE_AT && fail "Close left the finance window open"

# --- the city overview: buy the step to 1.25 for 10000
click $CITY
screenshot "$win" city.png
window_at city.png $CITY_AT || fail "the city button opened no window"
click 284 245 # "Buy rate 1.25 for 10000"
screenshot "$win" city_bought.png
differs city.png city_bought.png $MONEY || fail "buying a build rate did not cost money"
differs city.png city_bought.png 345 224 90 8 || fail "the build rate shown did not change"
differs city.png city_bought.png 209 237 150 16 || fail "the next step was not offered"
click $CITY_CLOSE

# --- production: a higher food price
click $PRODUCTION
screenshot "$win" production.png
window_at production.png $PRODUCTION_AT || fail "the production button opened no window"
click 446 169 # food's "next" arrow
screenshot "$win" production_raised.png
differs production.png production_raised.png 416 165 24 8 || fail "the food price did not change"
click $PRODUCTION_CLOSE

# --- the menu, its options (the next palette) and about
click $MENU_BUTTON
screenshot "$win" menu.png
window_at menu.png $MENU_AT || fail "the menu button opened no menu"
click $M_OPTIONS
screenshot "$win" options.png
window_at options.png $OPTIONS_AT || fail "the menu's Options opened no options"
window_at options.png $MENU_AT && fail "the menu stayed open under the options"
for _ in 1 2 3 4 5; do click 292 194; done # "Palette N" up to 5, a dark one
DARK="164 92 44"
screenshot "$win" options_dark.png
[ "$(pixel options_dark.png 0 704)" = "31 34 37" ] || fail "the palette did not change to palette 5"
click $OPTIONS_CLOSE

screenshot "$win" before_about.png
click $MENU_BUTTON
click $M_ABOUT
screenshot "$win" about_dark.png
differs before_about.png about_dark.png 250 150 140 40 || fail "the menu's About opened nothing"
# Its Close is the lowest row in the middle column that changed.
close_row=$(paste <("$PNG_PROBE" before_about.png column 640) <("$PNG_PROBE" about_dark.png column 640) |
    awk 'NR > 1 && $1 >= 300 && $1 <= 680 && ($2 $3 $4) != ($7 $8 $9) { last = $1 } END { print last }')
[ -n "$close_row" ] || fail "no Close button under the about window"
click_at "$win" 640 $((close_row - 20))
screenshot "$win" about_closed.png
differs before_about.png about_closed.png 250 150 140 40 && fail "Close left the about window open"

# --- every window again in the dark palette, for a look by eye
click $FINANCES; screenshot "$win" finance_dark.png
window_at finance_dark.png $FINANCE_AT || fail "no finance window in palette 5"
click $FINANCE_CLOSE
click $CITY; screenshot "$win" city_dark.png
window_at city_dark.png $CITY_AT || fail "no city window in palette 5"
click $CITY_CLOSE
click $PRODUCTION; screenshot "$win" production_dark.png
window_at production_dark.png $PRODUCTION_AT || fail "no production window in palette 5"
click $PRODUCTION_CLOSE
click $MENU_BUTTON; screenshot "$win" menu_dark.png
window_at menu_dark.png $MENU_AT || fail "no menu in palette 5"
click $M_BACK
screenshot "$win" menu_closed.png
window_at menu_closed.png $MENU_AT && fail "\"Back to game\" left the menu open"

# --- back to the title screen, and a new game from there
click $FINANCES
click $MENU_BUTTON
click $M_TITLE
screenshot "$win" title.png
[ "$(ink title.png $MONEY)" = 0 ] || fail "the heads-up display is still up on the title screen"
window_at title.png $FINANCE_AT && fail "the finance window stayed open on the title screen"
[ "$(ink title.png 270 105 100 16)" -gt 40 ] || fail "no \"Start new game\" on the title screen"
games=$(log_count "startNewGame")
new_game 2
[ "$(log_count "startNewGame")" -gt "$games" ] || fail "no new game from the title screen"
screenshot "$win" second_game.png
window_at second_game.png $FINANCE_AT && fail "a window of the first game came back"
# A fresh city: 25000 again (drawn in palette 5 now, so compared with itself).
click $FINANCES
click 420 243
click 420 261
screenshot "$win" second_repaid.png
differs second_game.png second_repaid.png $MONEY && fail "the money did not come back after borrowing"
click $FINANCE_CLOSE

# --- Exit from the menu ends the game as the title screen's Exit does
click $MENU_BUTTON
set -- $M_EXIT
xdotool mousemove --window "$win" $(($1 * S)) $(($2 * S)) click 1 || fail "click on Exit failed"
end=$((SECONDS + 20))
while kill -0 "$GAME_PID" 2>/dev/null && [ $SECONDS -lt $end ]; do sleep 0.1; done
kill -0 "$GAME_PID" 2>/dev/null && fail "Exit did not end the game"
wait "$GAME_PID"
GAME_RC=$?
GAME_PID=""
[ "$GAME_RC" = "0" ] || fail "exit code $GAME_RC"
grep -qx "Bye!" "$GAME_LOG" || fail "no 'Bye!' at exit"
grep -qx "palette=5" conf.dat || fail "the palette chosen in game was not written: $(cat conf.dat)"
echo "screens windows test passed"
