#!/usr/bin/env bash
# Hears rideriddle as a screen reader does: the real program on an X server of its own (Xvfb),
# on a private D-Bus session with the accessibility bus (AT-SPI), listened to and driven by a
# pyatspi client (atspi_client.py): the menu's picture buttons and the board's lists say what they
# are, the hidden score box is not offered, a press on Find while a message box is open opens no
# second box; the client presses EXIT at the end and the program ends with status 0.
# Every wait has a deadline; the program, the buses, the accessibility registry and the X server
# are always stopped at the end.
# Usage: atspi.sh <path to rideriddle>
set -uo pipefail

exe=${1:?usage: atspi.sh <path to rideriddle>}
shots=$PWD
here=$(cd "$(dirname "$0")" && pwd)
readonly launcher=/usr/libexec/at-spi-bus-launcher python=/usr/bin/python3 # Debian's, with pyatspi

# shellcheck source-path=SCRIPTDIR
source "$here/lib.sh"

requireTools Xvfb xwininfo xdotool dbus-daemon dbus-send timeout "$launcher" "$python"
[[ -x $exe ]] || abort "no executable at $exe"
"$python" -c 'import pyatspi' 2>/dev/null || abort "pyatspi is not installed for $python"
startXServer 90

# A session bus of the test's own, its socket in the test's folder, that starts no service by
# itself: what the test does not start does not run.
cat >"$work/session.conf" <<EOF
<!DOCTYPE busconfig PUBLIC "-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">
<busconfig>
  <type>session</type>
  <listen>unix:dir=$work</listen>
  <auth>EXTERNAL</auth>
  <policy context="default">
    <allow send_destination="*" eavesdrop="true"/>
    <allow eavesdrop="true"/>
    <allow own="*"/>
  </policy>
</busconfig>
EOF
timeout 90 dbus-daemon --config-file="$work/session.conf" --nofork --print-address=3 \
    3>"$work/bus" >"$work/bus.log" 2>&1 &
sessionBus=$!
helpers+=("$sessionBus")
for _ in $(seq 100); do
    [[ -s $work/bus ]] && break
    kill -0 "$sessionBus" 2>/dev/null || break
    sleep 0.05
done
[[ -s $work/bus ]] || abort "the session bus starts"
DBUS_SESSION_BUS_ADDRESS=$(head -n1 "$work/bus")
export DBUS_SESSION_BUS_ADDRESS
unset AT_SPI_BUS_ADDRESS

# The accessibility bus: its launcher starts a bus of its own, where the registry starts on the
# first call.
timeout 90 "$launcher" --launch-immediately >"$work/launcher.log" 2>&1 &
a11yLauncher=$!
helpers=("$a11yLauncher" "${helpers[@]}") # stopped before the session bus
busOwned() {
    x dbus-send --session --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
        org.freedesktop.DBus.NameHasOwner string:org.a11y.Bus | grep -q 'boolean true'
}
deadline=$(($(now) + 10000000))
until busOwned; do
    if (($(now) >= deadline)) || ! kill -0 "$a11yLauncher" 2>/dev/null; then
        cat "$work/launcher.log"
        abort "the accessibility bus starts within 10 s"
    fi
    sleep 0.05
done
pass "a private session bus and the accessibility bus run"

export QT_ACCESSIBILITY=1 QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
appLifetime=60 startToMenu atspi
pass "the menu shows"

if timeout 60 "$python" "$here/atspi_client.py"; then
    pass "the accessibility client's checks"
else
    fail "the accessibility client's checks"
fi

if waitForExit $(($(now) + 10000000)); then
    if ((status == 0)); then
        pass "EXIT, pressed over the accessibility bus, ends the program with status 0"
    else
        fail "EXIT, pressed over the accessibility bus, ends the program with status 0: $status"
    fi
else
    fail "EXIT, pressed over the accessibility bus, ends the program within 10 s"
fi

# The registry runs beneath the accessibility bus, which runs beneath its launcher: stop it
# first, by its id, and see that each has gone.
descendants() { # <pid>: the process and every process beneath it, deepest last
    local child
    echo "$1"
    for child in $(pgrep -P "$1"); do
        descendants "$child"
    done
}
running() { kill -0 "$1" 2>/dev/null && [[ $(ps -o stat= -p "$1") != Z* ]]; } # a zombie has ended
mapfile -t started < <(
    descendants "$a11yLauncher"
    descendants "$sessionBus"
)
for ((i = ${#started[@]} - 1; i >= 0; i--)); do
    kill "${started[i]}" 2>/dev/null
done
deadline=$(($(now) + 5000000))
left=()
for pid in "${started[@]}"; do
    while running "$pid" && (($(now) < deadline)); do
        sleep 0.05
    done
    running "$pid" && left+=("$(ps -o comm= -p "$pid")")
done
if ((${#left[@]} == 0)); then
    pass "the buses and the registry have stopped"
else
    fail "the buses and the registry have stopped: still running: ${left[*]}"
fi

finish "the program heard and driven over the accessibility bus"
