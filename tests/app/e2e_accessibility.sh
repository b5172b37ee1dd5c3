#!/bin/sh
# The program as a screen reader reads it over AT-SPI on a real X desktop:
# with a note, the control panel and the Options window open, every showing
# control has a name (each nameless one is printed with its role and path);
# the note window is named by its summary and its text reads and edits
# through the text interfaces, and refuses edits while the note is locked.
# From the keyboard, the Menu key opens the note's own menu once and
# Shift+F10 opens it too. NOTARELLA_A11Y_DUMP=dump prints every showing
# object of the tree.
#
# Usage (through CTest): sandbox-run e2e_accessibility.sh <application folder>
set -eu
# The accessibility bus lives on a session bus of the test's own.
if [ -z "${NOTARELLA_A11Y_BUS:-}" ]; then
    NOTARELLA_A11Y_BUS=1 exec dbus-run-session -- "$0" "$@"
fi
built_app=$1
check="$(cd "$(dirname "$0")/../support" && pwd)/atspi-check.py"
. "$(dirname "$0")/../support/xsession.sh"

start_xsession

/usr/libexec/at-spi-bus-launcher --launch-immediately >"$NOTARELLA_SANDBOX/at-spi.log" 2>&1 &
xsession_track $!

. "$(dirname "$0")/../support/notarella-e2e.sh"
prepare_app_folder "$built_app"
user=e2e-a11y
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
start_notarella $user

# Without a tray host the control panel shows at start, beside the welcome note.
wait_until 10 sh -c "xdotool search --onlyvisible --name '^Notarella - Control Panel\$'" ||
    xsession_fail "the control panel did not show"
wait_until 10 sh -c "xdotool search --onlyvisible --name '^\"Welcome to Notarella'" ||
    xsession_fail "the welcome note did not show"

panel=$(xdotool search --onlyvisible --name '^Notarella - Control Panel$' | head -1)
xdotool windowactivate --sync "$panel"
xdotool key alt+o
wait_until 10 sh -c "xdotool search --onlyvisible --name '^Notarella - Options$'" ||
    xsession_fail "the Options window did not open"

/usr/bin/python3 "$check" names ${NOTARELLA_A11Y_DUMP:-} || xsession_fail "showing controls without a name"
echo "PASS: every showing control has a name"

xdotool key Escape
wait_until 10 sh -c "! xdotool search --onlyvisible --name '^Notarella - Options\$'" ||
    xsession_fail "the Options window did not close"

# The welcome note is locked: its text reads, the edit is refused.
note_name='Welcome to Notarella! To ge...'
/usr/bin/python3 "$check" locked-text "$note_name" ||
    xsession_fail "the locked note's text does not read, or took an edit"
echo "PASS: the note is named by its summary; locked, its text reads and refuses edits"

shown_windows() {
    "$NOTARELLA_WINDOWS" 2>/dev/null | wc -l
}
# Opens a menu with the keys given: one more window.
menu_from_keys() {
    before=$(shown_windows)
    xdotool key "$1"
    wait_until 5 sh -c "[ \$("$NOTARELLA_WINDOWS" 2>/dev/null | wc -l) -eq $((before + 1)) ]" ||
        xsession_fail "no menu after $1"
}

# The control panel's list: the Menu key opens the row's menu, Space hides
# the row's note and Enter brings it forward again.
xdotool windowactivate --sync "$panel"
/usr/bin/python3 "$check" focus "Shown: $note_name" || xsession_fail "no check box for the note"
menu_from_keys Menu
xdotool key Escape
wait_until 5 sh -c "[ \$("$NOTARELLA_WINDOWS" 2>/dev/null | wc -l) -eq $before ]" ||
    xsession_fail "the row's menu did not close"
sleep 0.5
[ "$(shown_windows)" -eq "$before" ] || xsession_fail "a second menu opened after the Menu key"
xdotool key space
wait_until 5 sh -c "! xdotool search --onlyvisible --name '^\"Welcome to Notarella'" ||
    xsession_fail "Space did not hide the row's note"
xdotool key Return
wait_until 5 sh -c "xdotool search --onlyvisible --name '^\"Welcome to Notarella'" ||
    xsession_fail "Enter did not bring the row's note forward"
echo "PASS: in the list, the Menu key opens the row's menu, Space hides the note, Enter shows it"

note=$(xdotool search --onlyvisible --name '^"Welcome to Notarella' | head -1)
xdotool windowactivate --sync "$note"
traces=$(grep -c 'StickyWidget::contextMenuEvent - start' "$log" || true)
menu_from_keys Menu
sleep 0.5
xdotool key Escape
wait_until 5 sh -c "[ \$("$NOTARELLA_WINDOWS" 2>/dev/null | wc -l) -eq $before ]" ||
    xsession_fail "the menu did not close"
sleep 0.5
[ "$(shown_windows)" -eq "$before" ] || xsession_fail "a second menu opened after the Menu key"
[ "$(grep -c 'StickyWidget::contextMenuEvent - start' "$log")" -eq $((traces + 1)) ] ||
    xsession_fail "the Menu key did not open the note's own menu once"
echo "PASS: the Menu key opens the note's menu once"

# Shift+F10 and the menu's "Lock Sticky" entry unlock the note.
menu_from_keys shift+F10
xdotool key l
wait_until 5 sh -c "[ \$("$NOTARELLA_WINDOWS" 2>/dev/null | wc -l) -eq $before ]" ||
    xsession_fail "the menu did not close"
/usr/bin/python3 "$check" text "$note_name" ||
    xsession_fail "the note's text does not read and edit over AT-SPI"
echo "PASS: Shift+F10 unlocks the note from its menu; its text reads and edits"

stop_notarella
