#!/bin/bash
# Packs the release zip, unpacks it in a fresh folder and starts kestil.exe
# from there under Wine: the program shows its main window and closes.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
KESTIL_PACKAGE_PREBUILT=1 scripts/package >/dev/null
zip="$(ls build/kestil-*.zip | head -1)"
dir="$(mktemp -d)"
trap 'rm -rf "$dir"' EXIT
python3 -m zipfile -e "$zip" "$dir"
exe="$(ls "$dir"/kestil-*/kestil.exe)"
for f in README.md LICENSE.txt images/main-window.png; do
  [ -f "$(dirname "$exe")/$f" ] || { echo "missing $f"; exit 1; }
done
source scripts/wine-env
wine "$exe" &
pid=$!
if ! wine build/win/kestil_drive.exe wait; then
  echo "kestil.exe from the package showed no main window"
  kill $pid 2>/dev/null || true
  exit 1
fi
wine build/win/kestil_drive.exe close
wait $pid
echo "1 passed, 0 failed"
