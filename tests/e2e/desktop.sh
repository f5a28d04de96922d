#!/usr/bin/env bash
# Plays rideriddle on an X server of its own with a window manager (openbox), as a player on a
# desktop meets it, and watches it from outside:
#   - the splash and the menu fill the screen;
#   - the board has the whole title bar: minimize, maximize and close, and opens maximized;
#     restored, it has its design client area with its whole frame on the screen; maximized again
#     it fills the screen;
#   - a paste with nothing to paste (keys, middle click; in the catalogue box and in a list's
#     text field) changes nothing and the game plays on; a paste of real text inserts it;
#   - every dropped list is wide enough for its widest entry;
#   - Find keeps its light-yellow face when the keyboard gives it the focus;
#   - a message box is wide enough for the title bar to show its caption "rideriddle";
#   - loading the board again and again does not make the program grow;
#   - EXIT ends the program with status 0.
# Screenshots are left in the working directory: restored.png, list.png, find.png, box.png, and
# the catalogue box before and after the pastes (before-paste.png, after-paste.png, pasted.png).
# RIDERIDDLE_E2E_SANITIZED=1 (a sanitizer build) loads the board a few times only and does not
# weigh the memory. RIDERIDDLE_E2E_BUDGET is the run's time budget in seconds, CTest's TIMEOUT for
# it: the X server and the program get their limits from it.
# Usage: desktop.sh <path to rideriddle>
set -uo pipefail

exe=${1:?usage: desktop.sh <path to rideriddle>}
shots=$PWD
sanitized=${RIDERIDDLE_E2E_SANITIZED:-0}
budget=${RIDERIDDLE_E2E_BUDGET:-600}
# The X server outlives the program and the script outlives both, so that what ran out of time
# is reported as such.
appLifetime=$((budget - 20))

# shellcheck source-path=SCRIPTDIR
source "$(dirname "$0")/lib.sh"

requireTools Xvfb openbox xdotool xwininfo xprop wmctrl xclip import convert compare timeout
[[ -x $exe ]] || abort "no executable at $exe"
((appLifetime >= 60)) || abort "a time budget of at least 80 s: $budget"
startXServer $((budget - 10))

# The board's controls, relative to its client area (pixels at 15 twips each).
readonly text1='497x177+184+296' text1X=$((184 + 250)) text1Y=$((296 + 90))
readonly check2X=$((152 + 40)) check2Y=$((136 + 16))
readonly findX=$((336 + 76)) findY=$((232 + 24))
comboX() { echo $((32 + 120 * ($1 - 1) + 88)); } # a list's drop-down arrow
readonly comboY=$((88 + 16))
# The widest entry of each list, in the lists' large font (DejaVu Sans Bold standing in at
# 18 pixels), and how many entries each list has.
readonly widest=(helecopter helecopter aeroplane richshaw rickshaw richshaw)
readonly entries=(10 9 10 13 8 10)
readonly listFont=/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf

# The width of a text's ink in a font at a pixel size.
inkWidth() { # <font file> <pixels> <text>
    convert -font "$1" -pointsize "$2" -density 72 "label:$3" -trim -format %w info:
}

# ---- the window manager ----
startWindowManager

startApp desktop
waitForNewWindow $((started + 15000000)) || abort "the splash window shows within 15 s"
splash=$found
checkFullScreen "the splash" "$splash" 2
waitForNewWindow $((foundAt + 15000000)) "$splash" || abort "the menu shows after the splash"
menu=$found
menuAt=$foundAt
pass "the menu shows after the splash"
checkFullScreen "the menu" "$menu" 2
waitUntilGone "$splash" $((menuAt + 2000000)) || abort "the splash goes"

# ---- the board under a window manager ----
x xdotool key space # NEW GAME has the focus
waitForTitled Form1 $(($(now) + 10000000)) || abort "NEW GAME opens the board"
board=$found
alive() { # <what was done>
    if appDied; then
        abort "the program survives: $1"
    fi
}
# shellcheck disable=SC2317 # called through waitUntil
maximized() { # <window>
    local states
    states=$(x xprop -id "$1" _NET_WM_STATE)
    [[ $states == *_NET_WM_STATE_MAXIMIZED_VERT* && $states == *_NET_WM_STATE_MAXIMIZED_HORZ* ]]
}
# shellcheck disable=SC2317 # called through waitUntil
fillsScreen() { maximized "$1" && [[ $(frameOf "$1") == "0 0 1024 768" ]]; } # <window>
# The board's client area stays where it is once it fills the screen: every later click is
# placed from its origin.
if waitUntil $(($(now) + 5000000)) fillsScreen "$board"; then
    pass "the board opens maximized, its frame filling the screen"
else
    fail "the board opens maximized, its frame filling the screen:" \
        "frame x y w h = $(frameOf "$board"); $(x xprop -id "$board" _NET_WM_STATE)"
fi
read -r boardX boardY _ _ <<<"$(geometry "$board")"
clickAt() { # <button> <x> <y>: a click on a point of the board's client area
    x xdotool mousemove $((boardX + $2)) $((boardY + $3)) click "$1"
}

# What the board asks of any window manager (Motif hints): the minimize, maximize and close
# functions, and a title bar with its menu and the minimize and maximize buttons. Each value
# either lists what it offers or, with its lowest bit set, what it leaves out.
offers() { # <value> <bits>
    if (($1 & 1)); then
        ((($1 & $2) == 0))
    else
        ((($1 & $2) == $2))
    fi
}
# A window without the hints has the default frame, with every button.
mwmHints=$(x xprop -id "$board" _MOTIF_WM_HINTS)
if [[ $mwmHints == *=* ]]; then
    IFS=', ' read -r mwmFlags mwmFunctions mwmDecorations _ <<<"${mwmHints#*=}"
    if [[ $mwmFlags =~ ^0x[0-9a-f]+$ && $mwmFunctions =~ ^0x[0-9a-f]+$ &&
        $mwmDecorations =~ ^0x[0-9a-f]+$ ]] &&
        { ((!(mwmFlags & 1))) || offers "$mwmFunctions" 0x38; } &&
        { ((!(mwmFlags & 2))) || offers "$mwmDecorations" 0x78; }; then
        pass "the board asks for minimize, maximize and close (Motif hints $mwmFlags $mwmFunctions $mwmDecorations)"
    else
        fail "the board asks for minimize, maximize and close: $mwmHints"
    fi
elif [[ $mwmHints == *"not found."* || $mwmHints == *"no such atom"* ]]; then
    pass "the board asks for the default frame with every button (no Motif hints)"
else
    fail "the board's Motif hints can be read: xprop says '$mwmHints'"
fi
actions=$(x xprop -id "$board" _NET_WM_ALLOWED_ACTIONS)
for action in MINIMIZE MAXIMIZE_HORZ MAXIMIZE_VERT CLOSE; do
    if [[ $actions == *"_NET_WM_ACTION_$action"* ]]; then
        pass "the board's title bar offers $action"
    else
        fail "the board's title bar offers $action: $actions"
    fi
done

# ---- restored and maximized again ----
# What the title bar's restore and maximize buttons ask of the window manager. Restored, the board
# has its design client area where the window manager places it, with the whole title bar within
# reach.
# shellcheck disable=SC2317 # called through waitUntil
restoredToDesign() { ! maximized "$board" && [[ $(geometry "$board") == *" 312 213" ]]; }
x wmctrl -i -r "$board" -b remove,maximized_vert,maximized_horz
if waitUntil $(($(now) + 5000000)) restoredToDesign; then
    pass "restored, the board has its design client area (x y w h = $(geometry "$board"))"
else
    fail "restored, the board has its design client area 312 x 213:" \
        "x y w h = $(geometry "$board"); $(x xprop -id "$board" _NET_WM_STATE)"
fi
read -r frameX frameY frameW frameH <<<"$(frameOf "$board")"
if [[ -n $frameH ]] && ((frameX >= 0 && frameY >= 0 && frameX + frameW <= 1024 &&
    frameY + frameH <= 768)); then
    pass "restored, the board's whole frame is on the screen (x y w h = $frameX $frameY $frameW $frameH)"
else
    fail "restored, the board's whole frame is on the screen: x y w h = $(frameOf "$board")"
fi
screenshot restored.png
x wmctrl -i -r "$board" -b add,maximized_vert,maximized_horz
if waitUntil $(($(now) + 5000000)) fillsScreen "$board"; then
    pass "maximized again, the board fills the screen"
else
    fail "maximized again, the board fills the screen:" \
        "frame x y w h = $(frameOf "$board"); $(x xprop -id "$board" _NET_WM_STATE)"
fi
read -r boardX boardY _ _ <<<"$(geometry "$board")"

# ---- paste with nothing to paste ----
# No program owns the clipboard or the selection on this new X server. The focus is in Text1.
text1Area=$(awk -v r="$text1" -v x="$boardX" -v y="$boardY" 'BEGIN {
    split(r, a, /[x+]/); printf "%dx%d+%d+%d", a[1], a[2], a[3] + x, a[4] + y }')
# The first picture of the catalogue box is taken once the box shows its text and holds still:
# not one flat colour, and no more than the caret changes between two screenshots in a row.
# shellcheck disable=SC2317 # called through waitUntil
catalogueStill() { # <screenshot>
    local previous=$work/previous.png flat moved
    [[ -s $shots/$1 ]] && cp "$shots/$1" "$previous"
    screenshot "$1" || return 1
    flat=$(convert "$shots/$1" -crop "$text1Area" +repage \
        -format '%[fx:standard_deviation == 0]' info:)
    [[ -s $previous && $flat == 0 ]] || return 1
    moved=$(differingPixels "$previous" "$1" "$text1Area")
    [[ $moved =~ ^[0-9]+$ ]] && ((moved < 100))
}
rm -f "$shots/before-paste.png"
waitUntil $(($(now) + 10000000)) catalogueStill before-paste.png ||
    abort "the catalogue box shows its text and holds still"
x xdotool key ctrl+v
alive "Ctrl+V in the catalogue box"
x xdotool key shift+Insert
alive "Shift+Insert in the catalogue box"
clickAt 2 $text1X $text1Y
alive "a middle click in the catalogue box"
clickAt 1 $((32 + 30)) $comboY
x xdotool key ctrl+v
alive "Ctrl+V in Combo1"
x xdotool click 2
alive "a middle click in Combo1"
sleep 0.3 # time for a wrong paste to show: nothing is waited for
alive "every paste with nothing to paste"
pass "the program survives every paste with nothing to paste"
screenshot after-paste.png
changed=$(differingPixels before-paste.png after-paste.png "$text1Area")
# The caret may blink and move: a few dozen pixels.
if [[ $changed =~ ^[0-9]+$ ]] && ((changed < 100)); then
    pass "the catalogue text stays as it was ($changed pixels differ, the caret)"
else
    fail "the catalogue text stays as it was: $changed pixels differ"
fi

# A paste of real text still works, once xclip owns the clipboard.
readonly pasteText="zzzz zzzz zzzz zzzz"
xclip -quiet -selection clipboard <<<"$pasteText" >/dev/null 2>&1 &
helpers+=($!)
# shellcheck disable=SC2317 # called through waitUntil
clipboardHolds() { [[ $(x xclip -o -selection clipboard) == "$pasteText" ]]; }
waitUntil $(($(now) + 5000000)) clipboardHolds || abort "xclip owns the clipboard"
clickAt 1 $text1X $text1Y
x xdotool key ctrl+v
# shellcheck disable=SC2317 # called through waitUntil
pasteShows() {
    screenshot pasted.png || return 1
    changed=$(differingPixels after-paste.png pasted.png "$text1Area")
    [[ $changed =~ ^[0-9]+$ ]] && ((changed >= 300))
}
if waitUntil $(($(now) + 5000000)) pasteShows; then
    pass "a paste of text inserts it ($changed pixels differ)"
else
    fail "a paste of text inserts it: $changed pixels differ"
fi
alive "pasting text"

# ---- the dropped lists ----
# On this desktop Qt draws the program in its Fusion style: a list's frame takes 1 pixel on either
# side, an entry's text 3 pixels of margin on either side, and a list of more than 10 entries
# (what a box shows at once) has a scroll bar 14 pixels wide beside them. A list is never narrower
# than its box, 97 pixels. tst_form1::droppedLists checks every entry against Qt's own size hints;
# this checks the window that a player sees.
for k in 1 2 3 4 5 6; do
    clickAt 1 "$(comboX $k)" $comboY
    if ! waitForNewWindow $(($(now) + 3000000)) "$menu" "$board"; then
        fail "Combo$k drops down its list"
        continue
    fi
    list=$found
    sleep 0.2
    ((k == 2)) && screenshot list.png
    read -r _ _ listW _ <<<"$(geometry "$list")"
    need=$(($(inkWidth "$listFont" 18 "${widest[k - 1]}") + 2 * 3 + 2 * 1))
    ((entries[k - 1] > 10)) && need=$((need + 14))
    ((need < 97)) && need=97
    if ((listW >= need)); then
        pass "Combo$k's list is $listW pixels wide: \"${widest[k - 1]}\" needs $need"
    else
        fail "Combo$k's list is $listW pixels wide: \"${widest[k - 1]}\" needs $need"
    fi
    x xdotool key Escape
    waitUntilGone "$list" $(($(now) + 2000000)) || fail "Escape closes Combo$k's list"
done

# ---- Find with the keyboard focus ----
clickAt 1 $text1X $text1Y
for _ in $(seq 13); do
    x xdotool key Tab
done
sleep 0.3
screenshot find.png
face=$(convert "$shots/find.png" -format "%[pixel:p{$((boardX + 336 + 10)),$((boardY + 232 + 10))}]" info:)
if [[ $face == "srgb(255,255,192)" ]]; then
    pass "Find's face stays light yellow with the focus"
else
    fail "Find's face stays light yellow with the focus: $face"
fi

# ---- message boxes under the window manager ----
captionInk=$(inkWidth /usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf 10.7 rideriddle)
checkBox() { # <what> <window>
    local extents top w
    extents=$(x xprop -id "$2" _NET_FRAME_EXTENTS) # left, right, top, bottom
    IFS=', ' read -r _ _ top _ <<<"${extents#*= }"
    read -r _ _ w _ <<<"$(geometry "$2")"
    # The title bar holds the window's icon, the caption and three buttons, each about as wide
    # as the bar is high; openbox's caption font is sans, bold, 8 points.
    local need=$((captionInk + 5 * top))
    if [[ $top =~ ^[0-9]+$ ]] && ((top > 0 && w >= need)); then
        pass "$1 is $w pixels wide, room for its caption in a title bar of $top pixels ($need)"
    else
        fail "$1 is $w pixels wide, room for its caption: needs $need (frame: $extents)"
    fi
}

# shellcheck disable=SC2317 # called through waitUntil
framed() { frameOf "$1" >/dev/null; } # <window>
x xdotool key space # Find with nothing ticked
waitForNewWindow $(($(now) + 5000000)) "$menu" "$board" || abort "Find shows a message"
box=$found
waitUntil $(($(now) + 5000000)) framed "$box" || fail "the window manager frames the message box"
screenshot box.png
checkProperty "the message box" "$box" WM_NAME '"rideriddle"'
checkBox '"invalid selection"' "$box"
x xdotool key Return
waitUntilGone "$box" $(($(now) + 3000000)) || fail "OK closes the message box"

clickAt 1 $check2X $check2Y
clickAt 1 $findX $findY
waitForNewWindow $(($(now) + 5000000)) "$menu" "$board" || abort "Find names the vehicle"
box=$found
waitUntil $(($(now) + 5000000)) framed "$box" || fail "the window manager frames the verdict"
checkBox 'the verdict " tram"' "$box"
x xdotool key Return
if waitUntilGone "$board" $(($(now) + 3000000)); then
    pass "after the verdict the board goes: the game played on after the pastes"
else
    fail "after the verdict the board goes"
fi

# ---- the board loaded again and again ----
# The program runs under `timeout`, as its only child.
rss() { awk '/^VmRSS/ { print $2 }' "/proc/$(pgrep -P "$app" | head -n1)/status"; } # kB
loadAndClose() { # NEW GAME from the keyboard, then the window manager's close (Alt+F4)
    local deadline=$(($(now) + 15000000))
    x xdotool key space
    waitForTitled Form1 $deadline || return 1
    x xdotool key alt+F4
    waitUntilGone "$found" $deadline
}
# Sets `why` to how the program ended, for a failure message; empty while it runs.
programEnd() {
    why=
    kill -0 "$app" 2>/dev/null && return
    wait "$app"
    local s=$?
    app=
    if ((s == 124)); then
        why=": the program's time limit of $appLifetime s ran out"
    else
        why=": the program ended with status $s"
    fi
}
# The loads stop while the program has time left for the steps after them.
loadsEnd=$((started + (appLifetime - 15) * 1000000))
loads=300 warmUp=20
((sanitized)) && loads=10 warmUp=0
loopStart=$(now)
for ((i = 0; i < warmUp + loads; ++i)); do
    if (($(now) > loadsEnd)); then
        abort "the time budget of $budget s runs out: $i of $((warmUp + loads)) loads done" \
            "in $(seconds $(($(now) - loopStart))) s"
    fi
    if ((i == warmUp)); then
        before=$(rss)
        [[ $before =~ ^[0-9]+$ ]] || abort "the program's memory can be read: '$before'"
    fi
    loadAndClose || {
        programEnd
        abort "NEW GAME and Alt+F4: load $i of $((warmUp + loads))," \
            "$(seconds $(($(now) - loopStart))) s into the loads$why"
    }
done
after=$(rss)
[[ $after =~ ^[0-9]+$ ]] || abort "the program's memory can be read after the loads: '$after'"
took=$(seconds $(($(now) - loopStart)))
pass "$loads boards loaded and closed through the window manager after $warmUp more, in $took s"
if ((sanitized)); then
    echo "SKIP: memory growth over the loads (a sanitizer build): $before kB to $after kB"
elif ((after - before <= 512)); then
    pass "$loads loads of the board grow the program by $((after - before)) kB (at most 512)"
else
    fail "$loads loads of the board grow the program by $((after - before)) kB: at most 512"
fi

# ---- EXIT ----
x xdotool mousemove $((240 + 164)) $((216 + 36)) click 1
if ! waitForExit $(($(now) + 5000000)); then
    fail "EXIT ends the program within 5 s"
elif ((status == 0)); then
    pass "EXIT ends the program with status 0"
else
    fail "EXIT ends the program with status 0: the status is $status"
fi

finish "rideriddle on a desktop"
