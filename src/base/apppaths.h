#pragma once

#include <QString>

// Where the program finds the files that travel with it: its data directory,
// sounds, help and icons all live beside the executable.
namespace AppPaths {

// The executable's directory with "/" separators and no trailing slash.
QString applicationDirectory();
// The full path of the running executable, in native separators.
QString executablePath();

// Tests run the program's parts against a folder of their own.
void setApplicationDirectoryForTesting(const QString &directory);

} // namespace AppPaths
