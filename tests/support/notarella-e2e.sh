# Running the real program in end-to-end tests; source it after xsession.sh
# and after start_xsession.
#
#   prepare_app_folder BUILT_APP [NAME]
#                                  copies the built application folder into the
#                                  sandbox folder NAME (default "app"), without
#                                  notes, and sets $app
#   start_notarella USER           starts $app/notarella as USER with every
#                                  trace channel on, logging to $log, sets
#                                  $program and waits until start-up has ended
#   stop_notarella                 SIGTERM, then expects exit code 0
#   "$NOTARELLA_WINDOWS"           prints the program's visible windows without
#                                  its tray icon (also inside "sh -c")

NOTARELLA_WINDOWS="$(cd "$(dirname "$0")/../support" && pwd)/notarella-windows"
export NOTARELLA_WINDOWS

prepare_app_folder() {
    app="$NOTARELLA_SANDBOX/${2:-app}"
    mkdir -p "$app"
    cp -R "$1/." "$app/"
    rm -rf "$app/.NotarellaData" # left by a run from the build folder
    log="$NOTARELLA_SANDBOX/notarella.log"
}

start_notarella() {
    : >"$log"
    USERNAME=$1 QT_QPA_PLATFORM=xcb QT_LOGGING_RULES='notarella.*=true' QT_FORCE_STDERR_LOGGING=1 \
        "$app/notarella" 2>>"$log" &
    program=$!
    xsession_track $program
    wait_until 20 grep -q 'MainWindow::MainWindow( constructor ) - end' "$log" ||
        { cat "$log" >&2; xsession_fail "start-up did not finish"; }
}

stop_notarella() {
    kill -TERM $program
    status=0
    wait $program || status=$?
    [ $status -eq 0 ] || { tail -20 "$log" >&2; xsession_fail "exit code $status after SIGTERM"; }
}
