# Shared helpers for the scripts in tests/game/: they drive the real program
# under Xvfb like a player. Every wait is bounded; whatever was started is
# killed on exit.
#
# A script is called as: <script> <quillfenn> <run dir> <x11_close_window> <png_probe>

set -u

GAME_BIN_NAME=$(basename "$1")
RUN_SOURCE=$2
CLOSE_WINDOW=$3
PNG_PROBE=$4
GAME_PID=""
GAME_RC=""
GAME_DIR=$(mktemp -d /tmp/quillfenn-game-XXXXXX)
GAME_LOG=$GAME_DIR/game.log

fail() {
    echo "FAIL: $*" >&2
    if [ -f "$GAME_LOG" ]; then
        echo "--- game log (last 40 lines):" >&2
        tail -n 40 "$GAME_LOG" >&2
    fi
    exit 1
}

cleanup() {
    if [ -n "$GAME_PID" ] && kill -0 "$GAME_PID" 2>/dev/null; then
        kill -9 "$GAME_PID" 2>/dev/null
        wait "$GAME_PID" 2>/dev/null
    fi
    if [ -n "${KEEP_GAME_DIR:-}" ]; then
        echo "kept $GAME_DIR" >&2
    else
        rm -rf "$GAME_DIR"
    fi
}
trap cleanup EXIT

# Copies the run folder (game, assets, conf.dat) into a fresh directory and
# moves there, so a test never touches the build's own files.
prepare_run_dir() {
    cp -a "$RUN_SOURCE/." "$GAME_DIR/" || fail "cannot copy the run folder"
    rm -rf "$GAME_DIR/screenshots" "$GAME_DIR/saves"
    cd "$GAME_DIR" || fail "cannot enter $GAME_DIR"
}

start_game() {
    ./"$GAME_BIN_NAME" >"$GAME_LOG" 2>&1 &
    GAME_PID=$!
}

# The start most scripts share: a fresh run folder whose settings give plain
# frames in a 1280 x 720 window (pixel scale 2) in the first palette.
plain_run_dir() {
    prepare_run_dir
    plain_frames
    sed -i 's/^width=.*/width=1280/; s/^height=.*/height=720/; s/^palette=.*/palette=0/' conf.dat
}

# Starts the game and waits for its window, whose id lands in win.
open_game() {
    start_game
    win=$(wait_window 30) || exit 1
}

# Prints the id of the game's window once it is mapped (bounded wait).
wait_window() {
    local timeout=${1:-30} id=""
    local end=$((SECONDS + timeout))
    while [ $SECONDS -lt $end ]; do
        id=$(xdotool search --onlyvisible --name '^Quillfenn$' 2>/dev/null | tail -n1)
        [ -n "$id" ] && { to_corner "$id"; echo "$id"; return 0; }
        kill -0 "$GAME_PID" 2>/dev/null || fail "the game exited before its window appeared"
        sleep 0.1
    done
    fail "no game window within ${timeout}s"
}

# Waits until the window has the given size (WxH), re-finding the window,
# since switching full screen creates a new one. Prints the window id.
wait_window_size() {
    local want=$1 timeout=${2:-20} id size
    local end=$((SECONDS + timeout))
    while [ $SECONDS -lt $end ]; do
        id=$(xdotool search --onlyvisible --name '^Quillfenn$' 2>/dev/null | tail -n1)
        if [ -n "$id" ]; then
            size=$(window_size "$id")
            [ "$size" = "$want" ] && { to_corner "$id"; echo "$id"; return 0; }
        fi
        kill -0 "$GAME_PID" 2>/dev/null || fail "the game exited while waiting for a ${want} window"
        sleep 0.1
    done
    fail "window never reached ${want} (last: ${size:-none})"
}

# Without a window manager a new window may hang over the screen's edge, where
# pointer moves are clamped: keep it in the top-left corner.
to_corner() {
    xdotool windowmove --sync "$1" 0 0 >/dev/null 2>&1 || xdotool windowmove "$1" 0 0 >/dev/null 2>&1
}

window_size() {
    local WIDTH="" HEIGHT=""
    eval "$(xdotool getwindowgeometry --shell "$1" 2>/dev/null | grep -E '^(WIDTH|HEIGHT)=')"
    echo "${WIDTH}x${HEIGHT}"
}

# Waits for a log line matching a fixed string.
wait_log() {
    local text=$1 timeout=${2:-20}
    local end=$((SECONDS + timeout))
    while [ $SECONDS -lt $end ]; do
        grep -qF -- "$text" "$GAME_LOG" 2>/dev/null && return 0
        kill -0 "$GAME_PID" 2>/dev/null || fail "the game exited while waiting for '$text'"
        sleep 0.1
    done
    fail "no log line '$text' within ${timeout}s"
}

# Waits for a new file matching a glob; prints its name. A PNG counts once it
# is whole: its last bytes are the IEND chunk, which the encoder writes last.
wait_file() {
    local pattern=$1 timeout=${2:-20} f
    local end=$((SECONDS + timeout))
    while [ $SECONDS -lt $end ]; do
        for f in $pattern; do
            [ -s "$f" ] || continue
            case $f in
            *.png) [ "$(tail -c 8 "$f" | od -An -tx1 | tr -d ' \n')" = "49454e44ae426082" ] || continue ;;
            esac
            echo "$f"
            return 0
        done
        sleep 0.02
    done
    fail "no file $pattern within ${timeout}s"
}

# Keys go through the same XTEST input queue as the clicks, so the game sees
# them in the order they were sent: a screenshot taken after a click shows
# what the click did, with no pause between them. (A key sent to a window
# directly would overtake clicks still waiting in the server's queue.)
send_key() {
    xdotool windowfocus --sync "$1" key "$2" 2>/dev/null ||
        xdotool windowfocus "$1" key "$2" || fail "xdotool key $2 failed"
}

# Asks the window to close as a window manager would and waits for the exit;
# the exit code lands in GAME_RC. (Not for $(...): the game is this shell's child.)
close_game() {
    local id=$1 timeout=${2:-20}
    "$CLOSE_WINDOW" "$id" || fail "could not send the close request"
    local end=$((SECONDS + timeout))
    while [ $SECONDS -lt $end ]; do
        if ! kill -0 "$GAME_PID" 2>/dev/null; then
            wait "$GAME_PID"
            GAME_RC=$?
            GAME_PID=""
            return 0
        fi
        sleep 0.1
    done
    fail "the game did not exit within ${timeout}s of the close request"
}

# Takes an F12 screenshot and moves it to the given path.
screenshot() {
    local win=$1 out=$2 f
    rm -rf screenshots/*.png 2>/dev/null
    send_key "$win" F12
    f=$(wait_file "screenshots/*.png") || exit 1
    mv "$f" "$out"
}

# Takes screenshots into the given file until the check (the words after it)
# holds, for at most WAIT seconds (10): for what a tick or the next frame
# brings, which no event orders. Fails with the check's own words otherwise.
shot_until() {
    local win=$1 out=$2 end=$((SECONDS + ${WAIT:-10}))
    shift 2
    while :; do
        screenshot "$win" "$out"
        "$@" && return 0
        [ $SECONDS -lt $end ] || return 1
        kill -0 "$GAME_PID" 2>/dev/null || fail "the game exited while waiting for: $*"
    done
}

# Returns once the game has handled every click and key sent so far: a
# screenshot comes after them in the same queue.
settle() {
    screenshot "$1" "$GAME_DIR/settle.png"
}

not() {
    ! "$@"
}

# Prints "r g b" of one pixel of an image.
pixel() {
    "$PNG_PROBE" "$1" "$2" "$3" | sed -n 2p | cut -d' ' -f1-3
}

# Left click at window pixel coordinates; the pointer is then parked in the
# screen's corner so the drawn cursor stays out of the pixels a test reads
# (the click may have replaced the window, so not relative to it).
click_at() {
    xdotool mousemove --window "$1" "$2" "$3" click 1 || fail "click at $2,$3 failed"
    xdotool mousemove 0 0 2>/dev/null
}

# Turns post-processing off in the copied settings, so screenshots hold the
# palette's exact colours.
plain_frames() {
    sed -i 's/^postProcessing=.*/postProcessing=false/' conf.dat
}

# The lowest row in column x (between y0 and y1) whose pixel is r g b; "" when none.
lowest_row_with() {
    # shellcheck disable=SC2086
    "$PNG_PROBE" lowest "$1" "$2" "$3" "$4" $5
}

# How many pixels of row y, between x0 and x1, are r g b.
count_in_row() {
    # shellcheck disable=SC2086
    "$PNG_PROBE" count "$1" 1 "$3" "$2" $(($4 - $3 + 1)) 1 1 $5
}

# The lowest row of the message dialog on a screenshot, in the middle column
# of a 1280 x 720 window; "" when none is open. A dialog's frame and shadow
# lines are long dark runs, which the map behind it never draws.
dialog_low() {
    # shellcheck disable=SC2086
    "$PNG_PROBE" dialog "$1" 640 100 680 300 980 200 ${DARK:-70 62 108}
}

# Takes a screenshot into the given file and closes the message dialog on it
# through its Okay button, which sits just above the dialog's lowest line.
dismiss_message() {
    local win=$1 shot=$2 okay
    screenshot "$win" "$shot"
    okay=$(dialog_low "$shot")
    [ -n "$okay" ] || fail "no message to close in $shot"
    click_at "$win" 640 $((okay - 20))
}

# Screen places in the scripts are logical pixels; S is the pixel scale
# (2 for a 1280 x 720 window) and DARK the palette's second colour.
S=2
DARK="70 62 108"

# A left click at a logical point of the game's window.
click() { click_at "$win" $(($1 * S)) $(($2 * S)); }

# How many dark pixels a logical rectangle of a screenshot holds, every
# step-th logical pixel.
ink() {
    # shellcheck disable=SC2086
    "$PNG_PROBE" count "$1" "${S:-2}" "$2" "$3" "$4" "$5" "${6:-1}" ${DARK:-70 62 108}
}

# Whether two screenshots hold the same pixels inside a logical rectangle.
same() {
    "$PNG_PROBE" same "$1" "$2" "${S:-2}" "$3" "$4" "$5" "$6" "${7:-1}"
}

# Whether two screenshots differ inside a logical rectangle (an image that
# cannot be read is neither).
differs() {
    same "$@"
    [ $? -eq 1 ]
}

# How many log lines hold a fixed string.
log_count() {
    grep -cF -- "$1" "$GAME_LOG"
}
