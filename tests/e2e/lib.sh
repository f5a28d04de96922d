# shellcheck shell=bash disable=SC2034,SC2154 # sets and reads the sourcing script's variables
# Shared by the end-to-end scripts: an X server of the script's own, the program started and
# watched from outside with xdotool, xwininfo and xprop, and PASS/FAIL lines. Every wait has a
# deadline, and the program, the X server and whatever the script starts beside them are
# stopped when the script ends.
# Source it with the program's path in $exe and the screenshots' folder in $shots; then call
# startXServer.

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
# The last line, and the exit status.
finish() { # <name of the test>
    if ((failed)); then
        echo "FAIL: $1"
    else
        echo "PASS: $1"
    fi
    exit $failed
}

now() { echo "${EPOCHREALTIME/./}"; } # microseconds
seconds() { printf '%d.%03d' $(($1 / 1000000)) $(($1 % 1000000 / 1000)); }

requireTools() { # <tool>...
    local tool
    for tool in "$@"; do
        command -v "$tool" >/dev/null || abort "$tool is not installed"
    done
}

work=$(mktemp -d "${TMPDIR:-/tmp}/rideriddle-e2e.XXXXXX")
app=
xvfb=
helpers=() # further processes to stop at the end
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
    local pid
    for pid in "${helpers[@]}" $xvfb; do
        kill "$pid" 2>/dev/null
        wait "$pid" 2>/dev/null
    done
    rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 1' INT TERM HUP

# Starts Xvfb at 1024x768x24 on a free display that it picks itself. `timeout` bounds its life
# even if the script is killed before its clean-up runs.
startXServer() { # <seconds it may live>
    timeout "$1" Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset \
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
}

x() { timeout 5 "$@" 2>/dev/null; } # one X client call, never hanging

# Starts openbox on the script's X server and waits until it manages the screen.
startWindowManager() {
    openbox --sm-disable >"$work/openbox.log" 2>&1 &
    helpers+=($!)
    local _
    for _ in $(seq 100); do
        x xprop -root _NET_SUPPORTING_WM_CHECK | grep -q 'window id' && break
        sleep 0.05
    done
    x xprop -root _NET_SUPPORTING_WM_CHECK | grep -q 'window id' || abort "openbox manages the screen"
    pass "openbox manages the screen"
}
visibleWindows() { x xdotool search --onlyvisible --class '^rideriddle$'; }
viewable() { x xwininfo -id "$1" | grep -q 'Map State: IsViewable'; }
geometry() { # x y width height
    x xwininfo -id "$1" | awk -F: '
        /Absolute upper-left X/ { gx = $2 } /Absolute upper-left Y/ { gy = $2 }
        /^ *Width/ { w = $2 } /^ *Height/ { h = $2 }
        END { printf "%d %d %d %d", gx, gy, w, h }'
}
fullScreen() { [[ $(geometry "$1") == "0 0 1024 768" ]]; } # <window>
# A window with the frame that the window manager puts around it: x y width height. Prints
# nothing before the window manager has framed it.
frameOf() { # <window>
    local extents gx gy w h
    extents=$(x xprop -id "$1" _NET_FRAME_EXTENTS) # left, right, top, bottom
    [[ $extents =~ =\ *([0-9]+),\ *([0-9]+),\ *([0-9]+),\ *([0-9]+)$ ]] || return 1
    local l=${BASH_REMATCH[1]} r=${BASH_REMATCH[2]} t=${BASH_REMATCH[3]} b=${BASH_REMATCH[4]}
    read -r gx gy w h <<<"$(geometry "$1")"
    echo "$((gx - l)) $((gy - t)) $((w + l + r)) $((h + t + b))"
}
# Whether a window fills the screen; given a number of seconds, waits that long at most for it.
checkFullScreen() { # <what> <window> [<seconds>]
    local g
    [[ -n ${3:-} ]] && waitUntil $(($(now) + $3 * 1000000)) fullScreen "$2"
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
screenshot() { # <file name in $shots>
    timeout 10 import -window root "$shots/$1"
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
# How many pixels of a rectangle differ between two screenshots, each a file name in $shots or
# a whole path.
differingPixels() { # <screenshot> <screenshot> <WxH+X+Y>
    local a=$1 b=$2
    [[ $a == /* ]] || a=$shots/$a
    [[ $b == /* ]] || b=$shots/$b
    convert "$a" -crop "$3" +repage "$work/a.png" &&
        convert "$b" -crop "$3" +repage "$work/b.png" &&
        { compare -metric AE "$work/a.png" "$work/b.png" null: >/dev/null; } 2>&1 # says it on stderr
}

startApp() { # <log name> [<arguments>...]
    log=$work/$1.log
    started=$(now)
    timeout "${appLifetime:-45}" "$exe" "${@:2}" >"$log" 2>&1 &
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
waitForNewWindow() { # <deadline in µs> [<except>...]
    local id other
    found=
    while (($(now) < $1)); do
        for id in $(visibleWindows); do
            for other in "${@:2}"; do
                [[ $id == "$other" ]] && continue 2
            done
            found=$id
            foundAt=$(now)
            return 0
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
# Runs <command> until it succeeds; returns non-zero when the deadline passes first.
waitUntil() { # <deadline in µs> <command> [<argument>...]
    until "${@:2}"; do
        (($(now) < $1)) || return 1
        sleep 0.05
    done
}
# Waits until a visible window titled exactly <title> shows; sets `found`.
waitForTitled() { # <title> <deadline in µs>
    found=
    while (($(now) < $2)); do
        found=$(x xdotool search --onlyvisible --name "^$1\$" | head -n1)
        [[ -n $found ]] && return 0
        appDied && return 1
        sleep 0.02
    done
    return 1
}
# Waits until the program ends; sets `status` to its exit status. Returns non-zero when it is
# still running at the deadline.
waitForExit() { # <deadline in µs>
    while (($(now) < $1)) && kill -0 "$app" 2>/dev/null; do
        sleep 0.02
    done
    kill -0 "$app" 2>/dev/null && return 1
    wait "$app"
    status=$?
    app=
    ((status == 0)) || sed 's/^/    program: /' "$log"
    return 0
}
# Starts the program and waits for its splash window and then its menu; sets `splash` and
# `menu`.
startToMenu() { # <log name> [<arguments>...]
    startApp "$@"
    waitForNewWindow $((started + 15000000)) || abort "$1: the splash window shows within 15 s"
    splash=$found
    splashAt=$foundAt
    waitForNewWindow $((splashAt + 15000000)) "$splash" || abort "$1: the menu shows after the splash"
    menu=$found
    menuAt=$foundAt
    waitUntilGone "$splash" $((menuAt + 2000000)) || abort "$1: the splash goes"
}
