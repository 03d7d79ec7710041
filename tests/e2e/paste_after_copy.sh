#!/usr/bin/env bash
# Paste After Copy on X11: with it on, a click on a tile ends with the face typed into the xterm
# that had the keyboard before the picker opened; the face is also the primary selection; the
# copy outlives Pelmora where a clipboard manager runs; a window that is no terminal by its
# class gets Ctrl+V instead; the setting survives a restart and
# `pelmora --paste-after-copy off` reaches the running Pelmora.
# Arguments: the pelmora executable, pelmora-window-probe, the source tree.
set -euo pipefail
# shellcheck source=e2e.sh
source "$(dirname "$0")/e2e.sh"

command -v xterm >/dev/null || fail "xterm is missing; scripts/setup.sh installs it"

typed="$work/typed"
: >"$typed"

step "a clipboard manager of the test's own takes the clipboard over when its owner quits"
/usr/bin/python3 "$(dirname "$0")/clipboard_manager.py" >"$work/manager.log" 2>&1 &
app_pids+=("$!")
wait_until "the clipboard manager" grep -qs '^ready$' "$work/manager.log"

step "an xterm that writes what it receives to a file holds the keyboard"
# Without canonical mode cat gets each character at once, not at the end of a line.
xterm -T pelmora-paste-target -e sh -c "stty -icanon -echo; exec cat >'$typed'" &
app_pids+=("$!")
find_target() {
    target=$(xdotool search --onlyvisible --name '^pelmora-paste-target$' 2>/dev/null | head -n 1)
    [ -n "$target" ]
}
wait_until "the xterm on screen" find_target
give_target_the_keyboard() {
    xdotool windowfocus --sync "$target"
}
give_target_the_keyboard

pasting_setting_is() {
    local value
    value=$("$probe" setting "$config_file" PasteAfterCopy 2>/dev/null) || true
    [ "$value" = "$1" ] || fail "PasteAfterCopy in Pelmora.conf is '$value', not '$1'"
}

typed_count() {
    local face="$1" count="$2"
    [ "$(grep -o -F -- "$face" "$typed" | wc -l)" -ge "$count" ]
}

step "pelmora --paste-after-copy on starts Pelmora with pasting on, kept in Pelmora.conf"
start_app first --paste-after-copy on
wait_for_line "paste after copy on"
pasting_setting_is true
open_from_tray
click_in_picker first-tile
# The terminal may hand the face to cat in more than one piece.
typed_the_clipboard() {
    face=$(clipboard) || return 1
    [ -n "$face" ] && [ "$(cat "$typed")" = "$face" ]
}
wait_until "the face on the clipboard typed into the xterm" typed_the_clipboard
step "pasted $face"
primary=$(xclip -o -selection primary 2>/dev/null) || true
[ "$primary" = "$face" ] || fail "the primary selection holds '$primary', not '$face'"
picker_is_hidden "$app_pid" || fail "the picker is still open after pasting"

step "an xterm under a class that names no terminal gets Ctrl+V"
# Raw mode passes Ctrl+V on as the byte 0x16.
plain_typed="$work/plain-typed"
: >"$plain_typed"
xterm -name plain -class Plain -T pelmora-plain-target \
    -e sh -c "stty raw -echo; exec cat >'$plain_typed'" &
app_pids+=("$!")
find_plain() {
    plain=$(xdotool search --onlyvisible --name '^pelmora-plain-target$' 2>/dev/null | head -n 1)
    [ -n "$plain" ]
}
wait_until "the plain xterm on screen" find_plain
xdotool windowfocus --sync "$plain"
open_from_tray
click_in_picker first-tile
wait_until "a key typed into the plain xterm" test -s "$plain_typed"
[ "$(od -An -tx1 "$plain_typed" | tr -d ' ')" = 16 ] \
    || fail "the plain xterm got $(od -An -tx1 "$plain_typed"), not Ctrl+V (16)"

step "Pelmora quits; the clipboard manager keeps the face"
kill -TERM "$app_pid"
wait_until "pelmora to quit" is_gone "$app_pid"
grep -q '^saved$' "$work/manager.log" || fail "pelmora did not hand the clipboard over"
[ "$(clipboard)" = "$face" ] || fail "after quitting the clipboard holds '$(clipboard)'"

step "after a restart pasting is still on: the face comes first under Recently Used"
start_app second
wait_for_line "tray shown"
give_target_the_keyboard
open_from_tray
click_in_picker first-tile
wait_until "the face typed again" typed_count "$face" 2

step "pelmora --paste-after-copy off reaches the running Pelmora: a click only copies"
later_start --paste-after-copy off
wait_for_line "paste after copy off"
pasting_setting_is false
open_from_tray
set_sentinel
click_in_picker first-tile
wait_until "the clipboard to receive a face" clipboard_changed
find_picker "$app_pid" || fail "the picker closed after a copy with pasting off"
typed_count "$face" 3 && fail "the face was pasted with pasting off"

step "passed"
