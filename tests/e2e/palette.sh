#!/usr/bin/env bash
# Plays rideriddle on a dark desktop palette, as a player whose desktop is dark meets it: an X
# server of its own with a window manager (openbox), Qt's GTK 3 platform theme and the dark GTK
# theme Adwaita:dark. From a screenshot of the board:
#   - the dark palette is in force: the board's background, the window-text colour, is light;
#     the catalogue box follows the palette and is dark;
#   - the captions on the light-yellow faces read: Find's and Check1's darkest pixels contrast
#     with the face at least 4.5 : 1 (relative luminance, as WCAG measures contrast);
# and on the menu, the focus mark shows when Tab brings the focus to EXIT.
# Screenshots are left in the working directory: dark-menu.png, dark-menu-exit.png,
# dark-board.png.
# Usage: palette.sh <path to rideriddle>
set -uo pipefail

exe=${1:?usage: palette.sh <path to rideriddle>}
shots=$PWD

# shellcheck source-path=SCRIPTDIR
source "$(dirname "$0")/lib.sh"

requireTools Xvfb openbox xdotool xwininfo xprop import convert compare awk timeout
[[ -x $exe ]] || abort "no executable at $exe"
startXServer 80

# The dark desktop: Qt takes its palette from GTK 3, and GTK from the theme named here.
export QT_QPA_PLATFORMTHEME=gtk3 GTK_THEME=Adwaita:dark
unset QT_STYLE_OVERRIDE

# The board's controls, relative to its client area (pixels at 15 twips each). The captions'
# areas leave out Find's border and Check1's indicator.
readonly findCaption='147x43+339+235'
readonly check1Caption='63x33+56+136'
readonly face='255 255 192' # light yellow, &H00C0FFFF&

# The contrast of the pixel of a rectangle of a screenshot that contrasts most with a colour:
# the lighter relative luminance plus 0.05 over the darker one plus 0.05.
mostContrast() { # <screenshot> <WxH+X+Y> <r g b>
    convert "$shots/$1" -crop "$2" +repage -depth 8 txt:- | awk -v face="$3" '
        function linear(c) { c /= 255; return c <= 0.04045 ? c / 12.92 : exp(2.4 * log((c + 0.055) / 1.055)) }
        function luminance(r, g, b) { return 0.2126 * linear(r) + 0.7152 * linear(g) + 0.0722 * linear(b) }
        BEGIN { split(face, f, " "); lf = luminance(f[1], f[2], f[3]); best = 1; pixels = 0 }
        /^[0-9]+,[0-9]+:/ {
            if (!match($0, /\([0-9]+,[0-9]+,[0-9]+/)) next
            split(substr($0, RSTART + 1, RLENGTH - 1), p, ",")
            l = luminance(p[1], p[2], p[3]); pixels++
            ratio = l > lf ? (l + 0.05) / (lf + 0.05) : (lf + 0.05) / (l + 0.05)
            if (ratio > best) best = ratio
        }
        END { if (pixels == 0) print "none"; else printf "%.2f\n", best }'
}
checkCaption() { # <screenshot> <WxH+X+Y relative to the client area> <what>
    local area ratio w h left top
    IFS='x+' read -r w h left top <<<"$2"
    area="${w}x${h}+$((boardX + left))+$((boardY + top))"
    ratio=$(mostContrast "$1" "$area" "$face")
    if [[ $ratio != none ]] && awk -v r="$ratio" 'BEGIN { exit !(r >= 4.5) }'; then
        pass "$3 reads on the light yellow: contrast $ratio : 1"
    else
        fail "$3 reads on the light yellow: contrast ${ratio} : 1, less than 4.5 : 1"
    fi
}
# The relative luminance of one pixel of a screenshot, 0 (black) to 1 (white).
luminanceAt() { # <screenshot> <x> <y>
    convert "$shots/$1" -crop "1x1+$2+$3" +repage -depth 8 txt:- | awk '
        function linear(c) { c /= 255; return c <= 0.04045 ? c / 12.92 : exp(2.4 * log((c + 0.055) / 1.055)) }
        /^0,0:/ { match($0, /\([0-9]+,[0-9]+,[0-9]+/); split(substr($0, RSTART + 1, RLENGTH - 1), p, ",")
                  printf "%.3f\n", 0.2126 * linear(p[1]) + 0.7152 * linear(p[2]) + 0.0722 * linear(p[3]) }'
}

# ---- the window manager ----
startWindowManager

appLifetime=70 startToMenu palette
pass "the menu shows after the splash"

# ---- the menu: the focus mark on EXIT ----
sleep 0.3
screenshot dark-menu.png
x xdotool key Tab # NEW GAME had the focus
sleep 0.3
screenshot dark-menu-exit.png
read -r menuX menuY _ _ <<<"$(geometry "$menu")"
changed=$(differingPixels dark-menu.png dark-menu-exit.png "329x73+$((menuX + 240))+$((menuY + 216))")
if [[ $changed =~ ^[0-9]+$ ]] && ((changed >= 200)); then
    pass "the focus mark shows on EXIT ($changed pixels change)"
else
    fail "the focus mark shows on EXIT: ${changed:-no} pixels change"
fi
x xdotool key shift+Tab # back to NEW GAME

# ---- the board ----
x xdotool key space
waitForTitled Form1 $(($(now) + 10000000)) || abort "NEW GAME opens the board"
board=$found
deadline=$(($(now) + 3000000))
until [[ $(x xprop -id "$board" _NET_WM_STATE) == *_NET_WM_STATE_MAXIMIZED_VERT* ]] ||
    (($(now) > deadline)); do
    sleep 0.05
done
sleep 0.5 # the window manager puts the frame around it, and the board draws
read -r boardX boardY _ _ <<<"$(geometry "$board")"
screenshot dark-board.png || abort "a screenshot of the board"

background=$(luminanceAt dark-board.png $((boardX + 5)) $((boardY + 5)))
if awk -v l="$background" 'BEGIN { exit !(l > 0.5) }'; then
    pass "the dark palette is in force: the board's background is the light window text ($background)"
else
    abort "the dark palette is in force: the board's background has luminance '${background}'" \
        "(is Qt's GTK 3 platform theme, qt6-gtk-platformtheme, installed?)"
fi
catalogue=$(luminanceAt dark-board.png $((boardX + 184 + 490)) $((boardY + 296 + 170)))
if awk -v l="$catalogue" 'BEGIN { exit !(l < 0.1) }'; then
    pass "the catalogue box follows the dark palette ($catalogue)"
else
    fail "the catalogue box follows the dark palette: its corner has luminance '${catalogue}'"
fi

checkCaption dark-board.png "$findCaption" "Find's caption"
checkCaption dark-board.png "$check1Caption" "Check1's caption"

appDied && abort "the program runs on the dark palette"
finish "rideriddle on a dark palette"
