#!/usr/bin/env bash
# The whole trip through the real program on a virtual display with a tray host: the tray item
# clicked at once opens the picker, "cat" typed at once finds the cat faces, a click copies the
# first one, Ctrl+Q quits and takes the tray item away, and after a restart the face waits first
# under "Recently Used".
# Arguments: the pelmora executable, pelmora-window-probe, the source tree.
set -euo pipefail
# shellcheck source=e2e.sh
source "$(dirname "$0")/e2e.sh"

catalog="$source_dir/src/model/PresetCatalogData.cpp"

is_cat_face() {
    # The faces of the "Cat" block of the catalog, one raw string literal each.
    sed -n '/ catEntries\[\] = {/,/^};/p' "$catalog" | grep -qF "R\"~($1)~\""
}

recently_used() {
    "$probe" setting "$config_file" RecentlyUsedKaomojis 2>/dev/null
}

step "first start: a click on the tray item and \"cat\" typed at once, while the picker is built"
start_app first
wait_until "the tray item of pelmora" find_tray_item "$app_pid"
first_tray_item="$tray_item"
xdotool mousemove --window "$tray_item" 8 8 click 1 type --delay 0 cat
wait_for_line "window opened"
wait_until "the picker window on screen" find_picker "$app_pid"
wait_until "the picker window to take the keyboard" picker_has_focus

step "the search holds \"cat\": the first tile copies a cat face"
set_sentinel
click_in_picker first-tile
wait_until "the clipboard to receive a face" clipboard_changed
face=$(clipboard)
is_cat_face "$face" || fail "copied '$face', which is not a face of the \"Cat\" category"
step "copied $face"

step "Ctrl+Q quits with status 0 and takes the tray item away"
picker_has_focus || fail "the picker lost the keyboard after the click"
xdotool key --clearmodifiers ctrl+q
wait_until "pelmora to quit after Ctrl+Q" is_gone "$app_pid"
status=0
wait "$app_pid" || status=$?
[ "$status" -eq 0 ] || fail "pelmora quit with status $status after Ctrl+Q"
if xdotool getwindowname "$first_tray_item" >/dev/null 2>&1; then
    fail "the tray item $first_tray_item is still there after quitting"
fi

step "second start: the face is the first tile under \"Recently Used\""
start_app second
wait_for_line "tray shown"
open_from_tray
set_sentinel
click_in_picker first-tile
wait_until "the clipboard to receive a face" clipboard_changed
again=$(clipboard)
[ "$again" = "$face" ] || fail "the first tile after the restart copied '$again', not '$face'"

step "the settings file keeps the face under RecentlyUsedKaomojis"
[ -f "$config_file" ] || fail "no settings file at $config_file (found: $(cd "$work" && find config -type f))"
recently_used | grep -qF -- "$face" \
    || fail "RecentlyUsedKaomojis in $config_file does not hold $face: $(recently_used)"

step "passed"
