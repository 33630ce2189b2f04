#!/usr/bin/env bash
# Renews the README's screenshots under a private virtual X server, written to docs/: the main
# window, the results window with the moment diagram, the list window's Rechenweg, the handbook,
# the design window with the example design, and the first page of the example's report. Run
# after a change of the windows or the report.
set -euo pipefail
cd "$(dirname "$0")/.."

source scripts/install_missing.sh
install_missing xvfb xdotool imagemagick poppler-utils
cmake --build build -j2 --target strevo strevo-cli

display=":$((90 + RANDOM % 9))"
Xvfb "$display" -screen 0 1400x1000x24 >/dev/null 2>&1 &
server=$!
export DISPLAY=$display
sleep 1
build/src/windows/app/strevo >/dev/null 2>&1 &
program=$!
scratch=$(mktemp -d)
trap 'kill $program $server 2>/dev/null; rm -rf "$scratch"' EXIT

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

# F4 opens the list; its second tab is the Rechenweg.
xdotool windowfocus --sync "$results" key F4
list=$(window Ergebnisliste)
sleep 0.5
xdotool mousemove --window "$list" 150 22 click 1
sleep 0.5
import -window "$list" docs/rechenweg.png

xdotool key F1
handbook=$(window Handbuch)
sleep 0.5
import -window "$handbook" docs/handbuch.png
xdotool key Escape

# F5 opens the design window; the example design is opened by typing its path into the file
# dialog, computed, and its governing combination for the columns chosen.
xdotool windowfocus --sync "$results" key F5
design=$(window Bemessung)
sleep 0.5
xdotool windowfocus --sync "$design" key ctrl+o
sleep 1
xdotool type --delay 5 "$PWD/tests/core/design/halle_nord.strevo"
xdotool key Return
sleep 1
xdotool mousemove --window "$design" 50 805 click 1
sleep 1
xdotool mousemove --window "$design" 760 204 click 1
sleep 0.5
import -window "$design" docs/bemessung.png

# The example's report: 1 says that a check is not met, which the example shows on purpose.
status=0
build/src/cli/strevo-cli tests/core/design/halle_nord.strevo --bericht "$scratch/bericht.pdf" ||
  status=$?
((status <= 1))
pdftoppm -png -r 80 -f 1 -l 1 -singlefile "$scratch/bericht.pdf" docs/bericht
echo "wrote docs/hauptfenster.png, schnittgroessen.png, rechenweg.png, handbuch.png," \
  "bemessung.png and bericht.png"
