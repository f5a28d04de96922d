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

failed=0
pass() { echo "PASS: $*"; }
fail() {
    echo "FAIL: $*"
    failed=1
}
# Ends the test at once: a later step cannot run without this one.
abort() {
    fail "$@"
    exit 1
}

now() { echo "${EPOCHREALTIME/./}"; } # microseconds
seconds() { printf '%d.%03d' $(($1 / 1000000)) $(($1 % 1000000 / 1000)); }

for tool in Xvfb xdotool xwininfo xprop import convert timeout; do
    command -v "$tool" >/dev/null || abort "$tool is not installed"
done
[[ -x $exe ]] || abort "no executable at $exe"

work=$(mktemp -d "${TMPDIR:-/tmp}/rideriddle-e2e.XXXXXX")
app=
xvfb=
stopApp() {
    if [[ -n $app ]]; then
        kill "$app" 2>/dev/null
        wait "$app" 2>/dev/null
        app=
    fi
}
# shellcheck disable=SC2317 # run by the trap below
cleanup() {
    stopApp
    if [[ -n $xvfb ]]; then
        kill "$xvfb" 2>/dev/null
        wait "$xvfb" 2>/dev/null
    fi
    rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 1' INT TERM HUP

# The X server picks a free display itself and reports it; `timeout` bounds its life even if
# this script is killed before its clean-up runs.
timeout 75 Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset \
    3>"$work/display" >"$work/xvfb.log" 2>&1 &
xvfb=$!
for _ in $(seq 100); do
    [[ -s $work/display ]] && break
    kill -0 "$xvfb" 2>/dev/null || break
    sleep 0.1
done
[[ -s $work/display ]] || {
    cat "$work/xvfb.log"
    abort "Xvfb did not start"
}
DISPLAY=":$(head -n1 "$work/display")"
export DISPLAY
unset WAYLAND_DISPLAY XAUTHORITY
export QT_QPA_PLATFORM=xcb XDG_RUNTIME_DIR=$work/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"
timeout 5 xwininfo -root >/dev/null || abort "cannot connect to Xvfb on $DISPLAY"
echo "X server on $DISPLAY"

x() { timeout 5 "$@" 2>/dev/null; } # one X client call, never hanging
visibleWindows() { x xdotool search --onlyvisible --class '^rideriddle$'; }
viewable() { x xwininfo -id "$1" | grep -q 'Map State: IsViewable'; }
geometry() { # x y width height
    x xwininfo -id "$1" | awk -F: '
        /Absolute upper-left X/ { gx = $2 } /Absolute upper-left Y/ { gy = $2 }
        /^ *Width/ { w = $2 } /^ *Height/ { h = $2 }
        END { printf "%d %d %d %d", gx, gy, w, h }'
}
checkFullScreen() { # <what> <window>
    local g
    g=$(geometry "$2")
    if [[ $g == "0 0 1024 768" ]]; then
        pass "$1 fills the screen (x y w h = $g)"
    else
        fail "$1 fills the screen: x y w h = $g, not 0 0 1024 768"
    fi
}
checkProperty() { # <what> <window> <property> <expected xprop value>
    local got
    got=$(x xprop -notype -id "$2" "$3")
    if [[ $got == "$3 = $4" ]]; then
        pass "$1 has $3 = ${4:-(empty)}"
    else
        fail "$1 has $3 = ${4:-(empty)}: xprop says '$got'"
    fi
}
# Whether a rectangle of a screenshot is all black or shows something.
checkRegion() { # <screenshot> <WxH+X+Y> black|drawn <what>
    local max
    max=$(convert "$shots/$1" -crop "$2" +repage -format '%[fx:maxima]' info: 2>/dev/null)
    if [[ $3 == black && $max == 0 ]] || [[ $3 == drawn && -n $max && $max != 0 ]]; then
        pass "$1: $4 ($2) is $3"
    else
        fail "$1: $4 ($2) is $3: its brightest channel is '${max}'"
    fi
}

startApp() { # <log name> [<arguments>...]
    log=$work/$1.log
    started=$(now)
    timeout 45 "$exe" "${@:2}" >"$log" 2>&1 &
    app=$!
}
appDied() {
    if ! kill -0 "$app" 2>/dev/null; then
        sed 's/^/    program: /' "$log"
        return 0
    fi
    return 1
}
# Waits until a visible window of the program other than <except> shows; sets `found` and
# `foundAt`. Returns non-zero when the deadline passes or the program ends.
waitForNewWindow() { # <deadline in µs> [<except>]
    local id
    found=
    while (($(now) < $1)); do
        for id in $(visibleWindows); do
            if [[ $id != "${2:-}" ]]; then
                found=$id
                foundAt=$(now)
                return 0
            fi
        done
        appDied && return 1
        sleep 0.02
    done
    return 1
}
waitUntilGone() { # <window> <deadline in µs>
    while (($(now) < $2)); do
        viewable "$1" || return 0
        sleep 0.02
    done
    return 1
}

# ---- run 1: splash, menu, NEW GAME ----
startApp run1
waitForNewWindow $((started + 15000000)) || abort "the splash window shows within 15 s"
splash=$found
splashAt=$foundAt
pass "the splash window $splash shows, $(seconds $((splashAt - started))) s after the start"
(sleep 0.8 && timeout 10 import -window root "$shots/splash.png") &
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
timeout 10 import -window root "$shots/menu.png"
# The pictures on black: a window that shows but paints nothing, or paints it elsewhere, fails.
checkRegion splash.png 737x435+0+0 drawn "the splash picture"
checkRegion splash.png 287x768+737+0 black "right of the picture"
checkRegion splash.png 737x333+0+435 black "below the picture"
checkRegion menu.png 329x73+240+120 drawn "NEW GAME"
checkRegion menu.png 329x73+240+216 drawn "EXIT"
checkRegion menu.png 350x768+674+0 black "right of the buttons"

x xdotool mousemove --window "$menu" $newGameX $newGameY click 1
clicked=$(now)
board=
while (($(now) < clicked + 10000000)); do
    board=$(x xdotool search --onlyvisible --name '^Form1$' | head -n1)
    [[ -n $board ]] && break
    appDied && break
    sleep 0.05
done
[[ -n $board ]] || abort "NEW GAME opens a window titled Form1"
pass "NEW GAME opens the board $board, titled Form1, $(seconds $(($(now) - clicked))) s after the click"
checkFullScreen "the board" "$board"
checkProperty "the board" "$board" WM_CLASS '"rideriddle", "rideriddle"'
sleep 0.5
timeout 10 import -window root "$shots/board.png"
appDied && fail "the program is still running with the board open"
stopApp

# ---- run 2: EXIT ----
# The program takes no command line, Qt's own options included: with these it still comes up on
# this X server.
startApp run2 -platform offscreen -reverse --help extra
waitForNewWindow $((started + 15000000)) ||
    abort "run 2: with arguments given, the splash window shows on the X server within 15 s"
splash=$found
waitForNewWindow $((foundAt + 15000000)) "$splash" || abort "run 2: the menu shows"
menu=$found
waitUntilGone "$splash" $((foundAt + 2000000)) || abort "run 2: the splash goes"
sleep 0.3
x xdotool mousemove --window "$menu" $exitX $exitY click 1
clicked=$(now)
while (($(now) < clicked + 5000000)) && kill -0 "$app" 2>/dev/null; do
    sleep 0.02
done
if kill -0 "$app" 2>/dev/null; then
    fail "EXIT ends the program within 5 s"
else
    ended=$(now)
    wait "$app"
    status=$?
    app=
    if ((status == 0)); then
        pass "EXIT ends the program $(seconds $((ended - clicked))) s after the click, status 0"
    else
        sed 's/^/    program: /' "$log"
        fail "EXIT ends the program with status 0: the status is $status"
    fi
fi

if ((failed)); then
    echo "FAIL: rideriddle end-to-end"
else
    echo "PASS: rideriddle end-to-end"
fi
exit $failed
