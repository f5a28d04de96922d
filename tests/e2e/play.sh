#!/usr/bin/env bash
# Plays rideriddle on an X server of its own (Xvfb, 1024x768, no window manager) and watches it
# from outside, as a player sees it:
#   run 1: the splash fills the screen, the menu replaces it no sooner than three seconds later,
#          NEW GAME opens the board "Form1", which fills the screen;
#   run 2: started with arguments, which it ignores, Qt's options included; EXIT on the menu ends
#          the program at once with exit status 0.
# Screenshots splash.png, menu.png and board.png are left in the working directory.
# Every wait has a deadline and the program and the X server are always stopped at the end.
# Usage: play.sh <path to rideriddle>
set -uo pipefail

exe=${1:?usage: play.sh <path to rideriddle>}
shots=$PWD

# The menu's picture buttons, centres relative to the menu's client area.
readonly newGameX=$((240 + 329 / 2)) newGameY=$((120 + 73 / 2))
readonly exitX=$((240 + 329 / 2)) exitY=$((216 + 73 / 2))
# The splash timer runs 3 s from the splash's load, which comes after the program starts and
# a moment before the splash maps: the menu shows at least 3 s after the start, exactly, and
# about 3 s after the splash is seen. Under load the splash has been seen up to 0.15 s after its
# load, hence the margin. In microseconds.
readonly menuAfterStart=3000000 menuAfterSplashLeast=2500000 menuAfterSplashMost=6000000

# shellcheck source-path=SCRIPTDIR
source "$(dirname "$0")/lib.sh"

requireTools Xvfb xdotool xwininfo xprop import convert timeout
[[ -x $exe ]] || abort "no executable at $exe"
startXServer 75

# ---- run 1: splash, menu, NEW GAME ----
startApp run1
waitForNewWindow $((started + 15000000)) || abort "the splash window shows within 15 s"
splash=$found
splashAt=$foundAt
pass "the splash window $splash shows, $(seconds $((splashAt - started))) s after the start"
(sleep 0.8 && screenshot splash.png) &
shotJob=$!
checkFullScreen "the splash" "$splash"
checkProperty "the splash" "$splash" WM_CLASS '"rideriddle", "rideriddle"'
checkProperty "the splash" "$splash" WM_NAME ''

waitForNewWindow $((splashAt + 15000000)) "$splash" || abort "the menu shows after the splash"
menu=$found
menuAt=$foundAt
afterStart=$((menuAt - started))
if ((afterStart >= menuAfterStart)); then
    pass "the menu $menu shows no sooner than 3 s after the start: $(seconds $afterStart) s"
else
    fail "the menu $menu shows no sooner than 3 s after the start: $(seconds $afterStart) s"
fi
afterSplash=$((menuAt - splashAt))
if ((afterSplash >= menuAfterSplashLeast && afterSplash <= menuAfterSplashMost)); then
    pass "the menu replaces the splash about 3 s after it shows: $(seconds $afterSplash) s"
else
    fail "the menu replaces the splash about 3 s after it shows: $(seconds $afterSplash) s"
fi
if waitUntilGone "$splash" $((menuAt + 1000000)); then
    pass "the splash is gone $(seconds $(($(now) - menuAt))) s after the menu shows"
else
    fail "the splash is gone within 1 s of the menu showing"
fi
checkFullScreen "the menu" "$menu"
checkProperty "the menu" "$menu" WM_NAME ''
wait "$shotJob"

sleep 0.5 # the menu paints
screenshot menu.png
# The pictures on black: a window that shows but paints nothing, or paints it elsewhere, fails.
checkRegion splash.png 737x435+0+0 drawn "the splash picture"
checkRegion splash.png 287x768+737+0 black "right of the picture"
checkRegion splash.png 737x333+0+435 black "below the picture"
checkRegion menu.png 329x73+240+120 drawn "NEW GAME"
checkRegion menu.png 329x73+240+216 drawn "EXIT"
checkRegion menu.png 350x768+674+0 black "right of the buttons"

x xdotool mousemove --window "$menu" $newGameX $newGameY click 1
clicked=$(now)
waitForTitled Form1 $((clicked + 10000000)) || abort "NEW GAME opens a window titled Form1"
board=$found
pass "NEW GAME opens the board $board, titled Form1, $(seconds $(($(now) - clicked))) s after the click"
checkFullScreen "the board" "$board"
checkProperty "the board" "$board" WM_CLASS '"rideriddle", "rideriddle"'
sleep 0.5
screenshot board.png
appDied && fail "the program is still running with the board open"
stopApp

# ---- run 2: EXIT ----
# The program takes no command line, Qt's own options included: with these it still comes up on
# this X server.
startToMenu run2 -platform offscreen -reverse --help extra
sleep 0.3
x xdotool mousemove --window "$menu" $exitX $exitY click 1
clicked=$(now)
if ! waitForExit $((clicked + 5000000)); then
    fail "EXIT ends the program within 5 s"
elif ((status == 0)); then
    pass "EXIT ends the program $(seconds $(($(now) - clicked))) s after the click, status 0"
else
    fail "EXIT ends the program with status 0: the status is $status"
fi

finish "rideriddle end-to-end"
