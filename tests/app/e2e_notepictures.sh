#!/bin/sh
# Pictures of a note on a real X desktop: a note from an earlier version that
# shows a picture by its path and an icon by the path of the program folder
# it was installed in then. After one run the picture is inside the note
# file: moved away, renamed, even with the note file alone copied into another
# program folder, the note still shows it; so does the icon.
#
# Usage (through CTest): sandbox-run e2e_notepictures.sh <application folder>
set -eu
built_app=$1
. "$(dirname "$0")/../support/xsession.sh"

start_xsession --tray

. "$(dirname "$0")/../support/notarella-e2e.sh"
prepare_app_folder "$built_app"
user=e2e-pictures
database="$app/.NotarellaData/$user"
shots="${NOTARELLA_SHOTS:-$NOTARELLA_SANDBOX}"
pictures="$NOTARELLA_SANDBOX/my pictures"
mkdir -p "$pictures"
# A red square and, as its icon, the program's first icon file.
convert -size 60x60 xc:'#ff0000' "$pictures/sunset.png"
icon=$(ls "$app/icons" | grep '\.png$' | head -1)
[ -n "$icon" ] || xsession_fail "no icon in $app/icons"

schema="CREATE TABLE stickies (  id           NUMBER(10),  visible      VARCHAR2(3),  colorRGB     VARCHAR2(7),  colorName    VARCHAR2(50),  creationDate NUMBER(20),  originalReminderDate NUMBER(20),  reminderDate NUMBER(20),  periodicMask NUMBER(1000),   locked       VARCHAR2(3),   alwaysontop  VATCHAR2(3),   message      VARCHAR2(10000),  xPos         NUMBER(5),  yPos         NUMBER(5),  width        NUMBER(5),  height       NUMBER(5),  taskbarentry VARCHAR2(3))"
message="<p>Holiday <img src=\"$pictures/sunset.png\"> <img src=\"/opt/notarella-1.6/icons/$icon\"></p>"
mkdir -p "$app/.NotarellaData"
sqlite3 "$database" "$schema; INSERT INTO stickies VALUES (1, 'YES', '#FFFFFF', 'White', 1700000000, 0, 0, '', 'NO', 'NO', '$message', 200, 200, 300, 200, 'YES'); CREATE TABLE stickies_backup AS SELECT * FROM stickies;"

# The share of pure red in the note's window: the picture covers about 6 %.
red_share() {
    note=$("$NOTARELLA_WINDOWS" | head -1)
    import -window root "$shots/$1.png"
    geometry=$(xwininfo -id "$note" | awk '/Absolute upper-left X/ {x=$4} /Absolute upper-left Y/ {y=$4} /Width:/ {w=$2} /Height:/ {h=$2} END {print w "x" h "+" x "+" y}')
    convert "$shots/$1.png" -crop "$geometry" +repage -fuzz 10% -fill black +opaque '#ff0000' \
        -fill white -opaque '#ff0000' -format '%[fx:mean]' info:
}

shows_picture() {
    wait_until 10 sh -c '[ -n "$("$NOTARELLA_WINDOWS" 2>/dev/null)" ]' ||
        xsession_fail "the note did not appear"
    sleep 1
    share=$(red_share "$1")
    awk "BEGIN { exit !($share > 0.03) }" ||
        xsession_fail "$1: the note does not show the picture (red share $share)"
}

start_notarella $user
shows_picture first-run
stop_notarella
echo "PASS: the note of an earlier version shows its picture"

stored=$(sqlite3 "$database" "SELECT message FROM stickies WHERE id = 1")
echo "$stored" | grep -q 'notarella-image:' || xsession_fail "not kept in the note: $stored"
echo "$stored" | grep -q "notarella-icon:$icon" || xsession_fail "icon not kept by name: $stored"
[ "$(sqlite3 "$database" 'SELECT COUNT(*) FROM pictures')" = 1 ] ||
    xsession_fail "the note file holds no picture"
echo "PASS: the picture is in the note file, the icon is kept by name"

mv "$pictures/sunset.png" "$pictures/renamed.png"
start_notarella $user
shows_picture after-rename
stop_notarella
echo "PASS: renamed, the picture still shows"

# The note file alone, in another program folder; the picture is deleted.
rm "$pictures/renamed.png"
moved_app=$app
prepare_app_folder "$built_app" "other place"
mkdir -p "$app/.NotarellaData"
cp "$moved_app/.NotarellaData/$user" "$app/.NotarellaData/$user"
rm -rf "$moved_app"
start_notarella $user
shows_picture other-folder
stop_notarella
echo "PASS: in another program folder, with the original deleted, the picture still shows"
