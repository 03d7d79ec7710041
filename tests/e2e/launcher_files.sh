#!/usr/bin/env bash
# The command line a launcher and a user's own files use, on a virtual display with a tray host:
# kaomoji files exported and imported back unchanged, a duplicate or a bad file changing nothing,
# --copy keeping the clipboard from the background while no Pelmora runs, and, with Pelmora
# running, an import that its window shows at once and a launcher's pick copied through it.
# Arguments: the pelmora executable, pelmora-window-probe, the source tree.
set -euo pipefail
# shellcheck source=e2e.sh
source "$(dirname "$0")/e2e.sh"

custom_list() {
    "$app" --list --category custom --format tsv
}

recently_used() {
    "$probe" setting "$config_file" RecentlyUsedKaomojis 2>/dev/null
}

clipboard_is() {
    [ "$(clipboard)" = "$1" ]
}

# The background process --copy leaves behind, by this build's own path.
holder_runs() {
    pgrep -f -- "^$app --copy" >/dev/null
}

step "import a text file: faces with spaces and tags, newest first"
printf '( ˘ ³˘)♥\tkiss,zebrafoo\n(o_o)\n(u u)\tsleepy\n' >"$work/mine.txt"
"$app" --import "$work/mine.txt" 2>"$work/import.log" || fail "--import refused mine.txt"
grep -q "3 new kaomoji" "$work/import.log" || fail "unexpected import report: $(cat "$work/import.log")"
expected=$(printf '( ˘ ³˘)♥\tCustom\tkiss,zebrafoo\n(o_o)\tCustom\t\n(u u)\tCustom\tsleepy')
[ "$(custom_list)" = "$expected" ] || fail "custom list after import: $(custom_list)"

step "importing the same file again adds nothing"
"$app" --import "$work/mine.txt" 2>"$work/import.log"
grep -q "0 new kaomoji" "$work/import.log" || fail "a second import added: $(cat "$work/import.log")"
[ "$(custom_list)" = "$expected" ] || fail "custom list after a second import: $(custom_list)"

step "a bad line in the middle refuses the whole file"
printf '(^o^)\n\tno face\n(>_<)\n' >"$work/bad.txt"
status=0
"$app" --import "$work/bad.txt" 2>"$work/bad.log" || status=$?
[ "$status" -eq 1 ] || fail "--import of a bad file ended with $status"
grep -q "bad.txt: line 2: " "$work/bad.log" || fail "the refusal does not name line 2: $(cat "$work/bad.log")"
[ "$(custom_list)" = "$expected" ] || fail "a refused file changed the list: $(custom_list)"

for format in json txt; do
    step "export as $format, then import into a fresh user: the same list"
    "$app" --export "$work/out.$format" --format "$format" 2>/dev/null || fail "--export $format"
    again=$(XDG_CONFIG_HOME="$work/fresh-$format" bash -c \
        '"$1" --import "$2" 2>/dev/null && "$1" --list --category custom --format tsv' \
        _ "$app" "$work/out.$format")
    [ "$again" = "$expected" ] || fail "$format round trip gave: $again"
done

step "--copy without a running Pelmora: the copy stays from the background"
set_sentinel
"$app" --copy "(u u)" || fail "--copy failed"
wait_until "the clipboard to receive (u u)" clipboard_is "(u u)"
holder_runs || fail "nothing keeps the clipboard after --copy returned"
recently_used | grep -qF "(u u)" || fail "(u u) is not under Recently Used: $(recently_used)"
set_sentinel
wait_until "the background copy to end once another program takes the clipboard" \
    bash -c "! pgrep -f -- '^$app --copy' >/dev/null"

step "with Pelmora running, an import shows in its window at once"
# Started in the work folder, where the menu's folder dialog opens.
mkdir "$work/0-export"
cd "$work"
start_app running
wait_for_line "tray shown"
printf '(ᵔᴥᵔ)\tbear,zebrafoo\n' >"$work/bear.txt"
"$app" --import "$work/bear.txt" 2>"$work/import.log" || fail "--import with Pelmora running"
wait_for_line "1 new kaomoji from $work/bear.txt"
open_from_tray
xdotool type --delay 0 zebrafoo
set_sentinel
# The newest custom entry is the first tile of the search.
wait_until "the imported face to be the first tile" bash -c \
    "xdotool mousemove --window $picker \$('$probe' first-tile $picker) click 1 \
        && sleep 0.2 && [ \"\$(xclip -o -selection clipboard)\" = '(ᵔᴥᵔ)' ]"

step "the menu's Export… writes kaomoji.json into the folder picked in its dialog"
# The menu button at the header's end, then the second item; in the dialog (Qt Quick's own on
# a bare X server) the first folder, then "Open".
read -r _ picker_width _ < <(visible_windows "$app_pid" | awk '$2 > 64')
xdotool mousemove --window "$picker" $((picker_width - 20)) 30 click 1
sleep 1
xdotool key Down Down Return
sleep 1.5
xdotool mousemove --window "$picker" 65 110 click 1
sleep 0.5
xdotool mousemove --window "$picker" 161 380 click 1
wait_until "kaomoji.json in the picked folder" test -f "$work/0-export/kaomoji.json"
"$app" --export "$work/cli.json" 2>/dev/null
cmp -s "$work/cli.json" "$work/0-export/kaomoji.json" \
    || fail "the menu's export differs from --export: $(cat "$work/0-export/kaomoji.json")"

step "a launcher's pick goes through the running Pelmora: rofi -dmenu's place taken by grep"
set_sentinel
"$app" --list --query sleepy --format tsv | grep -F "(u u)" | head -n 1 | "$app" --copy - \
    || fail "--copy - failed"
wait_until "the clipboard to receive (u u)" clipboard_is "(u u)"
wait_for_line "copied (u u)"
holder_runs && fail "a background copy started although Pelmora runs"
step "a plain line (no tab) on standard input is the face"
printf '(o_o)\n' | "$app" --copy - || fail "--copy - of a plain line failed"
wait_until "the clipboard to receive (o_o)" clipboard_is "(o_o)"

step "passed"
