#!/bin/sh
# The context menu of a note on a real X desktop: a right click on the header
# opens it; from it the note is kept above other windows, locked (after which
# neither typing nor Ctrl+B changes the saved text) and printed to a PDF file
# through the print dialog, with no printer installed. A dialog opened then
# stays above the note kept on top.
#
# Usage (through CTest): sandbox-run e2e_notemenu.sh <application folder>
set -eu
built_app=$1
. "$(dirname "$0")/../support/xsession.sh"

start_xsession --tray

. "$(dirname "$0")/../support/notarella-e2e.sh"
prepare_app_folder "$built_app"
user=e2e-menu
database="$app/.NotarellaData/$user"
shots="${NOTARELLA_SHOTS:-$NOTARELLA_SANDBOX}"

shown_windows() {
    "$NOTARELLA_WINDOWS" 2>/dev/null | wc -l
}

stored() {
    sqlite3 "$database" "SELECT $1 FROM stickies WHERE id = 1"
}

wait_for_note() {
    wait_until 10 sh -c '[ -n "$("$NOTARELLA_WINDOWS" 2>/dev/null)" ]' ||
        xsession_fail "the note did not appear"
    note=$("$NOTARELLA_WINDOWS" | head -1)
    wait_until 10 sh -c "xwininfo -id $note | grep -q 'Absolute upper-left X:  200'" ||
        xsession_fail "the note is not at 200,200"
}

# Right click on the note's header; the menu is one more visible window.
open_menu() {
    before=$(shown_windows)
    xdotool mousemove 260 206 click 3
    wait_until 5 sh -c "[ \$("$NOTARELLA_WINDOWS" 2>/dev/null | wc -l) -gt $before ]" ||
        { import -window root "$shots/no-menu.png"; xsession_fail "no context menu after a right click"; }
    sleep 0.3
}

# --- always on top and lock from the menu -------------------------------------
start_notarella $user
wait_for_note
open_menu
import -window root "$shots/note-menu.png"
grep -q 'StickyWidget::contextMenuEvent - start' "$log" || xsession_fail "no menu trace"
# "Always on &Top" and "Show in &Task Bar" share their mnemonic: the first
# press of t picks the first of them.
xdotool key t Return
# Changing the flags may give the note a new X window: look at every one shown.
above_others() {
    for window in $("$NOTARELLA_WINDOWS" 2>/dev/null); do
        xprop -id "$window" _NET_WM_STATE 2>/dev/null | grep -q _NET_WM_STATE_ABOVE && return 0
    done
    return 1
}
wait_until 5 above_others || xsession_fail "not above others after Always on Top"
echo "PASS: Always on Top from the menu"

# The colour submenu shows the presets with their swatches.
open_menu
xdotool key c
sleep 0.5
import -window root "$shots/note-color-menu.png"
xdotool key Escape Escape
sleep 0.3

# The welcome note comes locked: unlock it, type, and lock it again.
open_menu
xdotool key l
wait_until 5 grep -q 'StickyWidget::lockSticky( false )' "$log" || xsession_fail "the note was not unlocked"
xdotool mousemove 350 300 click 1
sleep 0.3
xdotool key ctrl+End
xdotool type --delay 20 " Typed while unlocked."
locks=$(grep -c 'StickyWidget::lockSticky( true )' "$log" || true)
open_menu
xdotool key l
wait_until 5 sh -c "[ \$(grep -c 'StickyWidget::lockSticky( true )' '$log') -gt $locks ]" ||
    xsession_fail "the note was not locked again"
stop_notarella
[ "$(stored 'locked, alwaysontop')" = "YES|YES" ] || xsession_fail "stored: $(stored 'locked, alwaysontop')"
locked_text=$(stored message)
echo "$locked_text" | grep -q 'Typed while unlocked.' || xsession_fail "typing into the unlocked note was lost"
echo "PASS: unlocked, typed into, locked again and on top, saved"

# --- a locked note keeps its text ---------------------------------------------
start_notarella $user
wait_for_note
xdotool mousemove 350 300 click 1
sleep 0.3
xdotool key ctrl+End
xdotool type --delay 20 "Should not appear"
xdotool key ctrl+a ctrl+b ctrl+i ctrl+u ctrl+s
sleep 0.3
import -window root "$shots/locked-note.png"
stop_notarella
[ "$(stored message)" = "$locked_text" ] || xsession_fail "the locked note's text changed: $(stored message)"
echo "PASS: typing and Ctrl+B/I/U/S left the locked note's text as it was"

# --- dialogs open above the note kept on top ----------------------------------
# The creation date dialog (Ctrl+Alt+D) has no parent window: nothing but its
# own stacking keeps it above the note, which stays on top.
start_notarella $user
wait_for_note
xdotool mousemove 350 300 click 1
sleep 0.3
xdotool key ctrl+alt+d
dialog=""
for _ in $(seq 50); do
    for window in $("$NOTARELLA_WINDOWS"); do
        [ "$window" = "$note" ] || dialog=$window
    done
    [ -n "$dialog" ] && break
    sleep 0.1
done
[ -n "$dialog" ] || { import -window root "$shots/no-date-dialog.png"; xsession_fail "no creation date dialog"; }
sleep 0.5
import -window root "$shots/date-dialog-above-note.png"
xprop -id "$dialog" _NET_WM_STATE | grep -q _NET_WM_STATE_ABOVE ||
    xsession_fail "the dialog is not kept above: $(xprop -id "$dialog" _NET_WM_STATE)"
stacking=$(xprop -root _NET_CLIENT_LIST_STACKING | tr -d ',' | tr ' ' '\n' | grep '^0x')
note_at=$(echo "$stacking" | grep -n "^$(printf '0x%x' "$note")\$" | cut -d: -f1)
dialog_at=$(echo "$stacking" | grep -n "^$(printf '0x%x' "$dialog")\$" | cut -d: -f1)
[ -n "$note_at" ] && [ -n "$dialog_at" ] && [ "$dialog_at" -gt "$note_at" ] ||
    xsession_fail "the dialog is not stacked above the note: $stacking"
xdotool key Escape
wait_until 5 sh -c "! xwininfo -id $dialog 2>/dev/null | grep -q IsViewable" ||
    xsession_fail "the dialog did not close"
stop_notarella
echo "PASS: a dialog without parent opens above the note kept on top"

# --- printing through the print dialog ----------------------------------------
start_notarella $user
wait_for_note
open_menu
# "&Print" and "Sticky Control &Panel" share p: the first press highlights
# the print entry.
xdotool key p Return
wait_until 10 sh -c 'xdotool search --onlyvisible --name "^Print" >/dev/null 2>&1' ||
    { import -window root "$shots/no-print-dialog.png"; xsession_fail "no print dialog"; }
sleep 0.5
import -window root "$shots/print-dialog.png"
dialog=$(xdotool search --onlyvisible --name "^Print" | head -1)
xdotool windowactivate --sync "$dialog" 2>/dev/null || true
xdotool key Return
wait_until 10 sh -c "find '$NOTARELLA_SANDBOX' -name '*.pdf' | grep -q ." ||
    { import -window root "$shots/not-printed.png"; xsession_fail "no PDF file was printed"; }
pdf=$(find "$NOTARELLA_SANDBOX" -name '*.pdf' | head -1)
sleep 0.5
cp "$pdf" "$shots/printed-note.pdf"
text=$(pdftotext "$pdf" -)
echo "$text" | grep -q '^Sticky: "' || xsession_fail "no heading in the printed note: $text"
echo "$text" | grep -q '^Created: [A-Z][a-z]*day, ' || xsession_fail "no creation date printed: $text"
stop_notarella
echo "PASS: printed to $(basename "$pdf") through the print dialog"
