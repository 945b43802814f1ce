# shellcheck shell=bash
# The steps the desktop tests (GNOME Shell, KWin) share: each drives the window through a client of the
# desktop's own interfaces that takes commands on a line (key CHORD, move X Y, down, up, shot FILE) and
# answers "ok" (sourced, not run).
# The sourcing script sets: `desktop` (its name in messages), `top` (the height of the desktop's top
# bar, 0 for none), `centred` (the axes, x and y, on which the desktop centres a dialog on its
# window), `session`, `scratch` and `app` (the session's, the test's and the program's folders),
# `background` (a function starting a command in the session), and `shot NAME` (a screenshot
# into $session/NAME.png); it opens the client's FIFOs as the descriptors `commands` and `answers`.
# The screen is 1280 x 1024.

# desktop_cleanup: the test's end: the program's log kept beside the screenshots, the processes in
# `pids` ended, the process groups in `groups` (the buses and the desktop with what they started)
# killed, the scratch folder removed.
desktop_cleanup() {
    local group
    cp "$scratch/voltrane.log" "$shots/voltrane.log" 2>/dev/null || true
    stop_pids "${pids[@]}"
    for group in "${groups[@]}"; do kill -- "-$group" 2>/dev/null || true; done
    stop_pids "${groups[@]}"
    rm -rf "$scratch"
}
# remote COMMAND: one command to the desktop's client, which must take it.
remote() {
    local reply
    echo "$*" >&"$commands"
    read -r -t 10 reply <&"$answers" && [ "$reply" = ok ] ||
        { cat "$scratch/remote.log"; echo "FAIL: $desktop did not take \"$*\" ($reply)"; exit 1; }
}
press() {
    local chord
    for chord in "$@"; do remote key "$chord"; done
}
# click X Y: the left button at the screen's point (X, Y).
click() {
    remote move "$1" "$2"
    remote down
    remote up
}

# changed FILE BEFORE [ROW COLUMN]: "x y width height" of what differs between two screenshots below
# the top bar, nothing when nothing does: the rows where at least ROW pixels differ (1 unless given),
# the columns where at least COLUMN do, so that a small change elsewhere (a hovered caption) is left
# out of a large one (a window).
changed() {
    python3 - "$top" "$@" <<'PY'
import subprocess, sys
width, height, top = 1280, 1024, int(sys.argv[1])
least = [int(n) for n in sys.argv[4:6]] or [1, 1]
def counts(scale, length):
    difference = subprocess.run(
        ["convert", sys.argv[2], sys.argv[3], "-alpha", "off", "-compose", "difference", "-composite",
         "-crop", f"{width}x{height - top}+0+{top}", "+repage", "-colorspace", "gray", "-threshold", "0",
         "-filter", "box", "-resize", scale, "-depth", "16", "gray:-"], check=True, capture_output=True).stdout
    return [int.from_bytes(difference[i:i + 2], "little") * length / 65535 for i in range(0, len(difference), 2)]
rows = [y for y, n in enumerate(counts(f"1x{height - top}!", width)) if n >= least[0] - 0.5]
columns = [x for x, n in enumerate(counts(f"{width}x1!", height - top)) if n >= least[1] - 0.5]
if rows and columns:
    print(columns[0], rows[0] + top, columns[-1] - columns[0] + 1, rows[-1] - rows[0] + 1)
PY
}

# The program, its Wayland requests and events logged (WAYLAND_DEBUG) to show its shortcut inhibitors
# and activations; program_log: what it said itself, without them.
program_log() { grep -v '^\[ *[0-9]' "$scratch/voltrane.log" | tail -n 40; }
# start_program [VARIABLE=VALUE...]: the program, in the environment given, as the process $! names.
start_program() {
    background "$@" QT_QPA_PLATFORM=wayland WAYLAND_DEBUG=client VOLTRANE_DEVICE=virtual:$app/mouse.bin \
        "$app/voltrane" >>"$scratch/voltrane.log" 2>&1
}

# show_window: the program started over the desktop of screenshot 0-desktop, as `program`; its place in
# x, y, width and height. Checks that it shows its 800 x 600 pixels shaped by transparency: each corner
# pixel is the desktop's, and no pixel is the mask colour.
show_window() {
    start_program
    program=$!
    pids+=("$program")
    window_shown() { shot 1-window && [ -n "$(changed "$session/0-desktop.png" "$session/1-window.png")" ]; }
    wait_for 20 window_shown || { program_log; echo "FAIL: the window did not appear"; exit 1; }
    sleep 1  # the first frame
    shot 1-window
    read -r x y width height < <(changed "$session/0-desktop.png" "$session/1-window.png")
    echo "the window: $width x $height at ($x, $y)"
    [ "$width" -le 800 ] && [ "$height" -le 600 ] && [ "$width" -ge 780 ] && [ "$height" -ge 580 ] ||
        fail "the window shows $width x $height pixels, not its 800 x 600"
    local corner cx cy desktop_pixel shown_pixel
    for corner in "$x $y" "$((x + width - 1)) $y" "$x $((y + height - 1))" \
        "$((x + width - 1)) $((y + height - 1))"; do
        read -r cx cy <<<"$corner"
        desktop_pixel=$(pixel "$session/0-desktop.png" "$cx" "$cy")
        shown_pixel=$(pixel "$session/1-window.png" "$cx" "$cy")
        [ "$desktop_pixel" = "$shown_pixel" ] ||
            fail "the window's corner ($cx, $cy) shows $shown_pixel, the desktop $desktop_pixel"
    done
    no_mask_colour "$session/1-window.png" || fail "the window shows the mask colour"
}

# at DX DY: the screen's point at (DX, DY) of the main window.
at() { echo "$((x + $1)) $((y + $2))"; }
# logged PATTERN: how many lines of the program's Wayland log match PATTERN; logged_more PATTERN N:
# more than N do. The compositor's grants of the program's shortcut inhibitors:
granted='shortcuts_inhibitor_v1@[0-9]*\.active()'
logged() { grep -c -e "$1" "$scratch/voltrane.log" || true; }
logged_more() { [ "$(logged "$1")" -gt "$2" ]; }

# over_window NAME FILE: what changed from the window's first screenshot lies within the window, and
# is centred on it across (`centred` holding x) and down (y) as far as the desktop centres dialogs; its
# place is left in ox, oy, owidth and oheight.
over_window() {
    ox=-1 oy=-1 owidth=0 oheight=0
    read -r ox oy owidth oheight < <(changed "$session/1-window.png" "$session/$2.png" 200 80) || true
    [ "$ox" -ge "$x" ] && [ "$oy" -ge "$y" ] && [ $((ox + owidth)) -le $((x + width)) ] &&
        [ $((oy + oheight)) -le $((y + height)) ] ||
        fail "$1 ($ox, $oy, ${owidth}x$oheight) is not over the window"
    # Each middle in doubled pixels, so that an odd size has one; two pixels either way are allowed (the
    # edges found are those of the changed pixels).
    local off_x=$((2 * ox + owidth - 2 * x - width)) off_y=$((2 * oy + oheight - 2 * y - height))
    [[ "$centred" != *x* ]] || [ "${off_x#-}" -le 4 ] ||
        fail "$1 ($ox, $oy, ${owidth}x$oheight) is not centred across the window"
    [[ "$centred" != *y* ]] || [ "${off_y#-}" -le 4 ] ||
        fail "$1 ($ox, $oy, ${owidth}x$oheight) is not centred down the window"
}

# record BUTTON_Y MENU_Y CHORD NAME: the single-key dialog from the function menu of the button at
# (346, BUTTON_Y) of the window, its "Keyboard" at (336, MENU_Y); `answer_prompt NAME` run, where the
# desktop asks whether the dialog may inhibit its shortcuts; the desktop's grant of the inhibitor;
# CHORD recorded; OK. Screenshots NAME-*.
record() {
    local button_y=$1 menu_y=$2 chord=$3 name=$4 dx dy asked
    shot "$name-before"
    # dialog_shown SHOT: the screenshot differs from NAME-before by the dialog (a menu and a caption
    # that changed are too small to count).
    dialog_shown() { [ -n "$(changed "$session/$name-before.png" "$session/$1.png" 200 80)" ]; }
    click $(at 346 "$button_y")
    menu_open() {
        shot "$name-menu" && [ "$(pixel "$session/$name-menu.png" "$((x + 336))" "$((y + menu_y))")" != \
            "$(pixel "$session/1-window.png" "$((x + 336))" "$((y + menu_y))")" ]
    }
    wait_for 5 menu_open || { fail "the button at $button_y opened no function menu under it"; return; }
    asked=$(logged "$granted")
    click $(at 336 "$menu_y")
    ! declare -F answer_prompt >/dev/null || answer_prompt "$name"
    wait_for 5 logged_more "$granted" "$asked" || fail "$desktop did not grant the dialog's inhibitor"
    sleep 0.5  # the dialog's frame
    shot "$name-dialog"
    over_window "the single-key dialog" "$name-dialog"
    read -r dx dy _ < <(changed "$session/1-window.png" "$session/$name-dialog.png" 200 80) ||
        { fail "the single-key dialog is not shown"; return; }
    field() { convert "$session/$1.png" -crop "300x30+$((dx + 30))+$((dy + 90))" rgb:- | md5sum; }
    local empty
    empty=$(field "$name-dialog")
    press "$chord"
    recorded() { shot "$name-recorded" && [ "$(field "$name-recorded")" != "$empty" ]; }
    wait_for 5 recorded || fail "the single-key dialog did not record $chord"
    sleep 1  # the desktop would have acted on the chord by now
    shot "$name-recorded"
    dialog_shown "$name-recorded" || fail "$chord closed the single-key dialog"
    click $((dx + 341)) $((dy + 221))
    closed() { shot "$name-closed" && ! dialog_shown "$name-closed"; }
    wait_for 10 closed || fail "OK did not close the single-key dialog"
}

# apply: Apply writes the profile into the mouse, and its message box comes up over the window; Return
# closes the box.
apply() {
    shot 4-before
    click $(at 654 558)
    wait_for 10 test -s "$app/download.bin" || fail "Apply wrote no download.bin"
    sleep 1  # the box's first frame
    shot 4-applied
    over_window "the message box" 4-applied
    press Return
    # The box's button, in the lower middle of the box, is gone.
    box_button() { pixel "$session/$1.png" $((ox + owidth / 2)) $((oy + oheight * 3 / 4)); }
    box_closed() { shot 4-closed && [ "$(box_button 4-closed)" = "$(box_button 4-before)" ]; }
    wait_for 10 box_closed || fail "Return did not close the message box"
}

# drag: a drag by the window's background moves it, the desktop's move, which begins once the pointer
# has moved a few pixels with the button down; x and y follow it.
drag() {
    local step mx=$x my=$y request='xdg_toplevel@[0-9]*\.move(' moves
    moves=$(logged "$request")
    remote move $(at 400 30)
    remote down
    # A hand moves on after the desktop has taken the move; motion sent before the program's request
    # reaches it (a loaded machine) would end as a click.
    wait_for 5 logged_more "$request" "$moves" || fail "the press on the background asked for no move"
    sleep 0.2
    for step in 5 20 60 100; do remote move $(at $((400 + step)) $((30 + step))); done
    remote up
    sleep 0.5
    shot 5-dragged
    read -r mx my _ < <(changed "$session/0-desktop.png" "$session/5-dragged.png") || true
    [ "$mx" -ne "$x" ] || [ "$my" -ne "$y" ] || fail "a drag by the background did not move the window"
    x=$mx y=$my
}

# A second start, which hands its activation token to the program and ends.
# shown SHOT: the screenshot shows the window's middle as it was after the drag.
shown() { shot "$1" && [ "$(pixel "$session/$1.png" "$((x + 400))" "$((y + 300))")" = \
    "$(pixel "$session/5-dragged.png" "$((x + 400))" "$((y + 300))")" ]; }
# minimise CHORD NAME: the window minimised by the desktop's CHORD. Screenshot NAME-minimised.
minimise() {
    press "$1"
    wait_for 5 eval "! shown $2-minimised" || fail "$1 did not minimise the window"
}
# start_again [VARIABLE=VALUE...]: the program started again in the environment given, and ended.
start_again() {
    local second
    start_program "$@"
    second=$!
    wait_for 20 eval "! kill -0 $second" || fail "the second start did not end"
    wait "$second" || fail "the second start ended with $?"
}
# activated_with TOKEN: the program activated its window with TOKEN.
activated_with() {
    [ -n "$1" ] && grep -q "xdg_activation_v1@[0-9]*\.activate(\"$1\"" "$scratch/voltrane.log"
}
# launch NAME: a launcher's window (copied to $session/wayland_launcher), clicked, and Return in it: the
# token it got for that key press in launcher_token. Screenshots NAME-*.
launch() {
    shot "$1-no-launcher"
    background "$session/wayland_launcher" >"$scratch/launcher.out" 2>"$scratch/launcher.log"
    pids+=($!)
    launcher_shown() {
        shot "$1-launcher" && [ -n "$(changed "$session/$1-no-launcher.png" "$session/$1-launcher.png")" ]
    }
    wait_for 10 launcher_shown "$1" || fail "the launcher did not appear"
    local lx ly lwidth lheight
    read -r lx ly lwidth lheight < <(changed "$session/$1-no-launcher.png" "$session/$1-launcher.png")
    click $((lx + lwidth / 2)) $((ly + lheight / 2))
    press Return
    wait_for 5 test -s "$scratch/launcher.out" || fail "the launcher got no token"
    launcher_token=$(head -n 1 "$scratch/launcher.out")
}
# finish: the mouse holds the combinations the single-key dialogs recorded (Alt+F4 on button 4,
# Super+Return on button 5); the test's verdict.
finish() {
    decode_mouse "$ctl" "$app/mouse.bin" "$scratch" || fail "voltranectl could not decode the mouse"
    python3 - "$scratch/mouse.json" <<'PY' || fail "the mouse does not hold what was recorded"
import json, sys
mouse = json.load(open(sys.argv[1]))
problems = []
# Key-table rows: LAlt 72, F4 5, LWin 71, Enter 57.
for button, keys, name in ((3, [72, 5, 0], "LAlt+F4"), (4, [71, 57, 0], "LWin+Enter")):
    if mouse["key_data"][button][:3] != keys:
        problems.append(f"button {button + 1} sends keys {mouse['key_data'][button][:3]}, not {name}")
for problem in problems:
    print(problem)
sys.exit(1 if problems else 0)
PY
    [ "$failures" -eq 0 ] || { program_log; echo "$failures failures"; exit 1; }
    echo "the window under $desktop passed; screenshots in $shots"
}
