# Sourced by the scripts that drive the real zorbel program as a host would:
# an X server of their own, keyboard and mouse input through xdotool, and
# waits on conditions (a window, a log line, a file's bytes) with a generous
# limit, so a loaded machine only makes them slower.
#
# The caller sets ZORBEL (the program), DEFAULTS (its default data files),
# LAYOUT (the main window's layout file) and ARTEFACTS (where screenshots
# and the failure's picture go); X_SCREEN may give the screen's size.

LIMIT=${E2E_WAIT_SECONDS:-90}
DESIGN_WIDTH=14160 # twips across the main window as designed

for tool in Xvfb xdotool import cmp; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is missing (scripts/install-deps installs it)"; exit 77; }
done

WORK=$(mktemp -d "${TMPDIR:-/tmp}/zorbel-e2e.XXXXXX")
XVFB_PID=
PROGRAM_PIDS=
mkdir -p "$ARTEFACTS"
rm -f "$ARTEFACTS"/*.png

cleanup() {
    for pid in $PROGRAM_PIDS $XVFB_PID; do kill "$pid" 2>/dev/null || true; done
    rm -rf "$WORK"
}
trap cleanup EXIT INT TERM

fail() {
    echo "FAIL: $*" >&2
    for log in "$WORK"/*/LogInfo.txt; do
        [ -f "$log" ] && { echo "--- $log" >&2; cat "$log" >&2; }
    done
    for out in "$WORK"/*.out; do
        [ -f "$out" ] && { echo "--- $out (last lines)" >&2; tail -n 60 "$out" >&2; }
    done
    screenshot failure || true
    exit 1
}

# wait_for DESCRIPTION COMMAND...: runs COMMAND until it succeeds.
wait_for() {
    what=$1
    shift
    deadline=$(($(date +%s) + LIMIT))
    until "$@" >/dev/null 2>&1; do
        [ "$(date +%s)" -lt "$deadline" ] || fail "timed out waiting for $what"
        sleep 0.2
    done
}

# wait_briefly COMMAND...: like wait_for, a few seconds, without failing.
wait_briefly() {
    tries=25
    until "$@"; do
        tries=$((tries - 1))
        [ "$tries" -gt 0 ] || return 1
        sleep 0.2
    done
}

# screenshot NAME: the whole screen, numbered in the order taken.
screenshot() {
    import -window root "$ARTEFACTS/$(printf '%02d' "$SHOT")-$1.png"
    SHOT=$((SHOT + 1))
}
SHOT=1

start_x_server() {
    # -displayfd lets the server take a free display number itself.
    Xvfb -displayfd 5 -screen 0 "${X_SCREEN:-1280x1024x24}" -nolisten tcp 5>"$WORK/display" 2>"$WORK/xvfb.log" &
    XVFB_PID=$!
    wait_for "the X server" test -s "$WORK/display"
    DISPLAY=:$(cat "$WORK/display")
    export DISPLAY
    wait_for "the X server to answer" xdotool getmouselocation
    # The accessibility bus, started before any program asks for it, lets
    # the test read windows as a screen reader does.
    "$(dirname "$0")/accessible_text.py" --wake 2>/dev/null || true
}

# spoken TITLE: what the shown window TITLE says to a screen reader, a line
# per object.
spoken() { "$(dirname "$0")/accessible_text.py" "$1" 2>/dev/null; }

# ---- the program and its windows

# start_program OUT PROGRAM ARGUMENTS...: starts PROGRAM on the X server,
# its output going to OUT; its process id goes to $COPY.
start_program() {
    out=$1
    shift
    QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$@" >>"$out" 2>&1 &
    COPY=$!
    PROGRAM_PIDS="$PROGRAM_PIDS $COPY"
}

# start_copy DIR: starts zorbel on DIR; its process id goes to $COPY.
start_copy() { start_program "$1.out" "$ZORBEL" --data-dir "$1"; }

fresh_program_dir() {
    mkdir -p "$WORK/$1"
    cp "$DEFAULTS"/* "$WORK/$1/"
    echo "$WORK/$1"
}

# The id of the shown window whose whole title matches the regular
# expression TITLE (of process PID if given).
window() {
    if [ $# -gt 1 ]; then
        xdotool search --all --onlyvisible --pid "$2" --name "^$1\$" 2>/dev/null | head -n 1
    else
        xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1
    fi
}
window_shown() { [ -n "$(window "$@")" ]; }
window_gone() { [ -z "$(window "$@")" ]; }

# press_until WINDOW KEYS COMMAND...: presses KEYS (a space-separated list)
# on WINDOW until COMMAND succeeds; a window just mapped may not take keys
# yet, and a key pressed once more after it worked changes nothing here.
press_until() {
    win=$1
    presses=$2
    shift 2
    deadline=$(($(date +%s) + LIMIT))
    until "$@" >/dev/null 2>&1; do
        [ "$(date +%s)" -lt "$deadline" ] || fail "timed out pressing $presses for: $*"
        keys_to "$win" $presses
        wait_briefly "$@" || true
    done
}

keys_to() {
    win=$1
    shift
    xdotool windowfocus --sync "$win" key --delay 80 "$@"
}

log_has() { grep -q -F "  $2" "$1/LogInfo.txt"; }

# Gone, or a zombie waiting for its status.
process_ended() { ! ps -o stat= -p "$1" | grep -q -v Z; }

# expect_end PID: waits for the copy to end with exit status 0.
expect_end() {
    wait_for "process $1 to end" process_ended "$1"
    status=0
    wait "$1" || status=$?
    [ "$status" = 0 ] || fail "zorbel (process $1) ended with status $status"
}

# wait_for_board DIR: waits for the copy started on DIR to show its main
# window, whose id goes to $MAIN.
wait_for_board() {
    dir=$1
    wait_for "the splash card" log_has "$dir" "Loading frmSplash"
    if window_shown Zorbel; then screenshot splash; fi
    wait_for "the main window" window_shown zorbel "$COPY"
    wait_for "the board to load" log_has "$dir" "Unloading Form frmSplash"
    MAIN=$(window zorbel "$COPY")
}

# next_until_winner PLAYERS: presses Next until the winner window shows;
# the round ends when the turn passes the last of the players.
next_until_winner() {
    presses=0
    until [ "$presses" -gt "$1" ]; do
        keys_to "$MAIN" Next
        if wait_briefly window_shown "Congratulations..."; then break; fi
        presses=$((presses + 1))
    done
    wait_for "the winner window" window_shown "Congratulations..."
}

# ---- the main window's designed layout, scaled to the window on screen

# design NAME [INDEX]: "left top width height" in twips on the window,
# a control on the tab control placed by the tab control's corner.
design() {
    line=$(grep -F "\"name\": \"$1\"" "$LAYOUT" | grep -F "${2:+\"index\": $2,}" | head -n 1)
    [ -n "$line" ] || return 1
    set -- $(echo "$line" | sed -n 's/.*"left": \([0-9]*\), "top": \([0-9]*\), "width": \([0-9]*\), "height": \([0-9]*\).*/\1 \2 \3 \4/p')
    case $line in
    *'"parent": "SSTab1"'*)
        set -- $(($1 + 120)) $(($2 + 480)) "$3" "$4" ;;
    esac
    echo "$@"
}

# click_control WINDOW NAME [INDEX]: a left click in the control's middle.
click_control() {
    win=$1
    shift
    eval "$(xdotool getwindowgeometry --shell "$win")"
    rect=$(design "$@") || fail "no control $* in $LAYOUT"
    set -- $rect
    x=$((X + ($1 + $3 / 2) * WIDTH / DESIGN_WIDTH))
    y=$((Y + ($2 + $4 / 2) * WIDTH / DESIGN_WIDTH))
    xdotool mousemove "$x" "$y" click 1
}
