#pragma once

#include <QString>
#include <QStringList>

// Taking pictures into the notes: a picture a note shows from a file is
// stored with the note (PictureStore) and referred to by its hash, so it
// stays when the file is renamed, deleted or left behind by a copy of the
// notes. An icon of the program is referred to by its name, so it is found
// wherever the program runs.
namespace PictureIntake {

// 20 MB: a larger picture stays a reference to its file.
inline constexpr qint64 kMaxPictureBytes = 20 * 1024 * 1024;

// The program's icons folder, with a trailing "/".
QString iconDirectory();

// The local file an image source names as the text area reads it: a path
// (with "%XX" escapes decoded, as the text document does) or a "file:"
// address. Empty for anything else: relative paths, web addresses, stored
// pictures and icons.
QString localFileOf(const QString &source);

enum class Outcome
{
    Taken,
    TooLarge,
    NotReadable // missing, a directory, a device or FIFO, or unreadable
};

struct FileIntake
{
    Outcome outcome = Outcome::NotReadable;
    QString hash; // when taken
};

// Stores the picture in `path` when it is a regular file of at most
// kMaxPictureBytes.
FileIntake takeInFile(const QString &path);

struct Result
{
    QString html;
    int taken = 0;        // sources rewritten to stored pictures or icons
    QStringList tooLarge; // files left as they were for their size
};

// Rewrites the image sources of `html`: a file in a folder named "icons"
// whose name is an icon of `iconFolder` (with the same content, when the file
// can still be read) becomes "notarella-icon:<name>"; any other readable
// picture file of at most kMaxPictureBytes is stored and becomes
// "notarella-image:<hash>". Sources that name no readable file (a missing
// file, a directory, a FIFO), web addresses and stored references are kept
// exactly as they are, and so is the rest of the text.
Result takeIn(const QString &html, const QString &iconFolder);
// The same against the program's own icons folder, which is looked up only
// when `html` shows any image.
Result takeIn(const QString &html);

// The message that tells the user which pictures stay outside the note.
QString tooLargeTitle();
QString tooLargeMessage(const QStringList &files);

} // namespace PictureIntake
