#!/bin/sh
# Plays the real zorbel program as a host would, on an X server of its own,
# with nothing but keyboard and mouse input, and then checks what the host
# can see or keep: the log, the saved configuration, the untouched question
# files, the exit status and a screenshot of every stage.
#
# usage: play.sh ZORBEL DEFAULTS_DIR MAIN_LAYOUT_JSON ARTEFACTS_DIR
set -eu

ZORBEL=$1
DEFAULTS=$2
LAYOUT=$3
ARTEFACTS=$4
. "$(dirname "$0")/drive.sh"

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

# F5 opens the room display, which shows the console's prompt; F5 again
# closes it.
watch_room_display() {
    keys_to "$MAIN" F5
    wait_for "the room display" window_shown "Zorbel Room Display"
    screenshot room-display
    spoken Zorbel >"$WORK/console.txt" || fail "the console cannot be read"
    halves=$(grep -A 2 -m 1 '^Viewing Match ' "$WORK/console.txt" | tail -n 2)
    [ "$(echo "$halves" | wc -l)" = 2 ] || fail "no match on the console: $(cat "$WORK/console.txt")"
    wait_for "the room display's text" spoken "Zorbel Room Display"
    spoken "Zorbel Room Display" >"$WORK/display.txt"
    echo "$halves" | while IFS= read -r half; do
        grep -q -F -- "$half" "$WORK/display.txt" || fail "the room display lacks '$half': $(cat "$WORK/display.txt")"
    done
    keys_to "$MAIN" F5
    wait_for "the room display to close" window_gone "Zorbel Room Display"
}

win_a_game() {
    keys_to "$MAIN" Next Next Prior
    screenshot prompts
    # Ten points is the score to win; the first player gets them all.
    for _ in 1 2 3 4 5 6 7 8 9 10; do click_control "$MAIN" clkUp 0; done
    screenshot scores
    next_until_winner 2
    screenshot winner
    press_until "$(window "Congratulations...")" alt+c window_gone "Congratulations..."
    wait_for "the winner window to unload" log_has "$PLAYED" "Unloading Form frmWin"
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
    watch_room_display
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

# ---- scenario 3: a game cut short and resumed

# The lines of the console a screen reader reads that show the game: the
# prompt, the names, the scores, the turn and the round.
game_on_console() {
    spoken Zorbel >"$WORK/console-now.txt" || true
    grep -A 2 '^Viewing Match ' "$WORK/console-now.txt"
    grep '^Round [0-9]' "$WORK/console-now.txt"
    grep -E -A 1 '^Player [0-9]+ (name|score)$' "$WORK/console-now.txt"
    grep -B 2 '^Current player$' "$WORK/console-now.txt"
}

console_names_maya() { game_on_console | grep -q -F Maya; }

resume_after_kill() {
    RESUMED=$(fresh_program_dir resumed)
    start_copy "$RESUMED"
    wait_for_board "$RESUMED"
    for _ in 1 2 3; do click_control "$MAIN" clkUp 0; done
    click_control "$MAIN" clkUp 1
    keys_to "$MAIN" Next Next Next
    click_control "$MAIN" txtPlayer 0
    xdotool key --delay 80 ctrl+a type --delay 80 Maya
    # Saves keep the order of the moves, so the last move saved means all are.
    wait_for "the game to be saved" grep -q -F Maya "$RESUMED/ZorbelGame.sav"
    game_on_console >"$WORK/before-kill.txt"
    grep -q -F Maya "$WORK/before-kill.txt" || fail "the console cannot be read: $(cat "$WORK/before-kill.txt")"
    screenshot before-kill
    kill -KILL "$COPY"
    wait_for "the killed copy to end" process_ended "$COPY"

    start_copy "$RESUMED"
    wait_for_board "$RESUMED"
    wait_for "the resume question" window_shown "Resume Game"
    screenshot resume-question
    press_until "$(window "Resume Game")" alt+y window_gone "Resume Game"
    screenshot resumed
    wait_for "the resumed names" console_names_maya
    game_on_console >"$WORK/resumed.txt"
    diff "$WORK/before-kill.txt" "$WORK/resumed.txt" >&2 || fail "the resumed game differs from the one cut short"
    exit_with_yes
    expect_end "$COPY"
}

start_x_server
play_a_game
second_copy_refused
resume_after_kill
echo "PASS: screenshots in $ARTEFACTS"
