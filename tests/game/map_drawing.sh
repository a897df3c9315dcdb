# The map of a new city on the real screen: the starting road and house
# stand on their tiles, a drag moves them by a quarter of the mouse's way,
# keys 1 to 4 put each layer's marks over the house, and a right click on
# what is drawn names that tile.
source "$(dirname "$0")/../gamelib.sh"

prepare_run_dir
plain_frames
open_game
LIGHT="232 206 168"
SCALE=2

# Percentage of a sprite's opaque pixels (or with "dark", of its dark ones)
# that a screenshot shows, the sprite drawn at window point (x, y) with the
# pixel scale, mirrored when asked.
sprite_match() {
    # shellcheck disable=SC2086
    "$PNG_PROBE" match "$1" "sprites/$2.png" "$3" "$4" "$SCALE" "${5:-0}" "${6:-all}" $LIGHT $DARK
}

# Whether a tree stands on a tile: most of its dark outline is there.
tree_on() {
    [ "$(sprite_match "$1" tree1 "$(box_x "$2" "$3")" $(($(box_y "$2" "$3") - 23 * SCALE)) 0 dark)" -ge 50 ]
}

# The best match of the four small house sprites.
house_match() {
    local best=0 v m
    for v in 1 2 3 4; do
        m=$(sprite_match "$1" "house_small_$v" "$2" "$3" "$4")
        [ "$m" -gt "$best" ] && best=$m
    done
    echo "$best"
}

# Number of pixels that differ between two screenshots inside a window rectangle.
changed_pixels() {
    "$PNG_PROBE" changed "$1" "$2" "$3" "$4" "$5" "$6" 2
}

# A new city, its two welcome messages closed.
click_at "$win" 640 226
wait_log "startNewGame"
screenshot "$win" welcome.png
okay=$(dialog_low welcome.png)
[ -n "$okay" ] || fail "no welcome message"
click_at "$win" 640 $((okay - 20))
screenshot "$win" info.png
okay=$(dialog_low info.png)
[ -n "$okay" ] || fail "no Info message"
click_at "$win" 640 $((okay - 20))
screenshot "$win" city.png
[ -z "$(dialog_low city.png)" ] || fail "a message is still open"

# The view is centred on tile (37, 37), the starting road: logical (320, 180)
# is world point (1200, 8), so tile (x, y) has its box at logical
# (16(x + y) - 880, 8(y - x) + 172). The road is a lone west-east piece.
box_x() { echo $(((16 * ($1 + $2) - 880 + ${3:-0}) * SCALE)); }
box_y() { echo $(((8 * ($2 - $1) + 172 + ${3:-0}) * SCALE)); }
# The starting road, a lone west-east piece, on tile 37, 37, unless trees
# in front of it (the plots below it on the screen) hide it.
road=$(sprite_match city.png road1 "$(box_x 37 37)" "$(box_y 37 37)")
hidden_by=""
for t in "36 37" "37 38" "36 38" "35 38" "36 39" "35 39"; do
    tree_on city.png $t && hidden_by="$hidden_by ($t)"
done
if [ -z "$hidden_by" ]; then
    [ "$road" -ge 90 ] || fail "the starting road is not on tile 37, 37 (match $road%)"
else
    echo "the road ($road%) stands behind trees on$hidden_by"
fi
# The house stands east of the road facing it, or north of it with the door
# turned south; it is checked whole where no tree stands in front of it, and
# by its layer marks below in any case.
east=$(house_match city.png "$(box_x 38 37)" $(($(box_y 38 37) - 19 * SCALE)) 0)
north=$(house_match city.png "$(box_x 37 36)" $(($(box_y 37 36) - 19 * SCALE)) 1)
if [ "$east" -ge "$north" ]; then hx=38 hy=37 house=$east front="37 38|38 38|37 39";
else hx=37 hy=36 house=$north front="36 36|36 37|36 38"; fi
house_hidden=""
IFS='|' read -ra plots <<<"$front"
for t in "${plots[@]}"; do tree_on city.png $t && house_hidden="$house_hidden ($t)"; done
if [ -z "$house_hidden" ]; then
    [ "$house" -ge 90 ] || fail "no starting house beside the road (east $east%, north $north%)"
fi
echo "road on 37,37 ($road%), house on $hx,$hy ($house%)${house_hidden:+, behind trees on$house_hidden}"

# Dragging moves the map by a quarter of the way the mouse went.
xdotool mousemove --window "$win" 640 560 mousedown 1 || fail "no mouse down"
for step in 1 2 3 4; do
    xdotool mousemove --window "$win" $((640 + 50 * step)) $((560 + 20 * step)) || fail "no mouse move"
    sleep 0.05
done
xdotool mouseup 1 || fail "no mouse up"
xdotool mousemove 0 0 2>/dev/null
screenshot "$win" dragged.png
# 200 by 80 window pixels: the view moves 50 by 20 logical pixels the other
# way. The veiled ring round the revealed land moves with it: its front
# plots, which nothing can stand in front of, are exact.
for t in "34 41" "33 40" "33 37" "37 41"; do
    read -r a b <<<"$t"
    m=$(sprite_match dragged.png hidden_tile_overlay "$(box_x $a $b 50)" "$(box_y $a $b 20)")
    [ "$m" -ge 95 ] || fail "the veiled plot $a, $b did not follow the drag (match $m%)"
    m=$(sprite_match city.png hidden_tile_overlay "$(box_x $a $b)" "$(box_y $a $b)")
    [ "$m" -ge 95 ] || fail "no veil on the plot $a, $b at the edge of the revealed land (match $m%)"
done
[ -n "$hidden_by" ] || [ "$(sprite_match dragged.png road1 "$(box_x 37 37 50)" "$(box_y 37 37 20)")" -ge 90 ] ||
    fail "the road did not follow the drag"

# Keys 1 to 4: build mode, attractiveness, population, needs. Each layer
# puts its own mark over the house; build mode none.
hbx=$(box_x "$hx" "$hy" 50)
hby=$(box_y "$hx" "$hy" 20)
over_house() { changed_pixels "$1" "$2" $((hbx - 10 * SCALE)) $((hby - 12 * SCALE)) $((54 * SCALE)) $((28 * SCALE)); }
for key in 2 3 4 1; do
    send_key "$win" $key
    screenshot "$win" layer$key.png
done
for key in 2 3 4; do
    n=$(over_house dragged.png layer$key.png)
    [ "$n" -gt 20 ] || fail "key $key put no mark over the house ($n pixels changed)"
    # The plot two tiles west of the road carries no mark in any layer.
    far=$(changed_pixels dragged.png layer$key.png "$(box_x 35 37 50)" "$(box_y 35 37 20)" $((34 * SCALE)) $((17 * SCALE)))
    [ "$far" = "0" ] || fail "key $key changed the plot at 35, 37 ($far pixels)"
done
# A new house is rated neutral: its face sits over the middle of the plot,
# above whatever stands in front.
m=$(sprite_match layer2.png ui/attraction_neutral $((hbx + 13 * SCALE)) "$hby")
[ "$m" -ge 95 ] || fail "no neutral face over the house on $hx, $hy (match $m%)"
[ "$(over_house layer2.png layer3.png)" -gt 20 ] || fail "the attractiveness and population marks look the same"
[ "$(over_house layer3.png layer4.png)" -gt 20 ] || fail "the population and needs marks look the same"
[ "$(over_house dragged.png layer1.png)" = "0" ] || fail "key 1 did not bring back the plain map"

# A right click on what is drawn names that tile: 3 logical pixels inside
# the west tip of the road's diamond, where a pick one pixel off would land
# on the neighbour.
before=$(grep -c "clickedTile" "$GAME_LOG")
x=$(($(box_x 37 37 50) + 4 * SCALE))
y=$(($(box_y 37 37 20) + 8 * SCALE))
xdotool mousemove --window "$win" "$x" "$y" click 3 || fail "right click at $x,$y failed"
xdotool mousemove 0 0 2>/dev/null
end=$((SECONDS + 10))
while [ "$(grep -c "clickedTile" "$GAME_LOG")" -le "$before" ]; do
    [ $SECONDS -lt $end ] || fail "no pick for the right click at $x,$y"
    sleep 0.1
done
got=$(grep "clickedTile" "$GAME_LOG" | tail -n1)
[ "$got" = "clickedTile: 37, 37" ] || fail "right click at $x,$y picked '$got', not the road drawn there"

close_game "$win"
[ "$GAME_RC" = "0" ] || fail "exit code $GAME_RC"
echo "map drawing test passed"
