#!/usr/bin/env bash
# One Pelmora per user: a second `pelmora` hands its request to the running one and exits 0,
# which shows the picker; `pelmora --toggle` hides it again and shows it once more. The startup
# id the desktop gives a launch (DESKTOP_STARTUP_ID) reaches the picker that launch opens, for
# the window manager, and goes when the picker hides.
# Arguments: the pelmora executable, pelmora-window-probe, the source tree.
set -euo pipefail
# shellcheck source=e2e.sh
source "$(dirname "$0")/e2e.sh"

step "the first start puts its item in the tray"
start_app first
wait_for_line "tray shown"
wait_until "the tray item of pelmora" find_tray_item "$app_pid"

step "a second start shows the first one's picker and exits 0"
later_start
wait_for_line "window opened"
wait_until "the picker window on screen" find_picker "$app_pid"
is_running "$app_pid" || fail "the first pelmora ended"

step "--toggle hides the picker"
later_start --toggle
wait_for_line "window hidden"
wait_until "the picker window to leave the screen" picker_is_hidden "$app_pid"

startup_id() {
    xprop -id "$picker" _NET_STARTUP_ID 2>/dev/null
}

step "--toggle shows it again, with the startup id of its launch"
DESKTOP_STARTUP_ID="e2e-launch_TIME42" later_start --toggle
wait_for_line "window opened" 2
wait_until "the picker window on screen" find_picker "$app_pid"
[ "$(startup_id)" = '_NET_STARTUP_ID(UTF8_STRING) = "e2e-launch_TIME42"' ] \
    || fail "the picker carries no startup id of the launch: $(startup_id)"

step "--toggle hides it, and the startup id goes"
later_start --toggle
wait_for_line "window hidden" 2
[[ "$(startup_id)" == *"not found"* ]] || fail "the startup id outlived the opening: $(startup_id)"

step "passed"
