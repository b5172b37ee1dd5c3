#pragma once

class MainWindow;
class QString;

// "notarella --import PATH", carried out by the running copy: the notes of an
// exported folder or of another note file become new notes, as with the
// control panel's two import commands after their choosers, with the same
// progress window and the same report to the user.
namespace ImportCommand {

// A folder is read as an export, anything else as a note file. True when the
// source could be read and the import was not cancelled.
bool importPath(MainWindow &window, const QString &path);

} // namespace ImportCommand
