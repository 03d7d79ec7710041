#!/usr/bin/env bash
# With 10,000 kaomoji of the user's own, building the window takes seconds. Clicks on the tray
# item meanwhile open it once it is ready, and SIGTERM, SIGINT and SIGHUP still end Pelmora
# within a second.
# Arguments: the pelmora executable, pelmora-window-probe, the source tree.
set -euo pipefail
# shellcheck source=e2e.sh
source "$(dirname "$0")/e2e.sh"

# A second for the app, and as much again for a machine busy with other work. Without the
# second's limit, Pelmora took 4 to 9 s here to end.
gone_within_ms=2000

step "a settings file with 10,000 kaomoji of the user's own"
mkdir -p "$(dirname "$config_file")"
{
    printf '[General]\nCustomKaomojis="@ByteArray(['
    for ((i = 0; i < 10000; i++)); do
        ((i == 0)) || printf ','
        printf '{\\"id\\":\\"%08x-0000-4000-8000-000000000000\\",\\"face\\":\\"(^_^) %d\\",' "$i" "$i"
        printf '\\"category\\":\\"Custom\\",\\"tags\\":[\\"mine\\"]}'
    done
    printf '])"\n'
} >"$config_file"

now_ms() {
    echo $((${EPOCHREALTIME/./} / 1000))
}

step "two clicks on the tray item while the window is built: it opens, and stays open"
start_app clicks
wait_until "the tray item of pelmora" find_tray_item "$app_pid"
# The second comes from a user who saw nothing happen after the first. Soon after: the
# window over this list is now built in a tenth of a second, and a second click that reaches
# the app more than a double click's time after the first (400 ms, which a busy machine's
# delays could make of 300) is a click to close.
xdotool mousemove --window "$tray_item" 8 8 click 1 sleep 0.15 click 1
wait_for_line "window shown"
sleep 1
find_picker "$app_pid" || fail "the picker is not on screen a second after it was shown"
picker_has_focus || fail "the picker does not have the keyboard"
xsession_end "$app_pid"

for signal in TERM INT HUP; do
    step "SIG$signal right after the tray item appears, while the window is built"
    start_app "$signal"
    wait_for_line "tray shown"
    sent=$(now_ms)
    kill -s "$signal" "$app_pid"
    while is_running "$app_pid" && (($(now_ms) - sent <= gone_within_ms)); do
        sleep 0.02
    done
    is_gone "$app_pid" || fail "pelmora still runs $gone_within_ms ms after SIG$signal"
    # Reaped only once its last thread has ended, which closes the instance socket that the
    # next start would otherwise find still open.
    wait "$app_pid" || true
    step "gone after $(($(now_ms) - sent)) ms"
done
# The list was read, so the window really was being built over it.
if grep -q "custom kaomojis" "$work/stdout.log"; then
    fail "the settings file was not read as it should: $(cat "$work/stdout.log")"
fi

step "passed"
