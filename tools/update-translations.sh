#!/usr/bin/env bash
# Brings every translation file up to date with the program's texts: those the code passes
# through tr() and the texts of software/resources/settings_GUI.json. A new or changed text
# appears in each file as unfinished, for the translator (Qt Linguist opens the files); the
# tests fail until every language has it.
#   tools/update-translations.sh [FOLDER]     (or: make translations, in the build folder)
# FOLDER holds the velmora_*.ts files; by default the repository's.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
folder=${1:-$root/software/resources/translations}
lupdate=${LUPDATE:-/usr/lib/qt5/bin/lupdate}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
python3 "$root/tools/settings_texts.py" "$root/software/resources/settings_GUI.json" > "$work/settings_texts.cpp"
files=()
for language in de fr es it ja zh_CN; do
    files+=("$folder/velmora_$language.ts")
done
"$lupdate" -silent -locations none -no-obsolete -extensions cpp,h \
    "$root/software" "$work/settings_texts.cpp" -ts "${files[@]}"
