#!/usr/bin/env bash
# Installs the build into a scratch prefix and checks that the executable, the desktop entry
# and the icon land where desktop environments look for them.
# The build's install_manifest.txt belongs to a real installation (the README removes one with
# it), perhaps made by root: the scratch install is of the default component, which keeps a
# manifest of its own, and leaves that file alone.
# Usage: install_layout.sh <build dir>
set -uo pipefail

build=${1:?usage: install_layout.sh <build dir>}
prefix=$(mktemp -d "${TMPDIR:-/tmp}/rideriddle-install.XXXXXX")
trap 'rm -rf "$prefix"' EXIT

manifest() { cat "$build/install_manifest.txt" 2>/dev/null || echo "(none)"; }
manifestBefore=$(manifest)

if ! log=$(cmake --install "$build" --prefix "$prefix" --component Unspecified 2>&1); then
    printf '%s\n' "$log"
    echo "FAIL: cmake --install $build --prefix $prefix --component Unspecified"
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
check "the build's install_manifest.txt is left as it was" "$(manifest)" = "$manifestBefore"
exit $failed
