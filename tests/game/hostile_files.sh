# The real game against the files an unlucky player or an attacker leaves:
# window sizes in conf.dat no display can show start it at 1280 x 720; a
# save beyond the file size limit (ulimit -f) says "Oh no." and keeps the
# old save; a named pipe in a slot's place neither hangs the Load window nor
# the loader; a screenshot never overwrites a taken name; and the audio
# device is closed at exit.
#
# Places below are logical pixels; the window is 1280 x 720 (pixel scale 2).
source "$(dirname "$0")/../gamelib.sh"


prepare_run_dir
sed -i 's/^postProcessing=.*/postProcessing=true/' conf.dat
cp conf.dat conf.orig


# The window's size as WxH.
size_of() {
    local WIDTH="" HEIGHT=""
    eval "$(xdotool getwindowgeometry --shell "$1" 2>/dev/null | grep -E '^(WIDTH|HEIGHT)=')"
    echo "${WIDTH}x${HEIGHT}"
}

# Ends the game through its window and checks it left as it should.
quit_cleanly() {
    close_game "$win"
    [ "$GAME_RC" = "0" ] || fail "exit code $GAME_RC"
    grep -qx "Bye!" "$GAME_LOG" || fail "no 'Bye!' at exit"
    ! grep -q "alc_cleanup" "$GAME_LOG" || fail "the audio device was left open: $(grep alc_cleanup "$GAME_LOG")"
}

# A city of side x side empty, revealed tiles on day 47 with 31337 money,
# written line by line as the game writes its saves.
write_city() {
    local side=$1 reals32 x y
    reals32=$(printf '0,%.0s' $(seq 31) | sed 's/,$//'),0
    echo "2, /* save version */"
    echo "47,3,0,0,0,0,0,0,0,0,0,1,-1,0,0,0, /* date, action */"
    echo "31337,0,0,0,0, /* city info */"
    echo "1,0,0,0, /* housing demand */"
    echo "0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0.2,0.4,1.5,0,0,0,0,0, /* production & demand */"
    for book in "current year incomes" "current year expenses" "last year incomes" "last year expenses" \
        "current month incomes" "current month expenses" "last month incomes" "last month expenses"; do
        echo "$reals32, /* $book */"
    done
    echo "$side,$side,0, /* map size, rotation */"
    for ((y = 0; y < side; ++y)); do
        for ((x = 0; x < side; ++x)); do
            echo "$x,$y,0,0,1,0,0,0,0,0, /* tile */"
        done
    done
}

# --- window sizes beyond the desktop: the game starts at 1280 x 720, draws
# through the CRT pass and takes its screenshots.
for size in 100000x100000 32767x32767 2147483647x2147483647; do
    sed "s/^width=.*/width=${size%x*}/; s/^height=.*/height=${size#*x}/" conf.orig >conf.dat
    start_game
    win=$(wait_window 30) || exit 1
    wait_log "Window size $size is larger than the desktop"
    [ "$(size_of "$win")" = "1280x720" ] || fail "a $size window opened at $(size_of "$win")"
    screenshot "$win" "shot-$size.png"
    quit_cleanly
done
cp conf.orig conf.dat

# --- screenshots whose names are taken: every second of the next five
# minutes already has its file, as when two shots share a second or come
# twelve hours apart; each new shot is kept beside it with a counter and
# none is overwritten, however slowly the machine takes them
start_game
win=$(wait_window 30) || exit 1
rm -rf screenshots
mkdir screenshots
now=$(date +%s)
for ((t = now; t < now + 300; ++t)); do
    : >"screenshots/$(date -d "@$t" '+%d-%m-%Y %I-%M-%S').png"
done
taken=$(ls screenshots | wc -l)
shots() { find screenshots -name '*.png' -size +0 | wc -l; }
for n in 1 2 3 4 5; do
    send_key "$win" F12
    end=$((SECONDS + 20))
    while [ "$(shots)" -lt $n ] && [ $SECONDS -lt $end ]; do
        sleep 0.05
    done
done
[ "$(shots)" = "5" ] || fail "five screenshots left: $(find screenshots -size +0 | tr '\n' ' ')"
[ "$(ls screenshots | wc -l)" = $((taken + 5)) ] || fail "a screenshot overwrote a taken name"
[ "$(find screenshots -size +0 -name '*.png' | grep -cvE '/[0-9]{2}-[0-9]{2}-[0-9]{4} [0-9]{2}-[0-9]{2}-[0-9]{2} \([2-6]\)\.png$')" = "0" ] ||
    fail "screenshot names: $(find screenshots -size +0 | tr '\n' ' ')"
quit_cleanly

# --- slot 1 holds a small city, slot 2 a large one, slot 3 is a named pipe
mkdir -p saves
write_city 9 >saves/1.sav
write_city 75 >saves/2.sav
mkfifo saves/3.sav
cp saves/1.sav small.sav
big=$(stat -c %s saves/2.sav)

# The game alone may write no file larger than the small save and a bit:
# its screenshots (plain frames, two colours) fit, a 75 x 75 city does not.
sed -i 's/^postProcessing=.*/postProcessing=false/' conf.dat
limit_kb=$(($(stat -c %s saves/1.sav) / 1024 + 96))
[ $((limit_kb * 1024)) -lt "$big" ] || fail "the large city ($big bytes) fits under ${limit_kb} KB"
ulimit -S -f "$limit_kb"
start_game
ulimit -S -f unlimited
win=$(wait_window 30) || exit 1

# "Load" on the title screen opens the slots at once; the pipe's row says
# "Damaged" and loading it is refused without waiting for a writer.
click 320 135
screenshot "$win" slots.png
click 406 174
wait_log "refused, it is not a file"
screenshot "$win" pipe-refused.png

# The large city, then "Save game" from the in-game menu into slot 1: past
# the limit, refused with a message, and slot 1 keeps the small city.
click 320 210 # the refusal's Okay
click 406 154
wait_log "game loaded from slot 2!" 90
wait_log "mapSize = 75 x 75"
click 620 15
click 320 137
click 406 138
wait_log "Could not save to slot 1: File too large" 90
screenshot "$win" refused.png
cmp -s saves/1.sav small.sav || fail "the failed save changed slot 1"
[ -e saves/1.tmp ] && fail "the failed save left saves/1.tmp"
quit_cleanly
echo "hostile files test passed"
