#!/bin/bash
# Packs the release zip, unpacks it in a fresh folder and starts kestil.exe
# from there under a Wine prefix made for this run (a clean Windows): the
# program shows its main window and closes, and it wrote nothing outside
# HKEY_CURRENT_USER, nor into its own folder.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
KESTIL_PACKAGE_PREBUILT=1 scripts/package >/dev/null
zip="$(ls build/kestil-*.zip | head -1)"
dir="$(mktemp -d)"
source scripts/wine-env
export WINEPREFIX="$dir/prefix"
trap 'wineserver -k >/dev/null 2>&1 || true; rm -rf "$dir"' EXIT
fail() { echo "$1"; exit 1; }
python3 -m zipfile -e "$zip" "$dir/unzipped"
exe="$(ls "$dir"/unzipped/kestil-*/kestil.exe)"
for f in README.md LICENSE.txt licences/Scintilla.txt licences/Lexilla.txt licences/Tidy.txt images/main-window.png; do
  [ -f "$(dirname "$exe")/$f" ] || fail "missing $f"
done
wineboot -i >/dev/null 2>&1
wineserver -w
touch "$dir/started"
wine "$exe" &
pid=$!
if ! wine build/win/kestil_drive.exe wait; then
  kill $pid 2>/dev/null || true
  fail "kestil.exe from the package showed no main window"
fi
wine build/win/kestil_drive.exe close
wait $pid
wineserver -w
grep -q 'Software\\\\Ulmore Soft\\\\kestil' "$WINEPREFIX/user.reg" || fail "no options in HKEY_CURRENT_USER"
if grep -il 'kestil\|Ulmore' "$WINEPREFIX/system.reg" "$WINEPREFIX/userdef.reg"; then
  fail "kestil.exe wrote outside HKEY_CURRENT_USER"
fi
written="$(find "$dir/unzipped" -newer "$dir/started")"
[ -z "$written" ] || fail "kestil.exe wrote into its folder: $written"
echo "1 passed, 0 failed"
