#pragma once

#include <QString>

// The per-user log-in start entry: an XDG autostart file
// "$XDG_CONFIG_HOME/autostart/notarella.desktop" whose Exec line names the
// executable to start.
namespace AutostartEntry {

QString entryPath();
// Writes the entry for `executablePath`, replacing any earlier one.
bool write(const QString &executablePath);
// Removes the entry; a missing entry is not an error.
void remove();
// The executable the entry starts, or an empty text when there is no entry,
// it cannot be read or the desktop has switched it off (Hidden=true,
// X-GNOME-Autostart-enabled=false).
QString executable();

// Exec value for one program path in desktop-entry syntax: quoted where the
// format requires it and escaped for the string type of the key file.
QString execValue(const QString &executablePath);
// The inverse of execValue(): the first argument of an Exec value.
QString programFromExecValue(const QString &exec);

} // namespace AutostartEntry
