#!/usr/bin/env bash
# Starts rideriddle on displays it cannot use and under platform requests it does not follow, and
# watches from outside what it says and what it shows:
#   refusals: on an 8-bit screen (Xvfb 800x600x8), without DISPLAY (WAYLAND_DISPLAY alone, or
#             nothing), and with a DISPLAY that no server answers, whatever QT_QPA_PLATFORM asks
#             for, it prints one line on standard error that says why, ends with status 1 (no
#             crash, no abort, no leak report), and maps no window on the 8-bit screen;
#   runs:     with QT_QPA_PLATFORM=wayland and a WAYLAND_DISPLAY that names no compositor it runs
#             on the working X display: the splash and the menu show and paint, EXIT ends it
#             with status 0; with QT_QPA_PLATFORM=offscreen and no display at all it keeps
#             running on Qt's offscreen platform.
# Screenshots 8bit-refusal.png and wayland-menu.png are left in the working directory.
# Every wait has a deadline and every program and X server is stopped at the end.
# Usage: displays.sh <path to rideriddle>
set -uo pipefail

exe=${1:?usage: displays.sh <path to rideriddle>}
shots=$PWD

# The menu's EXIT button, its centre relative to the menu's client area.
readonly exitX=$((240 + 329 / 2)) exitY=$((216 + 73 / 2))

# shellcheck source-path=SCRIPTDIR
source "$(dirname "$0")/lib.sh"

requireTools Xvfb xev xprop xdotool xwininfo import convert timeout
[[ -x $exe ]] || abort "no executable at $exe"
startXServer 90
readonly good=$DISPLAY

# The 8-bit screen, on a second Xvfb that picks its own display. Its root is white, so that a
# window that paints nothing still shows, as a black patch.
timeout 90 Xvfb -displayfd 3 -screen 0 800x600x8 -wr -nolisten tcp -noreset \
    3>"$work/display8" >"$work/xvfb8.log" 2>&1 &
helpers+=($!)
for _ in $(seq 100); do
    [[ -s $work/display8 ]] && break
    sleep 0.1
done
[[ -s $work/display8 ]] || abort "the 8-bit Xvfb did not start: $(tail -n3 "$work/xvfb8.log")"
eight=":$(head -n1 "$work/display8")"
readonly eight
timeout 5 xwininfo -display "$eight" -root | grep -q 'Depth: 8' ||
    abort "the screen of $eight is 8 bits deep"

# A display that no server answers: no socket and no lock file, and nothing answers it.
dead=
for n in $(seq 5900 5999); do
    if [[ ! -e /tmp/.X11-unix/X$n && ! -e /tmp/.X$n-lock ]]; then
        dead=:$n
        break
    fi
done
if [[ -z $dead ]] || timeout 5 xwininfo -display "$dead" -root >/dev/null 2>&1; then
    abort "a display without a server"
fi
echo "8-bit screen on $eight, no server on $dead"

# Watches every window that is created or mapped on the 8-bit screen, from before the program
# starts to after it ends: a window that shows for a moment only still leaves its MapNotify.
xev -display "$eight" -root -event substructure -event property >"$work/xev.out" 2>&1 &
helpers+=($!)
# Sets a property on the 8-bit screen's root window and waits until xev has seen it: every
# event before it has been written out too.
marks=0
markXev() {
    marks=$((marks + 1))
    local deadline=$(($(now) + 5000000))
    while (($(now) < deadline)); do
        x xprop -display "$eight" -root -f _RIDERIDDLE_MARK 8s -set _RIDERIDDLE_MARK "$marks"
        (($(grep -c '(_RIDERIDDLE_MARK)' "$work/xev.out") >= marks)) && return 0
        sleep 0.1
    done
    abort "xev sees the marks on $eight"
}
markXev

# ---- refusals ----
# what | the line it must print (extended regular expression) | the environment, among DISPLAY,
# WAYLAND_DISPLAY and QT_QPA_PLATFORM, that the program gets (the others are unset)
readonly needsX11='^rideriddle: needs an X11 display \(on a Wayland desktop, XWayland\), but '
refusals=(
    "an 8-bit screen|^rideriddle: cannot draw on DISPLAY=$eight, whose screen has 8-bit colour; |DISPLAY=$eight"
    "an 8-bit screen, xcb asked for|^rideriddle: cannot draw on DISPLAY=$eight, |DISPLAY=$eight QT_QPA_PLATFORM=xcb"
    "WAYLAND_DISPLAY alone|${needsX11}DISPLAY is not set\$|WAYLAND_DISPLAY=wayland-0"
    "WAYLAND_DISPLAY alone, wayland asked for|${needsX11}DISPLAY is not set\$|WAYLAND_DISPLAY=wayland-0 QT_QPA_PLATFORM=wayland"
    "no display at all|${needsX11}DISPLAY is not set\$|"
    "a DISPLAY without a server|${needsX11}cannot open DISPLAY=$dead\$|DISPLAY=$dead"
    "a DISPLAY without a server, wayland asked for|${needsX11}cannot open DISPLAY=$dead\$|DISPLAY=$dead QT_QPA_PLATFORM=wayland WAYLAND_DISPLAY=wayland-0"
)
for row in "${refusals[@]}"; do
    IFS='|' read -r what line settings <<<"$row"
    # shellcheck disable=SC2086 # the settings are words of NAME=value
    timeout 10 env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM -u XDG_SESSION_TYPE \
        $settings "$exe" >"$work/out" 2>"$work/err"
    status=$?
    lines=$(wc -l <"$work/err")
    if ((status == 1 && lines == 1)) && [[ ! -s $work/out ]] && grep -Eq "$line" "$work/err"; then
        pass "$what: status 1 and one line: $(cat "$work/err")"
    else
        fail "$what ($settings): status 1, one line matching '$line' on stderr and nothing on" \
            "stdout; the status is $status, with $lines lines on stderr"
        sed 's/^/    stderr: /' "$work/err" | head -n 20
        sed 's/^/    stdout: /' "$work/out" | head -n 5
    fi
done

markXev
maps=$(grep -c '^MapNotify event' "$work/xev.out")
creations=$(grep -c '^CreateNotify event' "$work/xev.out")
if ((maps == 0 && creations == 0)); then
    pass "no window was created or mapped on the 8-bit screen"
else
    fail "no window is created or mapped on the 8-bit screen: xev saw $creations created and" \
        "$maps mapped"
fi
children=$(x xwininfo -display "$eight" -root -children | grep -c '^ *0x')
((children == 0)) || fail "the 8-bit screen's root has no windows left: it has $children"
if DISPLAY=$eight screenshot 8bit-refusal.png; then
    darkest=$(convert "$shots/8bit-refusal.png" -format '%[fx:minima]' info:)
    [[ $darkest == 1 ]] || fail "8bit-refusal.png shows the white root alone: its darkest is '$darkest'"
else
    fail "a screenshot of the 8-bit screen"
fi

# ---- runs on the X display, whatever the environment asks for ----
QT_QPA_PLATFORM=wayland WAYLAND_DISPLAY=wayland-rideriddle-none startToMenu wayland
pass "QT_QPA_PLATFORM=wayland: the splash $splash and then the menu $menu show on $good"
sleep 0.5 # the menu paints
screenshot wayland-menu.png
checkRegion wayland-menu.png 329x73+240+120 drawn "NEW GAME"
checkRegion wayland-menu.png 329x73+240+216 drawn "EXIT"
x xdotool mousemove --window "$menu" $exitX $exitY click 1
clicked=$(now)
if ! waitForExit $((clicked + 5000000)); then
    fail "QT_QPA_PLATFORM=wayland: EXIT ends the program within 5 s"
elif ((status == 0)); then
    pass "QT_QPA_PLATFORM=wayland: EXIT ends the program with status 0"
else
    fail "QT_QPA_PLATFORM=wayland: EXIT ends the program with status 0: the status is $status"
fi
if grep -q 'platform plugin' "$log"; then
    fail "QT_QPA_PLATFORM=wayland: Qt looks for no other platform"
    sed 's/^/    program: /' "$log"
fi

# Offscreen needs no display and is kept: the program starts there and stays, where a refusal
# would have ended it at once.
unset DISPLAY
QT_QPA_PLATFORM=offscreen startApp offscreen
export DISPLAY=$good
sleep 2
if appDied; then
    fail "QT_QPA_PLATFORM=offscreen without a display: the program runs"
else
    pass "QT_QPA_PLATFORM=offscreen without a display: the program runs"
fi
stopApp
if grep -q '^rideriddle:' "$log"; then
    fail "QT_QPA_PLATFORM=offscreen without a display: the program says nothing about displays"
    sed 's/^/    program: /' "$log"
fi

finish "rideriddle on displays it cannot use"
