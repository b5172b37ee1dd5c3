#!/bin/bash
# Installs the build into a temporary prefix and checks what lands there: the
# program, its helpers and data where it finds them, the launcher and the
# application icons; then starts the program the way the launcher does.
# Usage: install_layout.sh <build folder>
set -euo pipefail
build=$1
prefix=$(mktemp -d "${TMPDIR:-/tmp}/notarella prefix.XXXXXX")
trap 'rm -rf "$prefix"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

cmake --install "$build" --prefix "$prefix" >"$prefix.log" 2>&1 || { cat "$prefix.log"; fail "install"; }
rm -f "$prefix.log"

for file in bin/notarella libexec/notarella/hh libexec/notarella/rundll32; do
    [ -x "$prefix/$file" ] || fail "$file is missing or not executable"
done
for file in share/notarella/audio/notice.wav share/notarella/icons/star.png \
    share/notarella/documentation/HELP.chm share/applications/de.varnholt.notarella.desktop \
    share/icons/hicolor/scalable/apps/notarella.svg; do
    [ -e "$prefix/$file" ] || fail "$file is missing"
done
for size in 16 22 24 32 48 64 128 256; do
    icon="$prefix/share/icons/hicolor/${size}x${size}/apps/notarella.png"
    [ -f "$icon" ] || fail "no ${size}px icon"
    file "$icon" | grep -q "PNG image data, $size x $size" || fail "$icon is not ${size}x${size}"
done

launcher="$prefix/share/applications/de.varnholt.notarella.desktop"
if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$launcher" || fail "the launcher does not validate"
else
    echo "desktop-file-validate not installed: launcher not validated"
fi

# The main entry's Exec line (the first one, before any action), its quoting
# undone the way a desktop reads it, started with --version.
exec_line=$(sed -n '/^\[Desktop Entry\]/,/^\[/{s/^Exec=//p}' "$launcher" | head -n 1)
[ -n "$exec_line" ] || fail "no Exec line"
eval "set -- $exec_line"
[ "$1" = "$prefix/bin/notarella" ] || fail "Exec names '$1', not the installed program"
version=$("$@" --version) || fail "the launcher's command failed"
[[ "$version" == "Notarella "* ]] || fail "unexpected version text '$version'"
grep -q "^Icon=notarella$" "$launcher" || fail "the launcher does not name the icon"

# The installed program finds its data in share/ and keeps notes in the
# user's data folder, not in its bin folder even where that may be written:
# an export without notes names the database it looked for.
out=$("$prefix/bin/notarella" --export "$prefix/export" 2>&1) && fail "an export without notes succeeded"
[[ "$out" == *"$XDG_DATA_HOME/Notarella/"* ]] || fail "unexpected data folder in: $out"
[ ! -e "$prefix/bin/.NotarellaData" ] || fail "a data folder was made beside the installed program"
echo "installed layout and launcher are in order"
