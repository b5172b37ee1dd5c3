#!/bin/sh
# The tray icon, its menu and the control panel on a real X desktop with the
# tray host trayer: a left click on the icon creates a note at 220,220 (beside
# the welcome note at 200,200, not over it), the menu creates a preset note
# and opens the panel, the panel hides a note
# through its check box and hides itself after the warning, the window-frame
# close asks the exit question, the icon comes back when the tray host
# restarts, a second copy of the same user gives way (also when two start in
# the same instant), and without a tray host the panel shows instead.
#
# Usage (through CTest): sandbox-run e2e_trayandpanel.sh <application folder>
set -eu
built_app=$1
. "$(dirname "$0")/../support/xsession.sh"

start_xsession

. "$(dirname "$0")/../support/notarella-e2e.sh"
prepare_app_folder "$built_app"
user=e2e-panel
database="$app/.NotarellaData/$user"
settings="$XDG_CONFIG_HOME/Varnholt/Notarella.conf"
shots="${NOTARELLA_SHOTS:-$NOTARELLA_SANDBOX}"

tray_pid=""
start_tray() {
    trayer --edge bottom --align right --widthtype pixel --width 200 --heighttype pixel \
        --height 32 >>"$NOTARELLA_SANDBOX/trayer.log" 2>&1 &
    tray_pid=$!
    xsession_track $tray_pid
    wait_until 10 sh -c 'xdotool search --onlyvisible --class "^trayer$"' || xsession_fail "trayer did not start"
}
stop_tray() {
    kill -TERM "$tray_pid"
    wait "$tray_pid" 2>/dev/null || true
}

# The docked icon: the program's small window named after it.
tray_icon() {
    for window in $(xdotool search --onlyvisible --classname notarella 2>/dev/null); do
        [ "$(xdotool getwindowname "$window")" = Notarella ] || continue
        xwininfo -id "$window" | grep -q 'Width: 2[0-9]$' && { echo "$window"; return 0; }
    done
    return 1
}

# "x y" of the centre of window $1. Without an id xwininfo would wait for a
# click on a window, for ever.
centre() {
    [ -n "$1" ] || return 1
    xwininfo -id "$1" | awk '/Absolute upper-left X/ {x=$NF} /Absolute upper-left Y/ {y=$NF}
                              /Width:/ {w=$NF} /Height:/ {h=$NF} END {print x + int(w/2), y + int(h/2)}'
}

window_named() {
    xdotool search --onlyvisible --name "$1" 2>/dev/null | head -1
}

# A pop-up menu of the program is up: its window bypasses the window manager.
menu_shown() {
    for window in $(xdotool search --onlyvisible --classname notarella 2>/dev/null); do
        xwininfo -id "$window" | grep -q 'Override Redirect State: yes' && return 0
    done
    return 1
}

# The icon may be docked anew for a moment (seen under the sanitizers).
click_tray() {
    wait_until 10 tray_icon || xsession_fail "the icon is gone"
    _ct_at=$(centre "$(tray_icon)") || xsession_fail "the icon is gone"
    # shellcheck disable=SC2086
    xdotool mousemove $_ct_at click "$1"
}

# --- the icon docks; a left click creates a note at 220,220 ------------------
start_tray
start_notarella $user
wait_until 10 tray_icon || xsession_fail "the icon did not dock"
wait_until 10 sh -c '[ "$('"$NOTARELLA_WINDOWS"' | grep -c .)" -ge 1 ]' || xsession_fail "no welcome note"
[ -z "$(window_named '^Notarella - Control Panel$')" ] || xsession_fail "the panel shows at start"
echo "PASS: icon docked, panel hidden"

click_tray 1
wait_until 10 sh -c "[ \$(grep -c 'MainWindow::createSticky(' '$log') -eq 1 ]" || xsession_fail "left click made no note"
wait_until 10 sh -c '[ "$('"$NOTARELLA_WINDOWS"' | grep -c .)" -eq 2 ]' || xsession_fail "no second note"
new_note=$("$NOTARELLA_WINDOWS" | while read -r w; do
    xwininfo -id "$w" | grep -q 'Absolute upper-left X:  220' && xwininfo -id "$w" | grep -q 'Absolute upper-left Y:  220' && [ "$(xdotool getwindowname "$w")" != '"Welcome to Notarella! To ge..."' ] && echo "$w"
done | head -1)
[ -n "$new_note" ] || xsession_fail "the new note is not at 220,220"
grep -q 'MainWindow::createSticky( "#FFFF00" , "Yellow" )' "$log" || xsession_fail "not in the default colour"
echo "PASS: left click created a default note at 220,220"

# --- the menu creates a preset note and opens the panel -----------------------
click_tray 3
wait_until 10 menu_shown || xsession_fail "right click opened no menu"
sleep 0.3
import -window root "$shots/tray-menu.png"
xdotool key 1
wait_until 10 grep -q 'MainWindow::createSticky( "#ADD8E6" , "Light Blue" )' "$log" ||
    xsession_fail "menu entry 1 made no Light Blue note"
echo "PASS: the menu created a Light Blue note"

click_tray 3
wait_until 10 menu_shown || xsession_fail "right click opened no menu"
xdotool key p
wait_until 10 sh -c "xdotool search --onlyvisible --name '^Notarella - Control Panel\$'" || xsession_fail "panel did not open"
panel=$(window_named '^Notarella - Control Panel$')
sleep 0.5
import -window root "$shots/panel.png"
grep -q 'There are 5 items in the layout, and 3 rows' "$log" || xsession_fail "the list does not hold three notes"
echo "PASS: the panel lists the three notes"

# Untick the first row's check box (the welcome note), below the menu bar: it
# is the first focusable control of the panel.
xdotool windowactivate --sync "$panel"
eval "$(xwininfo -id "$panel" | awk '/Absolute upper-left X/ {print "px=" $NF} /Absolute upper-left Y/ {print "py=" $NF}')"
welcome=$(window_named '^"Welcome to Notarella')
[ -n "$welcome" ] || xsession_fail "the welcome note is not shown"
import -window "$panel" "$shots/panel-only.png"
# Below the menu bar and the search field.
xdotool mousemove $((px + 38)) $((py + 101)) click 1
wait_until 10 sh -c "! xwininfo -id $welcome | grep -q IsViewable" || { import -window root "$shots/checkbox.png"; xsession_fail "the check box did not hide the welcome note"; }
echo "PASS: the check box hid a note"

# --- "&Print": the choice, then the print dialog; printing to a PDF file ------
xdotool windowactivate --sync "$panel"
xdotool key alt+p
wait_until 10 sh -c "xdotool search --onlyvisible --name '^Print Stickies\$'" || xsession_fail "no print choice"
xdotool windowactivate --sync "$(window_named '^Print Stickies$')"
xdotool key Down Return
wait_until 10 sh -c "xdotool search --onlyvisible --name '^Print\$'" || xsession_fail "no print dialog"
sleep 0.5
import -window root "$shots/print-dialog.png"
# With no printer it offers "Print to File (PDF)", into print.pdf at home.
pdf="$HOME/print.pdf"
xdotool windowactivate --sync "$(window_named '^Print$')"
xdotool key Return
wait_until 15 test -s "$pdf" || { import -window root "$shots/print-failed.png"; xsession_fail "nothing printed to $pdf"; }
wait_until 5 sh -c "pdftotext '$pdf' - | grep -q 'Created:'" || xsession_fail "the PDF holds no headings"
[ "$(pdftotext "$pdf" - | grep -c '^Sticky:')" = 3 ] || xsession_fail "the PDF does not hold all three notes"
echo "PASS: all notes printed to a PDF file"

# --- the panel's Close: warning, then hidden and saved --------------------------
xdotool windowactivate --sync "$panel"
xdotool key alt+c
wait_until 10 sh -c "xdotool search --onlyvisible --name '^Warning: Control Panel Closing\$'" || xsession_fail "no close warning"
import -window root "$shots/close-warning.png"
xdotool key Return
wait_until 10 sh -c "! xdotool search --onlyvisible --name '^Notarella - Control Panel\$'" || xsession_fail "the panel did not hide"
saved_rows() {
    sqlite3 "$database" "SELECT id, visible, colorName FROM stickies ORDER BY id" | tr '\n' ' '
}
# An earlier save may already hold three rows: the wait is for the save of
# the close itself, which a busy machine may bring late.
wait_until 10 sh -c "[ \"\$(sqlite3 '$database' 'SELECT id, visible, colorName FROM stickies ORDER BY id' | tr '\n' ' ')\" = '1|NO|Yellow 2|YES|Yellow 3|YES|Light Blue ' ]" ||
    xsession_fail "saved on close: $(saved_rows)"
echo "PASS: Close hid the panel after the warning and saved"

# --- the window-frame close asks to exit; No keeps everything -----------------
click_tray 3
wait_until 10 menu_shown || xsession_fail "right click opened no menu"
xdotool key p
wait_until 10 sh -c "xdotool search --onlyvisible --name '^Notarella - Control Panel\$'" || xsession_fail "panel did not open again"
xdotool windowactivate --sync "$panel"
xdotool key alt+F4
wait_until 10 sh -c "xdotool search --onlyvisible --name '^Warning: Notarella Exiting\$'" || xsession_fail "no exit question"
import -window root "$shots/exit-question.png"
xdotool key Escape
wait_until 10 sh -c "! xdotool search --onlyvisible --name '^Warning: Notarella Exiting\$'" || xsession_fail "the question stayed"
sleep 0.5
xsession_alive $program || xsession_fail "No ended the program"
[ -n "$(window_named '^Notarella - Control Panel$')" ] || xsession_fail "No closed the panel"
echo "PASS: the exit question's No keeps the program and the panel"

# --- the tray host restarts: the icon comes back ------------------------------
stop_tray
wait_until 10 sh -c '! xdotool search --onlyvisible --class "^trayer$"' || true
start_tray
wait_until 10 tray_icon || xsession_fail "the icon did not come back"
import -window root "$shots/tray-back.png"
echo "PASS: the icon came back after the tray host restarted"

# --- a second copy of the same user gives way ---------------------------------
# The running copy saves at the start of every minute; this part keeps clear
# of that save, so any change to the file is the second copy's.
second_of_minute=$(date +%S)
second_of_minute=${second_of_minute#0}
[ "$second_of_minute" -le 40 ] || sleep $((63 - second_of_minute))
settings_before=$(md5sum <"$settings")
database_before=$(md5sum <"$database")
second_log="$NOTARELLA_SANDBOX/second.log"
USERNAME=$user QT_QPA_PLATFORM=xcb QT_LOGGING_RULES='notarella.*=true' "$app/notarella" 2>"$second_log" &
second=$!
xsession_track $second
wait_until 15 sh -c "xdotool search --onlyvisible --name '^Warning- Notarella is already running!\$'" ||
    { cat "$second_log" >&2; xsession_fail "no already-running warning"; }
import -window root "$shots/already-running.png"
xdotool windowactivate --sync "$(window_named '^Warning- Notarella is already running!$')"
xdotool key Return
status=0
wait $second || status=$?
[ $status -eq 0 ] || xsession_fail "second copy ended with $status"
[ "$(md5sum <"$settings")" = "$settings_before" ] || xsession_fail "the second copy changed the settings"
[ "$(md5sum <"$database")" = "$database_before" ] || xsession_fail "the second copy changed the notes"
grep -q 'checkSetupAndOpenDatabase' "$second_log" && xsession_fail "the second copy went on to the settings"
xsession_alive $program || xsession_fail "the first copy ended"
echo "PASS: a second start warned and ended with 0; the first runs on"

# Another user's copy runs beside it.
USERNAME=other-user QT_QPA_PLATFORM=xcb "$app/notarella" 2>"$NOTARELLA_SANDBOX/other.log" &
other=$!
xsession_track $other
wait_until 15 grep -q 'ReminderThread' "$NOTARELLA_SANDBOX/other.log" 2>/dev/null || sleep 3
xsession_alive $other || xsession_fail "another user's copy did not run"
kill -TERM $other
wait $other || true
echo "PASS: another user's copy runs beside it"

# --- two starts in the same instant leave one ---------------------------------
pair=e2e-pair
USERNAME=$pair QT_QPA_PLATFORM=xcb "$app/notarella" 2>"$NOTARELLA_SANDBOX/pair1.log" &
first_of_pair=$!
USERNAME=$pair QT_QPA_PLATFORM=xcb "$app/notarella" 2>"$NOTARELLA_SANDBOX/pair2.log" &
second_of_pair=$!
xsession_track $first_of_pair
xsession_track $second_of_pair
wait_until 20 sh -c "xdotool search --onlyvisible --name '^Warning- Notarella is already running!\$'" ||
    xsession_fail "neither of the pair gave way"
xdotool windowactivate --sync "$(window_named '^Warning- Notarella is already running!$')"
xdotool key Return
sleep 2
running=0
for pid in $first_of_pair $second_of_pair; do
    xsession_alive $pid && running=$((running + 1))
done
[ $running -eq 1 ] || xsession_fail "$running copies of the pair run"
[ -z "$(window_named '^Warning- Notarella is already running!$')" ] || xsession_fail "a second warning"
for pid in $first_of_pair $second_of_pair; do
    if xsession_alive $pid; then kill -TERM $pid; fi
    wait $pid || xsession_fail "a copy of the pair ended with an error"
done
echo "PASS: two copies started together leave one"

# --- a copy that crashed does not block the next start ----------------------
kill -KILL $program
wait $program 2>/dev/null || true
start_notarella $user
sleep 1
[ -z "$(window_named '^Warning- Notarella is already running!$')" ] || xsession_fail "the crashed copy blocks the start"
echo "PASS: the next start after a crash runs"

# --- no tray host: the panel takes the icon's place ---------------------------
stop_notarella
stop_tray
start_notarella $user
wait_until 10 sh -c "xdotool search --onlyvisible --name '^Notarella - Control Panel\$'" || xsession_fail "no panel without tray"
wait_until 10 sh -c "xdotool search --onlyvisible --name '^Notarella - No System Tray\$'" || xsession_fail "no message without tray"
sleep 0.5
import -window root "$shots/no-tray.png"
stop_notarella
echo "PASS: without a tray host the panel and a message show"
