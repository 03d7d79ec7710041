#!/usr/bin/env bash
# Every string the app shows has its Japanese translation: lupdate over today's sources finds no
# string that translations/pelmora_ja.ts lacks or leaves unfinished.
set -euo pipefail
source_dir="$1"
lupdate="$2"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$source_dir/translations/pelmora_ja.ts" "$work/"
"$lupdate" -silent -no-obsolete -locations none "$source_dir/src" -ts "$work/pelmora_ja.ts" \
    2>/dev/null
if grep -B3 'type="unfinished"' "$work/pelmora_ja.ts"; then
    echo "untranslated above: run 'cmake --build build --target update_translations'" \
        "and translate them in translations/pelmora_ja.ts" >&2
    exit 1
fi
