#pragma once

#include "sync/syncnote.h"

#include <QByteArray>
#include <QSet>
#include <QString>

#include <optional>

// The files of a sync folder. Every note is one file "<uuid>.note" that a
// person can read: a few header lines ("key: value") naming the note's id,
// version, origin and values, an empty line, then the note's rich text as
// HTML. A deleted note leaves a tombstone under the same name: the header
// with "deleted:" and no text. Pictures are files of their own,
// "pictures/<hash>.<type>", named by the SHA-256 of their bytes.
//
// Everything in the folder may come from anyone: decode() reads at most
// kMaxFileBytes, takes only values of the right form, and keeps only picture
// sources that name no file.
namespace SyncNoteFile {

// The same limits as an import: far more than any note or picture.
inline constexpr qint64 kMaxFileBytes = 5 * 1024 * 1024;
inline constexpr qint64 kMaxPictureBytes = 20 * 1024 * 1024;
inline constexpr char kSuffix[] = ".note";
inline constexpr char kPictureFolder[] = "pictures";

QString noteFileName(const QString &uuid);
// "pictures/<hash>.<type>", the type read from the bytes ("png", "jpg", …;
// "bin" when unknown).
QString pictureFileName(const QString &hash, const QByteArray &bytes);

QByteArray encode(const SyncNote &note);

struct Decoded
{
    std::optional<SyncNote> note;
    // Why not, for the trace: the file may be half written yet.
    QString problem;
    // The stored pictures the note shows, by hash.
    QSet<QString> pictures;
};
Decoded decode(const QByteArray &bytes);

// What a name in the folder (relative to it, '/' separated) is.
struct Name
{
    enum class Kind
    {
        // "<uuid>.note"
        Note,
        // A copy the sync engine left beside a note it could not reconcile:
        // Syncthing's "<uuid>.sync-conflict-<date>-<time>-<device>.note",
        // Nextcloud's and ownCloud's "<uuid> (conflicted copy <date>).note"
        // and "<uuid>_conflict-<date>-<time>.note", Dropbox's "<uuid>
        // (<machine>'s conflicted copy <date>).note".
        Conflict,
        // "pictures/<hash>.<type>"
        Picture,
        // Anything else: the engine's own files, half-written files of
        // ours, a person's files. Never read, never removed.
        Other
    };
    Kind kind = Kind::Other;
    // The id in the name (Note, Conflict) or the picture's hash (Picture).
    QString key;
};
Name classify(const QString &relativePath);

// Whether `name` is a temporary file of ours: written under it first, then
// renamed to its name.
bool isTemporary(const QString &relativePath);
QString temporaryName(const QString &relativePath);

} // namespace SyncNoteFile
