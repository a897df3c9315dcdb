# A new player's first road: start a game, close the two welcome messages,
# click an empty tile beside the starting road, choose "Build road", click
# the progress button until the road stands, then the next-day button; then
# the four layers by key and by side button.
#
# Screen places below are logical pixels (the window is 1280 x 720, pixel
# scale 2): the view is centred on the starting road's tile at (320, 180).
source "$(dirname "$0")/../gamelib.sh"

ROAD_PRICE=20
has_dialog() { [ -n "$(dialog_low "$1")" ]; }

plain_run_dir
open_game

right_click() {
    xdotool mousemove --window "$win" $(($1 * S)) $(($2 * S)) click 3 || fail "right click failed"
    xdotool mousemove 0 0 2>/dev/null
}

# --- a new game, its two messages closed
click 320 113
wait_log "startNewGame"
wait_log "recalculateVisibleTiles"
for message in welcome info; do
    screenshot "$win" $message.png
    okay=$(lowest_row_with $message.png 640 360 680 "$DARK")
    [ -n "$okay" ] || fail "no $message message"
    click_at "$win" 640 $((okay - 20))
done
shot_until "$win" start.png not has_dialog start.png || fail "a welcome message is still open"

# The heads-up display of a new game: money, population and date slots on
# top, the next-day button in the lower right, the build options panel.
[ "$(ink start.png 28 6 56 16)" -gt 20 ] || fail "no money shown"
[ "$(ink start.png 196 6 56 16)" -gt 20 ] || fail "no date shown"
[ "$(ink start.png 565 303 24 24)" -gt 40 ] || fail "no next-day button"
[ "$(ink start.png 522 34 110 32)" -gt 100 ] || fail "no build options panel in build mode"
[ "$(ink start.png 604 307 16 16)" -lt 10 ] || fail "cancel button shown with no action running"

# --- the actions of an empty tile beside the road. Which neighbours are
# empty depends on the starting layout: try them, closing any other window.
chosen=""
for offset in "16 8" "-16 -8" "-16 8" "16 -8"; do
    set -- $offset
    before=$(log_count "tile actions of")
    click $((320 + $1)) $((180 + $2))
    settle "$win"
    [ "$(log_count "tile actions of")" -gt "$before" ] || continue
    if tail -n 3 "$GAME_LOG" | grep -q "tile actions of .*: 1 "; then
        chosen="$1 $2"
        break
    fi
    click 320 229 # that tile offers no road: the Close button of its one-row window
done
[ -n "$chosen" ] || fail "no empty tile beside the starting road offered \"Build road\""
set -- $chosen
TX=$((320 + $1))
TY=$((180 + $2))
screenshot "$win" actions.png
# "Yes, my mayor?": the eight actions of a new game in a 300 x 174 window in
# the middle, two rows of four; the first cell is the road.
[ "$(ink actions.png 197 113 36 36)" -gt 100 ] || fail "no action icon in the first cell"

# --- "Build road": paid at once, the build controls replace the next-day button
click 215 131
wait_log "paid $ROAD_PRICE for Build road"
screenshot "$win" building.png
differs start.png building.png 28 6 56 16 || fail "the money did not change after paying"
[ "$(ink building.png 604 307 16 16)" -gt 20 ] || fail "no cancel button while building"
[ "$(ink building.png 522 331 110 10)" -gt 100 ] || fail "no progress bar while building"

# Ten clicks at build rate 1 finish a road; the tenth also passes a day.
for i in $(seq 10); do
    click 566 315
done
wait_log "Action complete!"
wait_log "Freeing building update thread!"
grep -q "ACTION PROGRESS WHILE" "$GAME_LOG" && fail "a click was refused while no tick ran"
# Done once the cancel button is gone, the date moved on and the next-day
# button is back as a new game shows it: enabled, its cool-down over.
completed() {
    [ "$(ink built.png 604 307 16 16)" -lt 10 ] && [ "$(ink built.png 565 303 24 24)" -gt 40 ] &&
        differs start.png built.png 196 6 56 16 && same start.png built.png 565 303 24 24
}
shot_until "$win" built.png completed || {
    [ "$(ink built.png 604 307 16 16)" -lt 10 ] || fail "cancel button still shown after completion"
    [ "$(ink built.png 565 303 24 24)" -gt 40 ] || fail "no next-day button after completion"
    differs start.png built.png 196 6 56 16 || fail "the tenth click did not move the date"
    fail "the next-day button was not enabled again after its cool-down"
}

# The road now covers the tile that was empty. A map that draws nothing
# cannot show it: that is a failure too, not a reason to look away.
map_ink=$(ink start.png 40 40 460 280 4)
[ "$map_ink" -gt 0 ] || fail "the map drew nothing on start.png, so the new road cannot be seen"
differs start.png built.png $((TX - 12)) $((TY - 6)) 24 12 || fail "no road drawn on the chosen tile"

# --- the next-day button: one more day
days=$(log_count "Freeing building update thread!")
click 577 315
wait_log "Freeing building update thread!"
for _ in $(seq 50); do
    [ "$(log_count "Freeing building update thread!")" -gt "$days" ] && break
    sleep 0.1
done
[ "$(log_count "Freeing building update thread!")" -gt "$days" ] || fail "the next-day button passed no day"
shot_until "$win" nextday.png differs built.png nextday.png 196 6 56 16 ||
    fail "the date did not change after the next-day button"

# --- the four layers, by key and by side button. The options panel in the
# upper right belongs to the build and population layers only.
panel_ink() { ink "$1" 522 34 110 56; }
check_layer() {
    local file=$1 want=$2 got
    got=$(panel_ink "$file")
    case $want in
    build) [ "$got" -gt 100 ] && [ "$(ink "$file" 522 70 110 20)" -lt 40 ] || fail "$file: no build options alone" ;;
    population) [ "$(ink "$file" 522 70 110 20)" -gt 40 ] || fail "$file: no population options" ;;
    none) [ "$got" -lt 20 ] || fail "$file: an options panel in a layer without one" ;;
    esac
}
send_key "$win" 2; screenshot "$win" key2.png; check_layer key2.png none
send_key "$win" 3; screenshot "$win" key3.png; check_layer key3.png population
send_key "$win" 4; screenshot "$win" key4.png; check_layer key4.png none
send_key "$win" 1; screenshot "$win" key1.png; check_layer key1.png build

# Side buttons from the top: build, ratings, population, needs (24 x 24 at x 8).
click 20 94 # population: the "Residents" help comes up once
screenshot "$win" side_population.png
check_layer side_population.png population
help=$(lowest_row_with side_population.png 640 360 680 "$DARK")
[ -n "$help" ] || fail "no \"Residents\" help on the first population layer"
click_at "$win" 640 $((help - 20))
click 20 68; screenshot "$win" side_ratings.png; check_layer side_ratings.png none
click 20 120; screenshot "$win" side_needs.png; check_layer side_needs.png none
click 20 42; screenshot "$win" side_build.png; check_layer side_build.png build
click 20 94; screenshot "$win" side_population2.png; check_layer side_population2.png population
# The map's own dark pixels fill the middle column, so the help is looked
# for by its frame's long dark lines.
has_dialog side_population2.png && fail "the \"Residents\" help came up a second time"

close_game "$win"
[ "$GAME_RC" = "0" ] || fail "exit code $GAME_RC"
grep -qx "Bye!" "$GAME_LOG" || fail "no 'Bye!' at exit"
echo "play build road test passed"
