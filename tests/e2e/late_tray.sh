#!/usr/bin/env bash
# A panel that comes up after Pelmora, as at login when the apps it holds start first: a tray
# that appears within the first seconds takes the item at once; one that appears after Pelmora
# fell back to a window of its own takes the item then, and the window hides until it is
# clicked. Arguments: the pelmora executable, pelmora-window-probe, the source tree.
set -euo pipefail
export XSESSION_TRAY=later
# shellcheck source=e2e.sh
source "$(dirname "$0")/e2e.sh"

step "a tray that comes a second after the start takes the item, and no window shows"
start_app early
sleep 1
xsession_start_tray || fail "trayer did not start"
wait_for_line "tray shown"
wait_until "the tray item of pelmora" find_tray_item "$app_pid"
picker_is_hidden "$app_pid" || fail "the picker showed as a window although a tray came in time"
open_from_tray
xsession_end "$app_pid"
wait "$app_pid" 2>/dev/null || true
xsession_stop_tray

step "without a tray the picker is a window; a tray that comes later takes it in"
start_app late
wait_for_line "window opened"
wait_until "the picker as a window of its own" find_picker "$app_pid"
xsession_start_tray || fail "trayer did not start"
wait_for_line "tray shown"
wait_until "the tray item of pelmora" find_tray_item "$app_pid"
wait_until "the window to go into the tray" picker_is_hidden "$app_pid"
open_from_tray

step "passed"
