#!/usr/bin/env bash
# Puts the shots of the worked example in every shipped look (looks-0.bmp .. looks-3.bmp,
# written by tabira_calculator_test into its working folder) side by side, each named, into
# docs/looks.png (needs ImageMagick). Usage: looks-sheet.sh SHOT-DIR
set -euo pipefail
dir=${1:?usage: looks-sheet.sh SHOT-DIR}
root=$(cd "$(dirname "$0")/.." && pwd)
names=("Flat" "Office XP" "Teal (Tema)" "Gelap (Tema)")
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
tiles=()
for i in 0 1 2 3; do
  convert "$dir/looks-$i.bmp" -background '#d9d4c7' -fill '#202020' -font DejaVu-Sans -pointsize 14 \
    label:"${names[$i]}" -gravity center -append +repage "$tmp/$i.png"
  tiles+=("$tmp/$i.png")
done
convert "${tiles[@]}" -background '#d9d4c7' -splice 12x0 +append +repage \
  -bordercolor '#d9d4c7' -border 12 "$root/docs/looks.png"
echo "wrote $root/docs/looks.png"
