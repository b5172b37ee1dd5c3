#!/bin/sh
# The Debian package: "cpack -G DEB" writes notarella_<version>_<arch>.deb
# holding the program, its helpers, data, launcher, icons, AppStream metadata
# and manual page under /usr; dpkg-shlibdeps fills in the Qt libraries it
# needs; lintian finds no error and appstreamcli accepts the metadata. The
# program unpacked from it runs and keeps its notes in the user's data folder.
#
# Usage (through CTest): sandbox-run e2e_package.sh <application folder>
set -eu
build=$(cd "$1/.." && pwd)
[ -n "${NOTARELLA_SANDBOX:-}" ] || { echo "FAIL: run inside sandbox-run" >&2; exit 1; }
work="$NOTARELLA_SANDBOX/package"
mkdir -p "$work/out"
fail() {
    echo "FAIL: $*" >&2
    exit 1
}
app_id=de.varnholt.notarella

version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
[ -n "$version" ] || fail "no project version in $build/CMakeCache.txt"
(cd "$build" && cpack -G DEB -B "$work/out") >"$work/cpack.log" 2>&1 ||
    { cat "$work/cpack.log" >&2; fail "cpack"; }
deb="$work/out/notarella_${version}_$(dpkg --print-architecture).deb"
[ -f "$deb" ] || { ls "$work/out" >&2; fail "no $(basename "$deb")"; }
echo "PASS: $(basename "$deb")"

dpkg-deb -c "$deb" | sed -E -e 's/^([^ ]+ +){5}//' -e 's|^\./|/|' >"$work/contents"
for path in /usr/bin/notarella /usr/libexec/notarella/hh /usr/libexec/notarella/rundll32 \
    /usr/share/notarella/audio/notice.wav /usr/share/notarella/icons/star.png \
    /usr/share/notarella/documentation/HELP.chm/ /usr/share/applications/$app_id.desktop \
    /usr/share/icons/hicolor/48x48/apps/notarella.png \
    /usr/share/icons/hicolor/scalable/apps/notarella.svg \
    /usr/share/metainfo/$app_id.metainfo.xml /usr/share/man/man1/notarella.1.gz \
    /usr/share/doc/notarella/copyright; do
    grep -qxF "$path" "$work/contents" || { cat "$work/contents" >&2; fail "$path is not in the package"; }
done
# Nothing outside /usr, and none of the build's tests or benchmark.
outside=$(grep -v -e '^/$' -e '^/usr/' "$work/contents" || true)
[ -z "$outside" ] || fail "files outside /usr: $outside"
! grep -e '/tst_' -e 'bench' -e '/usr/local' "$work/contents" || fail "test files in the package"
echo "PASS: contents"

depends=$(dpkg-deb -f "$deb" Depends)
for library in libqt6core6 libqt6widgets6 libqt6sql6 libc6 libqt6sql6-sqlite; do
    echo "$depends" | tr ',' '\n' | grep -q "^ *$library\( \|$\)" || fail "Depends lacks $library: $depends"
done
echo "PASS: Depends: $depends"

# lintian leaves with 1 when it finds an error, 2 when it could not check.
status=0
lintian --tag-display-limit 0 "$deb" >"$work/lintian.log" 2>&1 || status=$?
cat "$work/lintian.log"
[ $status -ne 2 ] || fail "lintian did not run"
! grep -q '^E:' "$work/lintian.log" && [ $status -eq 0 ] || fail "lintian reports errors"
echo "PASS: no lintian error"

root="$work/root"
dpkg-deb -x "$deb" "$root"
appstreamcli validate --no-net "$root/usr/share/metainfo/$app_id.metainfo.xml" ||
    fail "appstreamcli refuses the metadata"
if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$root/usr/share/applications/$app_id.desktop" ||
        fail "the launcher does not validate"
fi
grep -qxF 'Exec="/usr/bin/notarella"' "$root/usr/share/applications/$app_id.desktop" ||
    fail "the launcher does not start /usr/bin/notarella"
echo "PASS: metadata and launcher"

# The manual page reads as one, and names every option --help lists.
page="$root/usr/share/man/man1/notarella.1.gz"
lexgrog "$page" | grep -q 'notarella - ' || fail "lexgrog finds no NAME line: $(lexgrog "$page")"
MANWIDTH=200 man -l "$page" 2>"$work/man.log" | col -b >"$work/man.txt"
[ ! -s "$work/man.log" ] || fail "man warns: $(cat "$work/man.log")"
"$root/usr/bin/notarella" --help >"$work/help.txt"
options=$(grep -o -e '--[a-z][a-z-]*' "$work/help.txt" | sort -u)
[ -n "$options" ] || fail "no options in --help"
for option in $options; do
    grep -q -e "^ *\(-[a-z], \)\?$option\b" "$work/man.txt" || fail "the manual page lacks $option"
done
echo "PASS: manual page with $(echo "$options" | wc -l) options"

# The unpacked program: its version, then a start without a screen that
# writes the welcome note into the user's data folder.
[ "$("$root/usr/bin/notarella" --version)" = "Notarella $version" ] || fail "--version"
user=package-user
log="$work/notarella.log"
USERNAME=$user QT_QPA_PLATFORM=offscreen QT_LOGGING_RULES='notarella.*=true' QT_FORCE_STDERR_LOGGING=1 \
    "$root/usr/bin/notarella" 2>"$log" &
program=$!
trap 'kill -TERM $program 2>/dev/null || true' EXIT
tries=0
until grep -q 'MainWindow::MainWindow( constructor ) - end' "$log"; do
    [ $tries -lt 300 ] && kill -0 $program 2>/dev/null || { cat "$log" >&2; fail "start-up did not finish"; }
    sleep 0.1
    tries=$((tries + 1))
done
kill -TERM $program
status=0
wait $program || status=$?
trap - EXIT
[ $status -eq 0 ] || { tail -20 "$log" >&2; fail "exit code $status after SIGTERM"; }
notes="$XDG_DATA_HOME/Notarella/$user"
[ "$(sqlite3 "$notes" 'SELECT COUNT(*) FROM stickies')" = 1 ] || fail "no welcome note in $notes"
[ ! -e "$root/usr/bin/.NotarellaData" ] || fail "notes were written beside the program"
echo "PASS: the unpacked program keeps its notes in $notes"
