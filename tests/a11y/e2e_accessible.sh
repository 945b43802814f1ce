#!/usr/bin/env bash
# What a screen reader finds, end to end: the built program runs on the virtual mouse under its own X
# server with a private session bus and the accessibility bus (at-spi2-core), with Qt's accessibility
# on. For English, German and Japanese it opens a button's function menu, the single-key dialog, the
# macro editor (where it makes a macro), the macro choice dialog (that macro selected) and the message
# box Apply shows, and checks each against the table of controls (role, name in the language, states)
# through pyatspi, as an assistive technology reads them; the main window's controls of both pages
# first.
# usage: e2e_accessible.sh VOLTRANE SKIN_DIR TABLE
# Exits 77 (skipped) when a tool it needs is missing.
set -euo pipefail
here=$(dirname "${BASH_SOURCE[0]}")
voltrane=$1 skins=$2 table=$3

# shellcheck source=tests/a11y/a11y_common.sh
source "$here/a11y_common.sh"

# check SCENE LANGUAGE: the scene's rows of the table against what the bus shows now.
check() { "$python" "$here/accessible_tree.py" "$table" "$1" "$2" || fail "$1 in $2"; }

window=

# session LANGUAGE NUMBER: the program started in the language (its LANGUAGE.ini written as the
# program writes it: UTF-16LE with BOM and CR LF), each scene opened, checked and closed.
session() {
    local language=$1 number=$2 app=$scratch/app-$1 menu single choice editor
    install_program "$app"
    printf '\xff\xfe' >"$app/LANGUAGE.ini"
    printf '[Setting]\r\nLanguage=%s\r\n' "$number" | iconv -f UTF-8 -t UTF-16LE >>"$app/LANGUAGE.ini"
    launch_program "$app" "$app/mouse.bin" "$scratch/voltrane-$language.log" ||
        { fail "no window in $language"; return; }
    timeout 10 xdotool windowactivate --sync "$window" || fail "the window could not be activated"
    check main-window "$language"

    # Button 4's function menu, then its "Keyboard" item: the single-key dialog.
    click 346 254
    if menu=$(await_dialog); then
        check function-menu "$language"  # it presses Down once
        choose_function 6
        if single=$(await_dialog "$menu"); then
            check single-key "$language"
            click 409 221 "$single"
        else
            fail "no single-key dialog in $language"
        fi
    else
        fail "no function menu in $language"
    fi
    wait_for 10 no_dialog || fail "the single-key dialog stayed open"
    # The advanced page's Edit: the macro editor. A click on its "Left" and OK make the macro
    # Macro_1, which the choice dialog shows selected.
    click 264 98
    click 517 430
    if editor=$(await_dialog); then
        check macro-editor "$language"
        click 65 151 "$editor"
        click 519 442 "$editor"
    else
        fail "no macro editor in $language"
    fi
    wait_for 10 no_dialog || fail "the macro editor stayed open"
    # Back on the basic page, button 5's "Macro": the macro choice dialog.
    click 95 98
    click 346 283
    if menu=$(await_dialog); then
        choose_function 8
        if choice=$(await_dialog "$menu"); then
            check macro-choice "$language"
            click 606 442 "$choice"
        else
            fail "no macro choice dialog in $language"
        fi
    fi
    wait_for 10 no_dialog || fail "the macro choice dialog stayed open"
    # Apply: the message box.
    click 654 558
    if await_dialog >/dev/null; then
        check message-box "$language"
        xdotool key Return
    else
        fail "Apply showed no message box in $language"
    fi
    wait_for 10 no_dialog || fail "the message box stayed open"
    click 766 27
    wait_for 10 program_gone || { fail "Close did not end the program in $language"; kill "$program"; }
}

# announce EVENT NAME KEY...: the keys make the program announce EVENT from the control named NAME.
announce() { "$python" "$here/accessible_event.py" "$@" || fail "no announcement: $*"; }

# announcements: the program started in English; the first Tab announces the focus on the page tab
# shown, the arrows on the DPI slider its value, Space on a report rate its checked state, and a
# language chosen in the language box the controls' new names.
announcements() {
    local app=$scratch/app-announce
    install_program "$app"
    launch_program "$app" "$app/mouse.bin" "$scratch/voltrane-announce.log" ||
        { fail "no window for the announcements"; return; }
    timeout 10 xdotool windowactivate --sync "$window" || fail "the window could not be activated"
    check main-window en  # waits until the program is on the bus
    announce object:state-changed:focused "Basic config" Tab
    press_until "DPI level" Tab 30 && announce object:property-change:accessible-value "DPI level" Right
    press_until "500Hz" Tab 30 && announce object:state-changed:checked "1000Hz" Right space
    press_until "Language" Tab 30 && announce object:property-change:accessible-name "Grundeinstellungen" Down
    kill "$program"
}

session en 2
session de 3
session ja 4
announcements

[ "$failures" -eq 0 ] || { echo "$failures failure(s)"; exit 1; }
echo "PASS: every row of the table found in English, German and Japanese"
