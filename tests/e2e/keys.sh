#!/usr/bin/env bash
# Holds Enter down on the real program for three seconds at a time, on an X server of its own
# with openbox and the server's key auto-repeat on, and watches it from outside. One press of a
# held key acts once:
#   - on Find with nothing ticked: exactly one "invalid selection" box, still open after the
#     release, with the board behind it;
#   - on Find with Check1 ticked: the " boat" box stays up, the board is still there behind it
#     and the catalogue text is unchanged (no repeat reaches the menu or a new board);
#   - on NEW GAME: one board, and its catalogue box takes no line breaks.
# Screenshots held-invalid.png, held-boat.png and held-newgame.png are left in the working
# directory.
# Usage: keys.sh <path to rideriddle>
set -uo pipefail

exe=${1:?usage: keys.sh <path to rideriddle>}
shots=$PWD

# shellcheck source-path=SCRIPTDIR
source "$(dirname "$0")/lib.sh"

requireTools Xvfb openbox xdotool xwininfo xprop xset xev stdbuf import convert compare timeout
[[ -x $exe ]] || abort "no executable at $exe"
startXServer 85

# The board's controls, relative to its client area (pixels at 15 twips each).
readonly check1X=$((32 + 10)) check1Y=$((136 + 16))
# The left part of the catalogue box, inside its frame and clear of its text cursor: typed line
# breaks move every row down. Where a message box stands over part of it, only what lies left of
# the box's frame is compared.
readonly catalogueLeft='150x165+194+302'
readonly holdSeconds=3

startWindowManager

x xset r on
if x xset q | grep -q 'auto repeat: *on'; then
    pass "the X server repeats a held key"
else
    abort "the X server repeats a held key: $(x xset q | grep -i 'auto repeat')"
fi

# Every window mapped on the screen, one line each: a box that flashes past is counted too.
stdbuf -oL xev -root -event substructure >"$work/xev.log" 2>&1 &
helpers+=($!)
maps() { grep -c '^MapNotify event' "$work/xev.log"; }

# After a hold: a message box shows (or the wait ends after 5 s), and the program has had time
# to take every repeat.
settle() {
    waitForTitled rideriddle $(($(now) + 5000000))
    sleep 0.5
}

hold() { # <key>
    x xdotool keydown "$1"
    sleep $holdSeconds
    x xdotool keyup "$1"
}

appLifetime=75 startToMenu keys

x xdotool key space # NEW GAME has the focus
waitForTitled Form1 $(($(now) + 10000000)) || abort "NEW GAME opens the board"
board=$found
sleep 0.5 # the window manager maximizes it
read -r boardX boardY _ _ <<<"$(geometry "$board")"
region() { # <WxH+X+Y relative to the board's client area>
    local size=${1%%+*} offset=${1#*+}
    echo "$size+$((boardX + ${offset%%+*}))+$((boardY + ${offset#*+}))"
}
x xdotool key shift+Tab # from the catalogue box back to Find
sleep 0.2

# ---- Enter held on Find, nothing ticked ----
before=$(maps)
hold Return
settle
box=$(x xdotool search --onlyvisible --name '^rideriddle$' | head -n1)
screenshot held-invalid.png
shown=$(($(maps) - before))
if ((shown == 1)); then
    pass "Enter held on Find with nothing ticked shows one box"
else
    fail "Enter held on Find with nothing ticked shows one box: $shown were mapped"
fi
if [[ -z $box ]] || ! viewable "$board"; then
    abort "the box stays open after the release, the board behind it"
fi
pass "the box stays open after the release, the board behind it"
x xdotool key Return
waitUntilGone "$box" $(($(now) + 3000000)) || abort "a new press of Enter closes the box"
viewable "$board" || abort "the board stays after \"invalid selection\""

# ---- Enter held on Find, Check1 ticked ----
x xdotool mousemove $((boardX + check1X)) $((boardY + check1Y)) click 1
for _ in $(seq 6); do
    x xdotool key Tab # Check1 to Find
done
sleep 0.3
screenshot before-held.png
before=$(maps)
hold Return
settle
box=$(x xdotool search --onlyvisible --name '^rideriddle$' | head -n1)
screenshot held-boat.png
shown=$(($(maps) - before))
if ((shown == 1)) && [[ -n $box ]] && viewable "$board"; then
    pass "Enter held on Find with Check1 ticked: the box stays up over the board"
else
    fail "Enter held on Find with Check1 ticked: the box stays up over the board ($shown mapped)"
fi
# The part of a region (absolute WxH+X+Y) that lies left of a window's frame.
leftOf() { # <region> <window>
    local w h rx ry fx
    IFS='x+' read -r w h rx ry <<<"$1"
    read -r fx _ <<<"$(frameOf "$2")"
    [[ -n $fx ]] && ((fx - rx < w)) && w=$((fx - rx))
    echo "${w}x$h+$rx+$ry"
}
compared=$(leftOf "$(region $catalogueLeft)" "$box")
[[ ${compared%%x*} -ge 30 ]] || abort "the catalogue box's left part shows beside the box: $compared"
changed=$(differingPixels before-held.png held-boat.png "$compared")
if [[ $changed == 0 ]]; then
    pass "the catalogue text is unchanged"
else
    fail "the catalogue text is unchanged: $changed pixels differ"
fi
x xdotool key Return
if waitUntilGone "$board" $(($(now) + 3000000)); then
    pass "OK on the verdict returns to the menu"
else
    abort "OK on the verdict returns to the menu"
fi

# ---- Enter held on NEW GAME ----
sleep 0.3
before=$(maps)
hold Return
waitForTitled Form1 $(($(now) + 5000000)) || abort "Enter held on NEW GAME opens the board"
board=$found
sleep 0.5 # the program has had time to take every repeat
screenshot held-newgame.png
shown=$(($(maps) - before))
if ((shown == 1)); then
    pass "Enter held on NEW GAME opens one board"
else
    fail "Enter held on NEW GAME opens one board: $shown windows were mapped"
fi
read -r boardX boardY _ _ <<<"$(geometry "$board")"
changed=$(differingPixels before-held.png held-newgame.png "$(region $catalogueLeft)")
if [[ $changed == 0 ]]; then
    pass "the new board's catalogue text takes no line breaks"
else
    fail "the new board's catalogue text takes no line breaks: $changed pixels differ"
fi

finish "a held key acts once"
