#pragma once

#include <QString>
#include <QStringList>

// What the program was asked to do on its command line. Parsing is a pure
// function so that every form of the command line is tested without starting
// the program.
namespace CommandLine {

struct ProgramRequest
{
    enum class Action
    {
        Run,        // start as usual
        Help,       // print the usage and leave
        Version,    // print the version and leave
        NewNote,    // have the running copy (or this one) make a note
        ShowPanel,  // have the running copy (or this one) show its control panel
        Export,     // write every note to a folder and leave
        Import,     // have the running copy (or this one) import a folder or note file
        SyncFolder, // have the running copy (or this one) keep the notes in step through a folder
        Toggle,     // have the running copy (or this one) hide the shown notes or show them again
        Invalid     // print `error` and the usage, leave with a failure
    };
    Action action = Action::Run;
    QString noteText;        // --new-note: the text of the note, may be empty
    QString exportDirectory; // --export: the folder to write to
    QString importPath;      // --import: the exported folder or note file, as given
    QString syncFolder;      // --sync-folder: the folder as given; empty turns sync off
    QString error;           // Invalid: what was wrong, for the user
    // --new-note --from-selection: the note holds the text selected on screen.
    bool fromSelection = false;
};

// `arguments` as main() receives them, the program name first.
ProgramRequest parseProgramArguments(const QStringList &arguments);

// The folder of --sync-folder made absolute against `currentDirectory`, and
// why it cannot be used (empty when it can): it must be an existing folder.
// An empty folder stays empty and is fine: it turns sync off.
struct SyncFolderArgument
{
    QString folder;
    QString error;
};
SyncFolderArgument resolveSyncFolder(const QString &given, const QString &currentDirectory);

// The texts --help and --version print.
QString programUsageText();
QString programVersionText();

} // namespace CommandLine
