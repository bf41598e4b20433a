#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Starts the real programs on a real X server (Xvfb through xvfb-run, Qt's normal xcb platform)
# and checks what the screen shows:
#   - the game's window shows 180 wall pictures at their cells; Esc ends the game;
#   - at a scale factor of 2 (QT_SCALE_FACTOR=2) its cells show the twice-as-large wall picture
#     pixel for pixel, not the normal one doubled;
#   - the editor first shows its start dialog "Запуск программы"; Esc there leaves the editor's
#     window with its 180 wall cells; Esc and OK on the close question end the editor;
#   - `quillmap FILE` shows the editor's window with FILE's board at once, no start dialog, and
#     `cobbleton FILE` shows FILE's board and no message, both for a name that is not UTF-8;
#   - neither program's window is transient for another (xprop): both are main windows.
# Both programs must end by themselves with status 0 (under the sanitizers: without a report).
#
#   realdisplay_test.sh <cobbleton> <quillmap> <screencheck> <wall picture> <wall picture @2x>
#
# The last screenshots are left in the working directory for a look after a failure.
set -euo pipefail

if [ $# -ne 5 ]; then
    echo "usage: $0 <cobbleton> <quillmap> <screencheck> <wall picture> <wall picture @2x>" >&2
    exit 2
fi

# Outside: run this script again inside its own X server. xvfb-run -a picks a free display, but
# two servers starting at the same moment can still pick the same one; then the inner run never
# starts, and we try again.
if [ -z "${REALDISPLAY_INNER:-}" ]; then
    started=$(mktemp)
    trap 'rm -f "$started"' EXIT
    for attempt in 1 2 3; do
        : > "$started"
        status=0
        REALDISPLAY_INNER="$started" xvfb-run -a -s "-screen 0 1920x1440x24 -nolisten tcp -noreset" \
            "$0" "$@" || status=$?
        if [ -s "$started" ] || [ "$attempt" -eq 3 ]; then
            exit "$status"
        fi
        echo "X server did not start (attempt $attempt); trying another display"
        sleep 1
    done
fi
echo started > "$REALDISPLAY_INNER"

cobbleton=$1
quillmap=$2
screencheck=$3
wall=$4
sharp_wall=$5
unset QT_QPA_PLATFORM WAYLAND_DISPLAY
export XDG_RUNTIME_DIR=$(mktemp -d)
work=$(mktemp -d)
# Whatever the game would keep goes there, not into the user's folders.
export XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data"
pid=
cleanup() {
    [ -n "$pid" ] && kill -KILL "$pid" 2>/dev/null || true
    rm -rf "$work" "$XDG_RUNTIME_DIR"
}
trap cleanup EXIT

Timeout=60   # seconds for any one thing to appear or end; sanitizer builds start slowly

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# Prints the id of the visible window titled exactly $1 once it is mapped; fails when the
# program ends or nothing appears within the timeout.
wait_for_window() {
    local title=$1 deadline=$((SECONDS + Timeout)) window
    while [ $SECONDS -lt $deadline ]; do
        window=$(xdotool search --onlyvisible --name "^$title\$" 2>/dev/null | head -n 1 || true)
        if [ -n "$window" ]; then
            echo "$window"
            return 0
        fi
        kill -0 "$pid" 2>/dev/null || fail "the program ended before its window \"$title\" appeared"
        sleep 0.1
    done
    fail "no window \"$title\" within $Timeout s"
}

# Takes screenshots until one shows the board of walls (a mapped window may not be painted yet),
# each cell the picture $2 (by default the wall picture), or $3 cells of them when given.
expect_wall_board() {
    local name=$1 tile=${2:-$wall} walls=${3:-180} deadline=$((SECONDS + Timeout)) found
    while :; do
        import -window root "$name.png"
        if found=$("$screencheck" "$name.png" "$tile" "$walls"); then
            echo "${name##*/}: $found"
            return 0
        fi
        [ $SECONDS -lt $deadline ] || fail "$name: $found (see $name.png)"
        sleep 0.2
    done
}

# Presses key $2 in window $1: without a window manager, the window gets the focus directly.
press() {
    xdotool windowfocus --sync "$1"
    xdotool key "$2"
}

# A main window is transient for no other window: task bars may leave transient ones out.
expect_main_window() {
    local transient
    transient=$(xprop -id "$1" WM_TRANSIENT_FOR)
    case "$transient" in
        *"not found"*) echo "$2: a main window, transient for no other" ;;
        *) fail "$2: the window is transient: $transient" ;;
    esac
}

# Esc in the editor's window, then OK on the close question: a message box titled with the
# program's name, over the editor.
close_editor() {
    local deadline question
    press "$1" Escape
    deadline=$((SECONDS + Timeout))
    while [ "$(xdotool search --onlyvisible --name '^Quillmap$' 2>/dev/null | wc -l)" -lt 2 ]; do
        [ $SECONDS -lt $deadline ] || fail "no close question after Esc in the editor"
        sleep 0.1
    done
    question=$(xdotool search --onlyvisible --name '^Quillmap$' | grep -vx "$1" | head -n 1)
    press "$question" Return
}

# Waits for the program to end by itself and checks that it ended well.
expect_exit() {
    local name=$1 deadline=$((SECONDS + Timeout)) status=0
    while kill -0 "$pid" 2>/dev/null; do
        [ $SECONDS -lt $deadline ] || fail "$name did not end within $Timeout s"
        sleep 0.1
    done
    wait "$pid" || status=$?
    pid=
    [ "$status" -eq 0 ] || fail "$name ended with status $status"
    echo "$name: ended with status 0"
}

out=$PWD
cd "$work"

"$cobbleton" &
pid=$!
game=$(wait_for_window Cobbleton)
expect_main_window "$game" cobbleton
expect_wall_board "$out/cobbleton-screen"
press "$game" Escape
expect_exit cobbleton

# A level file whose name is not UTF-8, the player beside an item and a place: three cells that
# are not wall once the file is read, where a file that could not be read leaves 180 walls and
# says so in a message box.
level=$'level-\xff.lay'
printf '[Layer]\r\n16=3\r\n17=4\r\n18=2\r\n' > "$level"
"$cobbleton" "$work/$level" &
pid=$!
game=$(wait_for_window Cobbleton)
expect_wall_board "$out/cobbleton-file-screen" "$wall" 177
[ "$(xdotool search --onlyvisible --name '^Cobbleton$' | wc -l)" -eq 1 ] \
    || fail "cobbleton FILE showed a message"
echo "cobbleton FILE: a name that is not UTF-8 opens"
press "$game" Escape
expect_exit "cobbleton FILE"

QT_SCALE_FACTOR=2 "$cobbleton" &
pid=$!
game=$(wait_for_window Cobbleton)
expect_wall_board "$out/cobbleton-scale2-screen" "$sharp_wall"
press "$game" Escape
expect_exit "cobbleton at scale factor 2"

"$quillmap" &
pid=$!
start=$(wait_for_window "Запуск программы")
import -window root "$out/quillmap-start-screen.png"
[ -z "$(xdotool search --onlyvisible --name '^Quillmap$' 2>/dev/null || true)" ] \
    || fail "the editor's window is shown before its start dialog is answered"
echo "quillmap: start dialog \"Запуск программы\" shown"
press "$start" Escape
editor=$(wait_for_window Quillmap)
expect_main_window "$editor" quillmap
expect_wall_board "$out/quillmap-screen"
close_editor "$editor"
expect_exit quillmap

walls=$'walls-\xff.lay'   # not UTF-8; an empty level file reads as a board of walls
: > "$walls"
"$quillmap" "$work/$walls" &
pid=$!
editor=$(wait_for_window Quillmap)
expect_wall_board "$out/quillmap-file-screen"
[ -z "$(xdotool search --onlyvisible --name '^Запуск программы$' 2>/dev/null || true)" ] \
    && [ "$(xdotool search --onlyvisible --name '^Quillmap$' | wc -l)" -eq 1 ] \
    || fail "quillmap FILE showed another window than the editor's"
echo "quillmap FILE: the level's board at once, no start dialog"
close_editor "$editor"
expect_exit "quillmap FILE"
