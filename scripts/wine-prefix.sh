#!/usr/bin/env bash
# Makes the checkout's Wine prefix once: fonts, a virtual desktop (own non-client painting
# is visible and clickable only there), no crash dialog, font replacements.
# Needs DISPLAY. A prefix made once (it carries a stamp file) is left as it is; to apply
# changed settings, delete build/wineprefix (or $TABIRA_WINEPREFIX) and run it again.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"

if [ -z "${DISPLAY:-}" ]; then
  echo "wine-prefix: no DISPLAY" >&2
  exit 1
fi

stamp="$WINEPREFIX/.tabira-prefix-v1"
if [ -f "$stamp" ]; then
  exit 0
fi

mkdir -p "$WINEPREFIX"
wineboot -i </dev/null >/dev/null 2>&1
wineserver -w

fonts="$WINEPREFIX/drive_c/windows/Fonts"
mkdir -p "$fonts"
cp -f /usr/share/wine/fonts/*.ttf /usr/share/wine/fonts/*.fon "$fonts"/ 2>/dev/null || true
for f in /usr/share/fonts/truetype/liberation/LiberationSans-*.ttf; do
  [ -f "$f" ] && cp -f "$f" "$fonts"/
done

reg=$(mktemp --suffix=.reg)
cat > "$reg" <<'REG'
REGEDIT4

[HKEY_CURRENT_USER\Software\Wine\Explorer]
"Desktop"="Default"

[HKEY_CURRENT_USER\Software\Wine\Explorer\Desktops]
"Default"="1280x1024"

[HKEY_CURRENT_USER\Software\Wine\WineDbg]
"ShowCrashDialog"=dword:00000000

[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]
"Arial"="Liberation Sans"
"Bookman Old Style"="URW Bookman"
REG
wine regedit /S "$reg" </dev/null >/dev/null 2>&1
rm -f "$reg"
wineserver -k || true
wineserver -w || true
touch "$stamp"
