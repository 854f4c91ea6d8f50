#!/bin/sh
# Plays the real zorbel program as a host would, on an X server of its own,
# with nothing but keyboard and mouse input, and then checks what the host
# can see or keep: the log, the saved configuration, the untouched question
# files, the exit status and a screenshot of every stage.
#
# usage: play.sh ZORBEL DEFAULTS_DIR MAIN_LAYOUT_JSON ARTEFACTS_DIR
#
# Everything waits on a condition (a window, a log line, a file's bytes)
# with a generous limit, so a loaded machine only makes it slower.
set -eu

ZORBEL=$1
DEFAULTS=$2
LAYOUT=$3
ARTEFACTS=$4
LIMIT=${E2E_WAIT_SECONDS:-90}
DESIGN_WIDTH=14160 # twips across the main window as designed

for tool in Xvfb xdotool import cmp; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is missing (scripts/install-deps installs it)"; exit 77; }
done

WORK=$(mktemp -d "${TMPDIR:-/tmp}/zorbel-e2e.XXXXXX")
XVFB_PID=
ZORBEL_PIDS=
mkdir -p "$ARTEFACTS"
rm -f "$ARTEFACTS"/*.png

cleanup() {
    for pid in $ZORBEL_PIDS $XVFB_PID; do kill "$pid" 2>/dev/null || true; done
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

screenshot() {
    import -window root "$ARTEFACTS/$(printf '%02d' "$SHOT")-$1.png"
    SHOT=$((SHOT + 1))
}
SHOT=1

start_x_server() {
    # -displayfd lets the server take a free display number itself.
    Xvfb -displayfd 5 -screen 0 1280x1024x24 -nolisten tcp 5>"$WORK/display" 2>"$WORK/xvfb.log" &
    XVFB_PID=$!
    wait_for "the X server" test -s "$WORK/display"
    DISPLAY=:$(cat "$WORK/display")
    export DISPLAY
    wait_for "the X server to answer" xdotool getmouselocation
}

# ---- the program and its windows

# start_copy DIR: starts zorbel on DIR; its process id goes to $COPY.
start_copy() {
    QT_QPA_PLATFORM=xcb "$ZORBEL" --data-dir "$1" >>"$1.out" 2>&1 &
    COPY=$!
    ZORBEL_PIDS="$ZORBEL_PIDS $COPY"
}

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

# ---- checks

# lines_in_order LOG TEXT...: each TEXT on a line after the previous one's.
lines_in_order() {
    log=$1
    shift
    after=0
    for text; do
        found=$(awk -v text="$text" -v after="$after" 'NR > after && index($0, text) { print NR; exit }' "$log")
        [ -n "$found" ] || fail "the log has no line '$text' after line $after"
        after=$found
    done
}

expect_saved_config() {
    printf '#Zorbel Configuration file\r\n\r\nTimerTime: 60\r\nSoundContinual: No\r\nBuzzer: No\r\nSound: No\r\nTimer: No\r\n' \
        >"$WORK/expected.cfg"
    cmp "$WORK/expected.cfg" "$1/Zorbel.cfg"
}

# ---- scenario 1: a whole game, the settings, and the way out

wait_for_board() {
    dir=$1
    wait_for "the splash card" log_has "$dir" "Loading frmSplash"
    if window_shown Zorbel; then screenshot splash; fi
    wait_for "the main window" window_shown zorbel "$COPY"
    wait_for "the board to load" log_has "$dir" "Unloading Form frmSplash"
    MAIN=$(window zorbel "$COPY")
}

win_a_game() {
    keys_to "$MAIN" Next Next Prior
    screenshot prompts
    # Ten points is the score to win; the first player gets them all.
    for _ in 1 2 3 4 5 6 7 8 9 10; do click_control "$MAIN" clkUp 0; done
    screenshot scores
    # The round ends when the turn passes the last of the two players.
    for _ in 1 2 3; do
        keys_to "$MAIN" Next
        if wait_briefly window_shown "Congratulations..."; then break; fi
    done
    wait_for "the winner window" window_shown "Congratulations..."
    screenshot winner
    press_until "$(window "Congratulations...")" alt+c window_gone "Congratulations..."
    wait_for "the winner window to unload" log_has "$PLAYED" "Unloading Form frmWin"
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

change_countdown() {
    # Config and Contact Us share the access key C, which only moves the
    # focus between them, so the host clicks Config.
    click_control "$MAIN" clkConfig
    wait_for "the configuration window" window_shown "Zorbel Configure Options"
    config=$(window "Zorbel Configure Options")
    # The countdown list has the focus; 6 picks "60".
    press_until "$config" "6 alt+s" expect_saved_config "$PLAYED"
    screenshot config-saved
    press_until "$config" alt+e window_gone "Zorbel Configure Options"
}

exit_with_yes() {
    click_control "$MAIN" clkExit
    wait_for "the exit question" window_shown "Exit Program[?]"
    screenshot exit-question
    press_until "$(window "Exit Program[?]")" alt+y process_ended "$COPY"
}

play_a_game() {
    PLAYED=$(fresh_program_dir played)
    start_copy "$PLAYED"
    wait_for_board "$PLAYED"
    screenshot board
    win_a_game
    screenshot new-game
    change_countdown
    exit_with_yes
    expect_end "$COPY"

    lines_in_order "$PLAYED/LogInfo.txt" "Application Name zorbel Software Version" "Loading frmSplash" \
        "Checking For Needed Registry Files" "Loading Skinner..." "Loading Form frmZorbel" \
        "Unloading Form frmSplash" "Loading Form frmWin" "Unloading Form frmWin" "Loading Form frmConfig" \
        "Unloading Form frmConfig" "Unloading All Forms..."
    ! grep -q "Current SubRoutine is" "$PLAYED/LogInfo.txt" || fail "the log holds an error report"
    expect_saved_config "$PLAYED" || fail "Zorbel.cfg is not as saved"
    for file in ZorbelLines.txt ZorbelPhrases.txt; do
        cmp "$DEFAULTS/$file" "$PLAYED/$file" || fail "$file changed"
    done
}

# ---- scenario 2: a second copy on the same directory

second_copy_refused() {
    SHARED=$(fresh_program_dir shared)
    start_copy "$SHARED"
    first=$COPY
    wait_for_board "$SHARED"
    cp "$SHARED/LogInfo.txt" "$WORK/first-log"

    start_copy "$SHARED"
    second=$COPY
    wait_for "the already-running message" window_shown zorbel "$second"
    screenshot second-copy
    press_until "$(window zorbel "$second")" Return process_ended "$second"
    expect_end "$second"

    kill -0 "$first" 2>/dev/null || fail "the first copy ended with the second"
    window_shown zorbel "$first" || fail "the first copy's window went away"
    cmp -n "$(wc -c <"$WORK/first-log")" "$WORK/first-log" "$SHARED/LogInfo.txt" ||
        fail "the second copy touched the first copy's log"
    screenshot first-copy-lives
    kill "$first"
}

start_x_server
play_a_game
second_copy_refused
echo "PASS: screenshots in $ARTEFACTS"
