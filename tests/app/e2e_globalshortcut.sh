#!/bin/sh
# Keys for notes from any program, on a real X desktop: Ctrl+Alt+N pressed
# while another program has the focus makes a note that takes the focus, and
# what is typed lands in it; a key another program holds already is
# reported; --toggle hides the shown notes and the next --toggle shows
# exactly those; --new-note --from-selection takes the primary selection,
# else the clipboard; a key chosen in Options is taken on Save.
#
# Usage (through CTest): sandbox-run e2e_globalshortcut.sh <application folder>
set -eu
built_app=$1
. "$(dirname "$0")/../support/xsession.sh"

start_xsession --tray

. "$(dirname "$0")/../support/notarella-e2e.sh"
prepare_app_folder "$built_app"
user=e2e-keys
database="$app/.NotarellaData/$user"

command_line() {
    USERNAME=$user "$app/notarella" "$@"
}

shown_count() {
    "$NOTARELLA_WINDOWS" | wc -l
}

shown_named() {
    xdotool search --onlyvisible --classname notarella 2>/dev/null | while read -r window; do
        xdotool getwindowname "$window"
    done | grep -c "$1" || true
}

# --- a key held by another program is reported -------------------------------
# The other program is a second Notarella of another user, with its own notes:
# any X client holding the grab refuses the key to everyone else.
prepare_app_folder "$built_app" app-other
other_log="$NOTARELLA_SANDBOX/notarella-other.log"
USERNAME=e2e-other QT_QPA_PLATFORM=xcb QT_LOGGING_RULES='notarella.*=true' QT_FORCE_STDERR_LOGGING=1 \
    "$app/notarella" 2>"$other_log" &
other=$!
xsession_track $other
wait_until 20 grep -q 'GlobalShortcut: grabbed' "$other_log" ||
    { cat "$other_log" >&2; xsession_fail "the other program did not take the key"; }
prepare_app_folder "$built_app"
start_notarella $user
grep -q 'is held by another program' "$log" || xsession_fail "the refused grab was not noticed"
wait_until 10 xdotool search --onlyvisible --name 'Notarella - Key for a New Note' ||
    xsession_fail "the user was not told that the key is taken"
echo "PASS: a key held by another program is reported"
stop_notarella
kill -TERM $other
wait $other || xsession_fail "the other copy did not end cleanly"

# --- Ctrl+Alt+N from another program -------------------------------------------
start_notarella $user
grep -q 'GlobalShortcut: grabbed' "$log" || xsession_fail "the key was not taken"
xmessage -geometry +700+600 "another program" &
xsession_track $!
wait_until 10 xdotool search --onlyvisible --name '^xmessage$' || xsession_fail "no xmessage"
other_window=$(xdotool search --onlyvisible --name '^xmessage$' | head -1)
xdotool windowactivate --sync "$other_window"
welcome=$("$NOTARELLA_WINDOWS")
xdotool key ctrl+alt+n
wait_until 10 sh -c '[ $("$NOTARELLA_WINDOWS" | wc -l) -eq 2 ]' ||
    xsession_fail "Ctrl+Alt+N made no note"
second_note_stored() {
    [ "$(sqlite3 "$database" "SELECT max(id) FROM stickies")" = 2 ]
}
wait_until 10 second_note_stored || xsession_fail "the new note was not stored at once"
new_note_active() {
    active=$(xdotool getactivewindow 2>/dev/null) || return 1
    "$NOTARELLA_WINDOWS" | grep -qx "$active" && [ "$active" != "$welcome" ]
}
wait_until 10 new_note_active || xsession_fail "the new note did not take the focus"
xdotool type --delay 30 "typed after the key"
stop_notarella
sqlite3 "$database" "SELECT message FROM stickies WHERE id = 2" | grep -q "typed after the key" ||
    xsession_fail "the typed text is not in the new note"
echo "PASS: Ctrl+Alt+N makes a note that has the focus"

# --- --toggle --------------------------------------------------------------------
# The welcome note stays hidden; notes 2 and 3 are shown.
sqlite3 "$database" "UPDATE stickies SET visible = 'NO' WHERE id = 1"
start_notarella $user
command_line --new-note "third note"
wait_until 10 sh -c '[ $("$NOTARELLA_WINDOWS" | wc -l) -eq 2 ]' ||
    xsession_fail "expected notes 2 and 3 on screen, found $(shown_count)"
command_line --toggle
wait_until 10 sh -c '[ $("$NOTARELLA_WINDOWS" | wc -l) -eq 0 ]' ||
    xsession_fail "--toggle left $(shown_count) notes on screen"
command_line --toggle
wait_until 10 sh -c '[ $("$NOTARELLA_WINDOWS" | wc -l) -eq 2 ]' ||
    xsession_fail "the second --toggle shows $(shown_count) notes"
[ "$(shown_named 'third note')" = 1 ] || xsession_fail "the third note is not back"
[ "$(shown_named 'typed after')" = 1 ] || xsession_fail "the note made by the key is not back"
[ "$(shown_named 'Welcome')" = 0 ] || xsession_fail "--toggle showed the note that was hidden"
echo "PASS: --toggle twice hides and shows the same notes"

# --- --new-note --from-selection ------------------------------------------------
printf 'picked on screen' | xclip -selection primary
command_line --new-note --from-selection
wait_until 10 sh -c '[ $(xdotool search --onlyvisible --name "picked on screen" | wc -l) -ge 1 ]' ||
    xsession_fail "no note of the selected text"
# An empty selection: the clipboard's text.
xclip -selection primary </dev/null
printf 'copied before' | xclip -selection clipboard
command_line --new-note --from-selection
wait_until 10 sh -c '[ $(xdotool search --onlyvisible --name "copied before" | wc -l) -ge 1 ]' ||
    xsession_fail "no note of the clipboard's text"

# --- another key, chosen in Options, is taken on Save ----------------------------
command_line --show-panel
opened=no
for attempt in 1 2 3; do
    xdotool key alt+o
    if wait_until 5 xdotool search --onlyvisible --name 'Notarella - Options'; then
        opened=yes
        break
    fi
done
[ $opened = yes ] || xsession_fail "the options did not open"
options=$(xdotool search --onlyvisible --name 'Notarella - Options' | head -1)
set -- $(xwininfo -id "$options" | awk '/Absolute upper-left X/ {x=$NF} /Absolute upper-left Y/ {y=$NF}
                                         /Width:/ {w=$NF} /Height:/ {h=$NF} END {print x, y, w, h}')
# The "Other Options" tab and the key editor on it, from the top left (the
# page grows at its bottom); "Save" from the bottom right.
xdotool mousemove $(($1 + 187)) $(($2 + 24)) click 1
xdotool mousemove $(($1 + 197)) $(($2 + 402)) click 1
xdotool key ctrl+alt+m
xdotool mousemove $(($1 + $3 - 137)) $(($2 + $4 - 23)) click 1
wait_until 10 grep -q 'GlobalShortcut: grabbed "Ctrl+Alt+M"' "$log" ||
    xsession_fail "the key chosen in Options was not taken"
xdotool windowactivate --sync "$other_window"
last=$(sqlite3 "$database" "SELECT max(id) FROM stickies")
xdotool key ctrl+alt+m
note_after_last() {
    [ "$(sqlite3 "$database" "SELECT max(id) FROM stickies")" = $((last + 1)) ]
}
wait_until 10 note_after_last || xsession_fail "the key chosen in Options made no note"
echo "PASS: a key chosen in Options makes notes once saved"

stop_notarella
[ "$(sqlite3 "$database" "SELECT count(*) FROM stickies WHERE message LIKE '%picked on screen%'")" = 1 ] ||
    xsession_fail "the note of the selection was not saved"
[ "$(sqlite3 "$database" "SELECT count(*) FROM stickies WHERE message LIKE '%copied before%'")" = 1 ] ||
    xsession_fail "the note of the clipboard was not saved"
echo "PASS: --new-note --from-selection takes the selection, else the clipboard"
