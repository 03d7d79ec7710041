#!/usr/bin/env bash
# The global shortcut on X11: Ctrl+Alt+K opens and closes the picker whichever window has the
# keyboard, Num Lock on or off; a second Pelmora on the same display finds it taken and says so
# once; `pelmora --shortcut` changes it in the running Pelmora and for the next start, and
# "none" turns it off.
# Arguments: the pelmora executable, pelmora-window-probe, the source tree.
set -euo pipefail
# shellcheck source=e2e.sh
source "$(dirname "$0")/e2e.sh"

# Presses KEYS and waits for the picker to appear, or to go when GOES is given.
press() {
    local keys="$1" goes="${2:-}" opened hidden
    opened=$(grep -c "window opened" "$app_log" || true)
    hidden=$(grep -c "window hidden" "$app_log" || true)
    xdotool key "$keys"
    if [ -n "$goes" ]; then
        wait_for_line "window hidden" $((hidden + 1))
        wait_until "the picker window to leave the screen" picker_is_hidden "$app_pid"
    else
        wait_for_line "window opened" $((opened + 1))
        wait_until "the picker window on screen" find_picker "$app_pid"
        wait_until "the picker window to take the keyboard" picker_has_focus
    fi
}

step "Ctrl+Alt+K opens the picker, and closes it while the picker has the keyboard"
start_app first
wait_for_line "tray shown"
press ctrl+alt+k
press ctrl+alt+k goes

step "holding Ctrl+Alt+K, which repeats, opens the picker once"
opened=$(grep -c "window opened" "$app_log")
xdotool keydown ctrl+alt+k
sleep 1.5 # beyond the display's delay before a held key repeats
xdotool keyup ctrl+alt+k
press ctrl+alt+k goes
# The press that hid the picker came after every repeat.
[ "$(grep -c "window opened" "$app_log")" -eq $((opened + 1)) ] \
    || fail "the held shortcut opened and closed the picker over and over"

step "with Num Lock on too"
xdotool key Num_Lock
press ctrl+alt+k
press ctrl+alt+k goes
xdotool key Num_Lock

step "a Pelmora of another session on this display finds Ctrl+Alt+K taken, and says so once"
first_pid="$app_pid" first_log="$app_log"
mkdir -m 700 "$work/other"
XDG_RUNTIME_DIR="$work/other" start_app other
wait_for_line "tray shown"
[ "$(grep -c "shortcut Ctrl+Alt+K is off: another program has taken it" "$app_log")" -eq 1 ] \
    || fail "the second Pelmora did not say once that Ctrl+Alt+K is taken"
xsession_end "$app_pid"
app_pid="$first_pid" app_log="$first_log"

step "pelmora --shortcut Ctrl+Alt+J moves the shortcut"
later_start --shortcut ctrl+alt+j
wait_for_line "shortcut Ctrl+Alt+J"
# Were Ctrl+Alt+K still taken, it would open the picker and Ctrl+Alt+J would close it.
xdotool key ctrl+alt+k
press ctrl+alt+j
press ctrl+alt+j goes
grep -q '^GlobalShortcut=.*Ctrl+Alt+J' "$config_file" \
    || fail "the settings file does not keep Ctrl+Alt+J: $(cat "$config_file")"

step "the next start keeps Ctrl+Alt+J"
xsession_end "$app_pid"
start_app again
wait_for_line "tray shown"
press ctrl+alt+j
press ctrl+alt+j goes

step "--shortcut none turns it off"
later_start --shortcut none
wait_for_line "shortcut none"
# Were Ctrl+Alt+J still taken, it would open the picker and --toggle would close it.
xdotool key ctrl+alt+j
later_start --toggle
wait_for_line "window opened" 2
wait_until "the picker window on screen" find_picker "$app_pid"

step "Pelmora quits cleanly"
kill "$app_pid"
wait "$app_pid" || fail "pelmora ended with status $? on SIGTERM"

step "passed"
