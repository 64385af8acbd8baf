#!/usr/bin/env bash
# Renders the main objects of the demo skin with the skin tool and puts them side by side in
# docs/demo-skin.png (needs ImageMagick). Usage: demo-screenshot.sh SKINTOOL DEMO-SKIN
set -euo pipefail
tool=$1 skin=$2
root=$(cd "$(dirname "$0")/../.." && pwd)
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
"$tool" render "$skin" Form 360 200 "$tmp/form.png" --text "Tabira Teal" >/dev/null
"$tool" render "$skin" Form 360 200 "$tmp/form-inactive.png" --text "Inactive" --inactive >/dev/null
n=0
for s in 0 5 6 8; do
  "$tool" render "$skin" Button 90 28 "$tmp/button$n.png" --state $s --text "State $s" >/dev/null
  n=$((n + 1))
done
"$tool" render "$skin" PopupMenu 150 58 "$tmp/popup.png" --set Item=Open --set Separator=- --set Item2=Close --inactive >/dev/null
"$tool" render "$skin" Checkbox 110 14 "$tmp/check.png" --text "Checked" >/dev/null
"$tool" render "$skin" Hint 130 20 "$tmp/hint.png" --set Hint="A hint" >/dev/null
cd "$tmp"
convert button0.png button1.png button2.png button3.png -background none -splice 8x0 +append +repage buttons.png
convert popup.png check.png hint.png -background none -splice 12x0 -gravity north +append +repage small.png
convert form.png form-inactive.png -background none -splice 12x0 +append +repage forms.png
convert forms.png buttons.png small.png -background none -gravity northwest -splice 0x12 -append +repage \
  -bordercolor '#d9d4c7' -border 12 -background '#d9d4c7' -flatten "$root/docs/demo-skin.png"
echo "wrote $root/docs/demo-skin.png"
