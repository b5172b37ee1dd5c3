#pragma once

#include <QString>

// Where the program finds the files that travel with it. In the build tree and
// in a copied application folder, sounds, help, icons and the helper programs
// all live beside the executable. Installed under a prefix, the executable is
// in "<prefix>/bin", its data in "<prefix>/share/notarella" and its helper
// programs in "<prefix>/libexec/notarella".
namespace AppPaths {

// The executable's directory with "/" separators and no trailing slash.
QString applicationDirectory();
// The full path of the running executable, in native separators.
QString executablePath();

// The folder holding "icons", "audio" and "documentation".
QString dataFilesDirectory();
// The folder holding the helper programs (hh, rundll32).
QString helperDirectory();

// The folder of the notes database, with a trailing slash: ".NotarellaData"
// beside the executable as always, unless it is missing and the program is
// installed (its data in "<prefix>/share/notarella") or the folder cannot be
// written; then "Notarella" in the user's data folder ($XDG_DATA_HOME,
// normally ~/.local/share).
QString noteDataDirectory();

// The decisions above as plain functions of the folders involved.
struct Layout
{
    QString dataFiles;
    QString helpers;
};
Layout layoutFor(const QString &executableDirectory);
QString noteDataDirectoryFor(const QString &executableDirectory, const QString &userDataFolder);

// Tests run the program's parts against a folder of their own.
void setApplicationDirectoryForTesting(const QString &directory);

} // namespace AppPaths
