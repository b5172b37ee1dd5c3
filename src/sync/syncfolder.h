#pragma once

#include "sync/syncnote.h"
#include "sync/syncreconcile.h"

#include <QDateTime>
#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>

// The sync folder on disk: reads what it holds into a SyncFolderView and
// writes notes into it. Used by one thread at a time (the sync's worker);
// files that did not change since the last look are not read again.
class SyncFolder
{
public:
    // A file that still does not read after this long is not being written
    // any more but broken: it is treated as absent, and written anew.
    static constexpr qint64 kUnreadableGraceSeconds = 120;
    // A note whose pictures have not arrived after this long is taken in
    // without them.
    static constexpr qint64 kPictureGraceSeconds = 300;

    explicit SyncFolder(const QString &path) : m_path(path) {}

    QString path() const { return m_path; }
    // Whether the folder is there and can be written.
    bool isReachable() const;
    // What the folder holds now; unreachable when it is not there.
    SyncFolderView read(const QDateTime &now);

    struct WriteResult
    {
        int written = 0;
        int removed = 0;
        // The first failure, in words for the user; empty when all went.
        QString error;
    };
    // Writes each of `notes` (under a temporary name, then renamed) with the
    // pictures it shows that the folder lacks, then removes `removals`.
    WriteResult write(const QList<SyncNote> &notes, const QStringList &removals);

private:
    struct Seen
    {
        qint64 size = -1;
        QDateTime modified;
        std::optional<SyncNote> note;
        QSet<QString> pictures;
        QString problem;
    };
    bool writeFile(const QString &name, const QByteArray &bytes, QString *error);
    bool takePictures(const QSet<QString> &hashes);

    QString m_path;
    QHash<QString, Seen> m_seen;
    // Pictures in the folder by hash, as of the last look.
    QHash<QString, QString> m_pictureFiles;
};
