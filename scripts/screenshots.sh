#!/usr/bin/env bash
# Renews the README's screenshots under a private virtual X server: the main window and the
# results window with the moment diagram, written to docs/. Run after a change of the windows.
set -euo pipefail
cd "$(dirname "$0")/.."

source scripts/install_missing.sh
install_missing xvfb xdotool imagemagick
cmake --build build -j2 --target strevo

display=":$((90 + RANDOM % 9))"
Xvfb "$display" -screen 0 1400x1000x24 >/dev/null 2>&1 &
server=$!
export DISPLAY=$display
sleep 1
build/src/windows/app/strevo >/dev/null 2>&1 &
program=$!
trap 'kill $program $server 2>/dev/null' EXIT

window() { xdotool search --sync --onlyvisible --name "^$1\$" | head -n 1; }
main=$(window Strevoberechnung)
sleep 0.5
mkdir -p docs
import -window "$main" docs/hauptfenster.png
xdotool windowfocus --sync "$main" key alt+s
results=$(window "Schnittgrößen")
sleep 0.5
# "Moment": the button at 7080, 2880 twips, 1215 x 375 (15 twips a pixel).
xdotool mousemove --window "$results" 512 204 click 1
sleep 0.5
import -window "$results" docs/schnittgroessen.png
echo "wrote docs/hauptfenster.png and docs/schnittgroessen.png"
