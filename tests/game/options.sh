# The options window on the title screen: the palette button walks through
# all eight palettes (checked on the screen's own background), a check box
# writes its setting at exit, full screen switches there and back, and Close
# closes the window.
source "$(dirname "$0")/../gamelib.sh"

prepare_run_dir
plain_frames
open_game

# Title screen "Options" at logical (320, 157); the window is 180 x 156 at (230, 102).
click_at "$win" 640 314
screenshot "$win" options.png
[ "$(pixel options.png 490 222)" = "70 62 108" ] || fail "no options window (title bar not dark)"

lights=("232 206 168" "237 221 183" "255 255 255" "228 217 192" "231 230 224" "31 34 37" "32 29 35" "40 36 42")
for i in 1 2 3 4 5 6 7 8; do
    click_at "$win" 584 388          # "Palette N" at logical (292, 194)
    screenshot "$win" palette$i.png
    want=${lights[$((i % 8))]}
    got=$(pixel palette$i.png 40 600)
    [ "$got" = "$want" ] || fail "palette $((i % 8)): background is $got, not $want"
done

click_at "$win" 492 312              # "Sound effects" box at logical (246, 156)

click_at "$win" 492 256              # "Full screen" box
screen=$(xdpyinfo 2>/dev/null | awk '/dimensions:/ {print $2}')
win=$(wait_window_size "$screen") || exit 1
scale=$(( ${screen#*x} / 360 ))
click_at "$win" $((246 * scale)) $((128 * scale))
win=$(wait_window_size "1280x720") || exit 1

click_at "$win" 640 510              # "Close" at logical (320, 255)
screenshot "$win" closed.png
[ "$(pixel closed.png 490 222)" != "70 62 108" ] || fail "the options window did not close"

close_game "$win"
[ "$GAME_RC" = "0" ] || fail "exit code $GAME_RC"
grep -qx "sfxEnabled=false" conf.dat || fail "the sound check box did not reach conf.dat: $(cat conf.dat)"
grep -qx "palette=0" conf.dat || fail "eight palette steps should come back to palette 0"
grep -qx "isFullscreen=false" conf.dat || fail "full screen was not switched back"
echo "options test passed"
