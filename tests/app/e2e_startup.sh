#!/bin/sh
# The real program under a real X session: it starts from its own folder,
# keeps running with only the welcome note shown (the control panel starts hidden),
# leaves its database, settings and log-in start entry behind, and ends with
# exit code 0 on SIGTERM.
#
# Usage (through CTest): sandbox-run e2e_startup.sh <application folder>
set -eu
built_app=$1
. "$(dirname "$0")/../support/xsession.sh"

start_xsession --tray

. "$(dirname "$0")/../support/notarella-e2e.sh"
prepare_app_folder "$built_app" "My Notarella"
user=e2e-user
start_notarella $user
sleep 1
xsession_alive $program || { cat "$log" >&2; xsession_fail "the program ended by itself"; }
echo "PASS: running on $DISPLAY"

windows=$("$NOTARELLA_WINDOWS" || true)
count=$(echo "$windows" | grep -c . || true)
if [ "$count" -ne 1 ] || [ "$(xdotool getwindowname "$windows")" != '"Welcome to Notarella! To ge..."' ]; then
    for window in $windows; do xwininfo -id "$window" | head -3 >&2; done
    xsession_fail "expected the welcome note as the only window, found $count"
fi
echo "PASS: only the welcome note is shown"

database="$app/.NotarellaData/$user"
[ -f "$database" ] || xsession_fail "no database at $database"
rows=$(sqlite3 "$database" "SELECT COUNT(*) FROM stickies; SELECT COUNT(*) FROM stickies_backup;" | tr '\n' ' ')
[ "$rows" = "1 1 " ] || xsession_fail "expected the welcome note in both tables, found: $rows"
echo "PASS: database with the welcome note"

settings="$XDG_CONFIG_HOME/Varnholt/Notarella.conf"
grep -q '^SoftwareVersion=10700$' "$settings" || xsession_fail "no version in $settings"
entry="$XDG_CONFIG_HOME/autostart/notarella.desktop"
grep -qxF "Exec=\"$app/notarella\"" "$entry" || { cat "$entry" >&2; xsession_fail "autostart entry"; }
echo "PASS: settings and log-in start entry"

kill -TERM $program
tries=0
while xsession_alive $program && [ $tries -lt 100 ]; do
    sleep 0.1
    tries=$((tries + 1))
done
xsession_alive $program && xsession_fail "still running 10 s after SIGTERM"
status=0
wait $program || status=$?
[ $status -eq 0 ] || { cat "$log" >&2; xsession_fail "exit code $status after SIGTERM"; }
grep -q 'MainWindow::aboutToQuit() - end' "$log" || xsession_fail "shutdown did not run"
echo "PASS: SIGTERM ends it with exit code 0"
