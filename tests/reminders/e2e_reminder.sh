#!/bin/sh
# The real program on a desktop with a sound server: a note whose one-time
# reminder fell due while the program was not running is brought forward at
# the first tick (at the next whole minute after start) with the reminder dialog and
# the chime; ending the program while it is up leaves the reminder due;
# snoozing stores the new time. A periodic reminder that is
# dismissed moves on to its next occurrence.
#
# Usage (through CTest): sandbox-run e2e_reminder.sh <application folder>
set -eu
built_app=$1
. "$(dirname "$0")/../support/xsession.sh"

start_xsession --tray --audio

. "$(dirname "$0")/../support/notarella-e2e.sh"
prepare_app_folder "$built_app"
user=e2e-reminder
database="$app/.NotarellaData/$user"
shots="${NOTARELLA_SHOTS:-$NOTARELLA_SANDBOX}"

# Gives window $1 the keyboard focus and waits until it has it.
focus_window() {
    for attempt in 1 2 3; do
        xdotool windowactivate --sync "$1" 2>/dev/null || true
        wait_until 5 sh -c "[ \"\$(xdotool getactivewindow 2>/dev/null)\" = $1 ]" && return 0
    done
    xsession_fail "window $1 never got the focus"
}

# Wait for the reminder dialog of the first tick (at most 60 s after start).
wait_for_dialog() {
    wait_until 75 sh -c 'xdotool search --onlyvisible --name "^Reminder: " >/dev/null 2>&1' ||
        { import -window root "$shots/no-reminder.png"; tail -30 "$log" >&2; xsession_fail "no reminder dialog"; }
    xdotool search --onlyvisible --name "^Reminder: " | head -1
}

# First start makes the database; then the welcome note gets a reminder that
# fell due an hour ago, and is hidden.
start_notarella $user
stop_notarella
due=$(( $(date +%s) / 60 * 60 - 3600 ))
sqlite3 "$database" "UPDATE stickies SET visible = 'NO', originalReminderDate = $due, reminderDate = $due"

# The program ending while the dialog is up (SIGTERM, a log-out) is no
# answer: the reminder stays due and comes back at the next start.
start_notarella $user
wait_for_dialog >/dev/null
stop_notarella
grep -q 'ReminderQueue: leaving 1 reminders unanswered' "$log" ||
    { tail -20 "$log" >&2; xsession_fail "the ending did not leave the reminder unanswered"; }
set -- $(sqlite3 -separator ' ' "$database" "SELECT originalReminderDate, reminderDate FROM stickies WHERE id = 1")
[ "$1" = "$due" ] && [ "$2" = "$due" ] || xsession_fail "SIGTERM with the dialog open changed the reminder: $*"
echo "PASS: SIGTERM with the reminder dialog open kept the reminder due"

start_notarella $user
dialog=$(wait_for_dialog)
import -window root "$shots/reminder-dialog.png"
grep -q 'ReminderThread::run( 1 )' "$log" || xsession_fail "the dialog did not come from the first tick"
grep -q 'NoteSaving::saveLater()' "$log" || xsession_fail "the tick did not save first"
grep -q 'ReminderSound: playing' "$log" || xsession_fail "no reminder sound"
[ -n "$("$NOTARELLA_WINDOWS")" ] || xsession_fail "note not shown"
echo "PASS: overdue reminder brought the hidden note forward with the dialog and the sound"

# Snooze for the first interval: the focus starts in the summary line, then
# come "Dismiss Reminder" and "Remind me again in...".
focus_window "$dialog"
xdotool key Tab Tab space
wait_until 10 sh -c '! xdotool search --onlyvisible --name "^Reminder: " >/dev/null 2>&1' ||
    xsession_fail "the reminder dialog did not close"
stop_notarella
set -- $(sqlite3 -separator ' ' "$database" "SELECT originalReminderDate, reminderDate FROM stickies WHERE id = 1")
[ "$1" = "$due" ] || xsession_fail "snoozing changed the original date: $1"
[ "$2" -gt "$(date +%s)" ] && [ $(( $2 % 60 )) -eq 0 ] || xsession_fail "snoozed until $2"
echo "PASS: snoozed until $(date -d @$2 +%H:%M), original date kept"

# A periodic reminder (every minute) that is due: dismissing moves it on.
sqlite3 "$database" "UPDATE stickies SET periodicMask = '|*|*|*|*|*', originalReminderDate = $due, reminderDate = $due"
start_notarella $user
dialog=$(wait_for_dialog)
focus_window "$dialog"
xdotool key Escape
wait_until 10 sh -c '! xdotool search --onlyvisible --name "^Reminder: " >/dev/null 2>&1' ||
    xsession_fail "Escape did not dismiss"
stop_notarella
set -- $(sqlite3 -separator ' ' "$database" "SELECT originalReminderDate, reminderDate, periodicMask FROM stickies WHERE id = 1")
[ "$1" = "$2" ] && [ "$2" -gt "$(date +%s)" ] && [ "$3" = "|*|*|*|*|*" ] ||
    xsession_fail "periodic reminder after dismissing: $*"
echo "PASS: dismissed periodic reminder rescheduled to $(date -d @$2 +%H:%M)"
