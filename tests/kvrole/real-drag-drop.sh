#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Drives the real role editor under Xvfb with xdotool and checks each step in the saved file with
# kvtool dump: a competency dragged from one role window into another is copied there; Copy puts
# both text flavours on the clipboard (read from outside with xclip); plain text and code-page text
# offered by another program paste as they should; a competency dragged within its window moves.
# Not part of ctest: it waits on real windows with fixed pauses, which a loaded machine can outrun.
# Usage: tests/kvrole/real-drag-drop.sh BUILD_BIN_DIR [SCREENSHOT_DIR]
# Needs Xvfb, xdotool, xclip and python3. Exits 77 when one is missing.
set -eu
BIN=$(cd "$1" && pwd)
SHOTS=${2:-}
for tool in Xvfb xdotool xclip python3; do
    command -v $tool >/dev/null || { echo "skipped: $tool missing"; exit 77; }
done
WORK=$(mktemp -d)
chmod 700 "$WORK"
# Xvfb picks a free display and writes its number, so that runs side by side do not collide.
Xvfb -displayfd 3 -screen 0 1280x900x24 -nolisten tcp 3>"$WORK/display" 2>"$WORK/xvfb.log" &
XVFB=$!
KVROLE=
cleanup() {
    [ -n "$KVROLE" ] && kill "$KVROLE" 2>/dev/null || true
    kill "$XVFB" 2>/dev/null || true
    rm -rf "$WORK"
}
trap cleanup EXIT
for _ in 1 2 3 4 5 6 7 8 9 10; do
    [ -s "$WORK/display" ] && break
    sleep 0.5
done
export DISPLAY=:$(cat "$WORK/display") XDG_RUNTIME_DIR=$WORK HOME=$WORK

cd "$WORK"
printf 'Asks open questions,Coaching\r\nAgrees \223next\224 steps,Coaching\r\nSets milestones,Planning\r\n' >a.csv
printf 'Listens well,Communication\r\n' >b.csv
"$BIN/kvtool" role a.kvr --csv a.csv >/dev/null
"$BIN/kvtool" role b.kvr --csv b.csv >/dev/null

shot() { [ -z "$SHOTS" ] || import -window root "$SHOTS/$1.png"; }

"$BIN/KVRole" "$WORK/a.kvr" >"$WORK/kvrole.log" 2>&1 &
KVROLE=$!
xdotool search --sync --onlyvisible --name "a\\.kvr" >/dev/null
sleep 1
xdotool mousemove 300 300 click 1
sleep 0.3
xdotool key ctrl+o
sleep 1.5
xdotool type --delay 30 b.kvr
xdotool key Return
sleep 1.5
# Window > Tile puts b.kvr (the active one) on the left and a.kvr on the right half.
xdotool mousemove 193 8 click 1
sleep 0.7
xdotool mousemove 204 73 click 1
sleep 1
shot tiled
MAIN=$(xdotool search --onlyvisible --name 'kvr' | head -1)
MAIN_WIDTH=$(xdotool getwindowgeometry --shell "$MAIN" | sed -n 's/^WIDTH=//p')
RIGHT=$((MAIN_WIDTH / 2))

# Drag a.kvr's first competency onto b.kvr's first competency: a copy in front of it.
xdotool mousemove $((RIGHT + 96)) 101
sleep 0.2
xdotool mousedown 1
for point in "$((RIGHT + 88)) 105" "$((RIGHT + 68)) 110" "$((RIGHT - 2)) 120" "300 110" "150 102" "117 101"; do
    xdotool mousemove $point
    sleep 0.15
done
sleep 0.4
shot drag-in-progress
xdotool mouseup 1
sleep 1
# The drop made b.kvr the active window; save it.
xdotool key ctrl+s
sleep 1
"$BIN/kvtool" dump b.kvr >b.json
python3 - b.json <<'PY'
import json, sys
role = json.load(open(sys.argv[1]))["framework"]
names = [c["name"] for c in role["competencies"]]
behaviours = [(b["statement"], b["competency"]) for b in role["behaviours"]]
expected_names = ["Coaching", "Communication"]
expected = [("Asks open questions", 0), ("Agrees \u201cnext\u201d steps", 0), ("Listens well", 1)]
if names != expected_names or behaviours != expected:
    sys.exit("drop copied wrongly: %s %s" % (names, behaviours))
print("drag and drop: b.kvr holds", names, behaviours)
PY

# Copy on a.kvr's first competency, then read the clipboard as another program would.
# (A click on the item already selected would open its label editor, so select it by key.)
xdotool mousemove $((RIGHT + 96)) 119 click 1
sleep 0.3
xdotool key Up ctrl+c
sleep 0.5
xclip -o -selection clipboard -t 'text/plain;charset=windows-1252' >cp1252.txt
xclip -o -selection clipboard -t UTF8_STRING >utf8.txt
printf 'Coaching\tAsks open questions\r\nCoaching\tAgrees \223next\224 steps\r\n' >expected-cp1252.txt
printf 'Coaching\tAsks open questions\r\nCoaching\tAgrees \342\200\234next\342\200\235 steps\r\n' >expected-utf8.txt
cmp cp1252.txt expected-cp1252.txt
cmp utf8.txt expected-utf8.txt
echo "clipboard: both flavours hold the expected bytes"

# Plain text from another program pasted on b.kvr's second competency: appended there, with the
# character the files' code page lacks stored as "?".
printf 'Gives feedback\nShares credit \342\230\203\n' | xclip -i -selection clipboard 2>/dev/null
sleep 0.3
xdotool mousemove 117 119 click 1
sleep 0.3
xdotool key ctrl+v
sleep 0.5
shot pasted
xdotool key ctrl+s
sleep 1
"$BIN/kvtool" dump b.kvr >b.json
python3 - b.json <<'PY'
import json, sys
role = json.load(open(sys.argv[1]))["framework"]
behaviours = [(b["statement"], b["competency"]) for b in role["behaviours"]]
expected = [("Asks open questions", 0), ("Agrees \u201cnext\u201d steps", 0), ("Listens well", 1),
            ("Gives feedback", 1), ("Shares credit ?", 1)]
if behaviours != expected:
    sys.exit("paste went wrong: %s" % behaviours)
print("paste from another program: b.kvr holds", behaviours)
PY

# Within b.kvr, its first competency dragged below the last item moves to the end, behaviours and all.
xdotool mousemove 97 101
sleep 0.2
xdotool mousedown 1
for point in "100 110" "110 150" "130 300" "150 400"; do
    xdotool mousemove $point
    sleep 0.15
done
sleep 0.4
shot move-in-progress
xdotool mouseup 1
sleep 1
xdotool key ctrl+s
sleep 1
"$BIN/kvtool" dump b.kvr >b.json
python3 - b.json <<'PY'
import json, sys
role = json.load(open(sys.argv[1]))["framework"]
names = [c["name"] for c in role["competencies"]]
behaviours = [(b["statement"], b["competency"]) for b in role["behaviours"]]
expected = [("Listens well", 0), ("Gives feedback", 0), ("Shares credit ?", 0), ("Asks open questions", 1),
            ("Agrees \u201cnext\u201d steps", 1)]
if names != ["Communication", "Coaching"] or behaviours != expected:
    sys.exit("move went wrong: %s %s" % (names, behaviours))
print("move within a window: b.kvr holds", names, behaviours)
PY

# Another program offering only the code page's bytes: they are taken as they are.
printf 'Caf\351 cr\350me\n' | xclip -i -selection clipboard -t 'text/plain;charset=windows-1252' 2>/dev/null
sleep 0.3
xdotool mousemove 150 83 click 1
sleep 0.3
xdotool key ctrl+v
sleep 0.5
xdotool key ctrl+s
sleep 1
"$BIN/kvtool" dump b.kvr >b.json
python3 - b.json <<'PY'
import json, sys
names = [c["name"] for c in json.load(open(sys.argv[1]))["framework"]["competencies"]]
if names != ["Communication", "Coaching", "Caf\u00e9 cr\u00e8me"]:
    sys.exit("code page paste went wrong: %s" % names)
print("code page paste from another program: b.kvr holds", names)
PY
