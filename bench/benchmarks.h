#pragma once

// Each function measures one area and prints "figure: <name> <value> <unit>" lines.
void benchReminders();
// Time to build the control panel's note list for 1,000 notes, and the time
// of one keystroke in its search field.
void benchNoteList();
// Display-mode conversion of 10 KB to 1 MB documents and of many links, and
// the cost of one keystroke in a note holding 1 MB of text.
void benchRichText();
// Many reminders due at once, and the markup check every note passes at load.
void benchRobustness();
// Export of 1,000 notes of 2 KB to a folder, and import from it and from
// another note file.
void benchExchange();
// Copy of a note file of 1,000 notes, the list of copies, and a restore.
void benchBackups();
// 100 notes with a picture of 200 KB each: taking them in from their files,
// the first save and a later one, and a load into an empty picture store.
void benchPictures();

#include <QStringList>

// Start-up, save and memory figures of N stored notes. Each case runs in a
// child process of its own so its memory figure starts clean.
void benchNotes(const QString &benchProgram);
// The child side: runs one case given by `arguments` and prints its figures.
int runNotesCase(const QStringList &arguments);
// Writes the notes of one case into a folder, for profiling a case by hand:
// notarella-bench --prepare <folder> <count> <visible|hidden>, then
// USERNAME=bench notarella-bench --notes-case <folder> <count> <visible|hidden>.
int prepareNotesCase(const QStringList &arguments);

// 1,000 and 10,000 stored notes of which 100 are shown, loaded by the main
// window in a child process each: the GUI thread's time for one save of all
// of them, and for 10,000 the control panel's list (opening, search
// keystrokes, scroll steps). notarella-bench --stored-notes runs only these,
// --stored these and the start-up with 10,000 stored notes.
void benchStoredNotes(const QString &benchProgram);
// The child side: <folder> <count> [--list].
int runStoredCase(const QStringList &arguments);

// Notes arriving in a sync folder, taken in by the main window in a child
// process: one note from its file's arrival until it is shown, 1,000 at
// once, and the CPU load of watching the folder while nothing happens (beside
// the same with sync off), over `idleSeconds` each. notarella-bench --sync
// runs only these.
void benchSync(const QString &benchProgram, int idleSeconds = 35);
// The child side: <application folder> <sync folder> <idle seconds>.
int runSyncCase(const QStringList &arguments);

// Launches the real program on fresh X servers, with and without the openbox
// window manager, and times it from launch until every stored visible note is
// on screen; also hidden notes, resident memory and the idle CPU load.
// Options: --quick (one run each, 10 s idle), --runs N, --idle SECONDS,
// --counts 100,1000, --program PATH (another build of the program, e.g. an
// older one to compare with). It also launches 10,000 stored notes of which
// 100 are shown beside the 100 alone: --stored measures only that,
// --no-stored leaves it out, --stored-count N and --stored-visible N change
// the numbers.
int benchStartup(const QStringList &arguments, const QString &defaultProgram);

// Shows the number of plain note-sized windows given in `arguments` and runs
// until ended: the floor the start-up figures are printed beside.
int runFloorWindows(const QStringList &arguments);
