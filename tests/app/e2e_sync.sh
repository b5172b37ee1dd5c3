#!/bin/sh
# Two copies of the program on one desktop, each with its own home, note file
# and sync folder, kept in step by two Syncthing instances on the loopback: a
# note made on one shows on the other; the same note changed on both while
# the engines are stopped keeps both texts on both, and the engine's conflict
# copy is taken in and removed.
#
# Usage (through CTest): sandbox-run e2e_sync.sh <application folder>
set -eu
built_app=$1
. "$(dirname "$0")/../support/xsession.sh"
start_xsession --tray
. "$(dirname "$0")/../support/notarella-e2e.sh"
. "$(dirname "$0")/../support/syncthing.sh"
shots="${NOTARELLA_SHOTS:-$NOTARELLA_SANDBOX}"

# One copy of the program: its own app folder, home, settings, runtime folder.
# Run "as_copy a notarella …" to reach copy a.
setup_copy() {
    prepare_app_folder "$built_app" "app-$1"
    mkdir -p "$NOTARELLA_SANDBOX/home-$1/runtime" "$NOTARELLA_SANDBOX/sync-$1"
    chmod 700 "$NOTARELLA_SANDBOX/home-$1/runtime"
}

as_copy() {
    copy=$1
    shift
    home="$NOTARELLA_SANDBOX/home-$copy"
    HOME="$home" XDG_CONFIG_HOME="$home/config" XDG_DATA_HOME="$home/data" \
        XDG_CACHE_HOME="$home/cache" XDG_RUNTIME_DIR="$home/runtime" USERNAME=e2e-sync \
        QT_QPA_PLATFORM=xcb QT_LOGGING_RULES='notarella.*=true' QT_FORCE_STDERR_LOGGING=1 "$@"
}

start_copy() {
    log_file="$NOTARELLA_SANDBOX/notarella-$1.log"
    as_copy "$1" exec "$NOTARELLA_SANDBOX/app-$1/notarella" --sync-folder "$NOTARELLA_SANDBOX/sync-$1" \
        2>"$log_file" &
    pid=$!
    xsession_track $pid
    eval "program_$1=$pid"
    wait_until 20 grep -q 'MainWindow::MainWindow( constructor ) - end' "$log_file" ||
        { cat "$log_file" >&2; xsession_fail "copy $1 did not start"; }
}

# The notes copy $1 has saved.
saved_notes() {
    sqlite3 "$NOTARELLA_SANDBOX/app-$1/.NotarellaData/e2e-sync" "SELECT message FROM stickies" \
        2>/dev/null
}

has_saved() {
    saved_notes "$1" | grep -q "$2"
}

# The window of copy $1's note that shows $2 (by its title).
note_window() {
    eval "pid=\$program_$1"
    for window in $(xdotool search --onlyvisible --pid "$pid" 2>/dev/null); do
        xdotool getwindowname "$window" 2>/dev/null | grep -q "$2" && { echo "$window"; return 0; }
    done
    return 1
}

# Types $3 at the end of copy $1's note showing $2, then leaves the note.
type_into() {
    window=$(note_window "$1" "$2") || xsession_fail "copy $1 shows no note \"$2\""
    xdotool windowactivate --sync "$window" 2>/dev/null || true
    xdotool mousemove --window "$window" 60 60 click 1
    xdotool key --clearmodifiers ctrl+End
    xdotool type --delay 20 "$3"
    # Leaving the note sends its change on.
    xdotool mousemove 5 5 click 1
    eval "pid=\$program_$1"
    other=$(xdotool search --onlyvisible --pid "$pid" 2>/dev/null | grep -v "^$window\$" | head -1)
    [ -n "$other" ] && xdotool windowactivate "$other" 2>/dev/null || true
}

setup_copy a
setup_copy b
start_syncthing_pair "$NOTARELLA_SANDBOX/sync-a" "$NOTARELLA_SANDBOX/sync-b"
start_copy a
start_copy b

as_copy a "$NOTARELLA_SANDBOX/app-a/notarella" --new-note "Made on the first computer"
wait_until 10 has_saved a "Made on the first computer" || xsession_fail "copy a did not save its note"
start=$(date +%s)
wait_until 45 has_saved b "Made on the first computer" || {
    ls -la "$NOTARELLA_SANDBOX/sync-a" "$NOTARELLA_SANDBOX/sync-b" >&2
    tail -30 "$NOTARELLA_SANDBOX/notarella-b.log" >&2
    xsession_fail "the note made on copy a did not reach copy b"
}
wait_until 10 note_window b "Made on the first computer" ||
    xsession_fail "copy b holds the note but does not show it"
import -window root "$shots/sync-arrived.png"
echo "PASS: a note made on one copy shows on the other after $(( $(date +%s) - start )) s"

# Both engines stopped: each copy changes the note on its own.
stop_syncthing_pair
type_into a "Made on the first computer" " changed at the office"
type_into b "Made on the first computer" " changed at home"
file=$(cd "$NOTARELLA_SANDBOX/sync-a" && grep -l "Made on the first computer" ./*.note | head -1)
wait_until 20 grep -q "changed at the office" "$NOTARELLA_SANDBOX/sync-a/$file" ||
    xsession_fail "copy a did not write its change to its folder"
wait_until 20 grep -q "changed at home" "$NOTARELLA_SANDBOX/sync-b/$file" ||
    xsession_fail "copy b did not write its change to its folder"
resume_syncthing a
resume_syncthing b
for copy in a b; do
    wait_until 90 sh -c "sqlite3 '$NOTARELLA_SANDBOX/app-$copy/.NotarellaData/e2e-sync' \
        'SELECT message FROM stickies' | grep -q 'changed at the office' &&
        sqlite3 '$NOTARELLA_SANDBOX/app-$copy/.NotarellaData/e2e-sync' \
        'SELECT message FROM stickies' | grep -q 'changed at home'" || {
        saved_notes $copy >&2
        ls -la "$NOTARELLA_SANDBOX/sync-a" "$NOTARELLA_SANDBOX/sync-b" >&2
        xsession_fail "copy $copy does not hold both texts"
    }
    saved_notes $copy | grep -q "changed on" || xsession_fail "copy $copy: the other text is not marked"
done
wait_until 30 sh -c "! ls '$NOTARELLA_SANDBOX/sync-a' '$NOTARELLA_SANDBOX/sync-b' | grep -q conflict" ||
    xsession_fail "a conflict copy was left in a folder"
import -window root "$shots/sync-both-texts.png"
echo "PASS: the note changed on both copies keeps both texts on both, and no conflict copy is left"
