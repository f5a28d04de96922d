#!/usr/bin/env bash
# Installs the build into a scratch prefix and checks that the executable, the desktop entry
# and the icon land where desktop environments look for them.
# Usage: install_layout.sh <build dir>
set -uo pipefail

build=${1:?usage: install_layout.sh <build dir>}
prefix=$(mktemp -d "${TMPDIR:-/tmp}/rideriddle-install.XXXXXX")
trap 'rm -rf "$prefix"' EXIT

if ! log=$(cmake --install "$build" --prefix "$prefix" 2>&1); then
    printf '%s\n' "$log"
    echo "FAIL: cmake --install $build --prefix $prefix"
    exit 1
fi

failed=0
check() { # check <description> <test expression...>
    local what=$1
    shift
    if test "$@"; then
        echo "PASS: $what"
    else
        echo "FAIL: $what"
        failed=1
    fi
}

check "bin/rideriddle is installed and executable" -x "$prefix/bin/rideriddle"
check "share/applications/rideriddle.desktop is installed" \
    -s "$prefix/share/applications/rideriddle.desktop"
check "share/icons/hicolor/32x32/apps/rideriddle.png is installed" \
    -s "$prefix/share/icons/hicolor/32x32/apps/rideriddle.png"
exit $failed
