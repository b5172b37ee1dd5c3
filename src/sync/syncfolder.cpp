#include "sync/syncfolder.h"

#include "base/tracing.h"
#include "platform/durablereplace.h"
#include "platform/regularfile.h"
#include "store/picturestore.h"
#include "sync/syncnotefile.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("SyncFolder", text);
}

} // namespace

bool SyncFolder::isReachable() const
{
    const QFileInfo info(m_path);
    return info.isDir() && info.isWritable();
}

bool SyncFolder::takePictures(const QSet<QString> &hashes)
{
    bool all = true;
    for (const QString &hash : hashes) {
        if (PictureStore::instance().contains(hash))
            continue;
        const QString name = m_pictureFiles.value(hash);
        if (name.isEmpty()) {
            all = false;
            continue;
        }
        const RegularFile::Contents contents =
            RegularFile::readInside(m_path, name, SyncNoteFile::kMaxPictureBytes);
        if (contents.status != RegularFile::Status::Read ||
            PictureStore::pictureType(contents.data).isEmpty() ||
            !PictureStore::instance().addWithHash(hash, contents.data)) {
            qCDebug(lcStore) << "sync: picture not taken" << name;
            all = false;
        }
    }
    return all;
}

SyncFolderView SyncFolder::read(const QDateTime &now)
{
    SyncFolderView view;
    if (!isReachable())
        return view;
    view.reachable = true;
    struct Listed
    {
        QString name;
        qint64 size;
        QDateTime modified;
        SyncNoteFile::Name kind;
    };
    QList<Listed> notes;
    m_pictureFiles.clear();
    const QDir root(m_path);
    const QStringList folders{QString(), QLatin1String(SyncNoteFile::kPictureFolder)};
    for (const QString &sub : folders) {
        const QDir dir(sub.isEmpty() ? m_path : root.filePath(sub));
        const QFileInfoList entries =
            dir.entryInfoList(QDir::Files | QDir::Hidden | QDir::NoSymLinks, QDir::Name);
        for (const QFileInfo &info : entries) {
            const QString name = sub.isEmpty() ? info.fileName() : sub + u'/' + info.fileName();
            const SyncNoteFile::Name kind = SyncNoteFile::classify(name);
            if (kind.kind == SyncNoteFile::Name::Kind::Picture)
                m_pictureFiles.insert(kind.key, name);
            else if (kind.kind == SyncNoteFile::Name::Kind::Note ||
                     kind.kind == SyncNoteFile::Name::Kind::Conflict)
                notes.append({name, info.size(), info.lastModified(), kind});
        }
    }
    QHash<QString, Seen> seen;
    for (const Listed &file : std::as_const(notes)) {
        Seen known = m_seen.value(file.name);
        if (known.size != file.size || known.modified != file.modified) {
            known = Seen{file.size, file.modified, std::nullopt, {}, {}};
            const RegularFile::Contents contents =
                RegularFile::readInside(m_path, file.name, SyncNoteFile::kMaxFileBytes);
            if (contents.status == RegularFile::Status::Read) {
                SyncNoteFile::Decoded decoded = SyncNoteFile::decode(contents.data);
                known.note = decoded.note;
                known.pictures = decoded.pictures;
                known.problem = decoded.problem;
            } else {
                known.problem = QStringLiteral("not read");
            }
        }
        seen.insert(file.name, known);
        const qint64 age = file.modified.secsTo(now);
        SyncFolderView::File entry;
        entry.name = file.name;
        entry.key = file.kind.key;
        entry.conflict = file.kind.kind == SyncNoteFile::Name::Kind::Conflict;
        if (!known.note) {
            qCDebug(lcStore) << "sync: file does not read yet:" << file.name << known.problem;
            if (age > kUnreadableGraceSeconds)
                continue;
        } else if (!takePictures(known.pictures) && age <= kPictureGraceSeconds) {
            qCDebug(lcStore) << "sync: waiting for the pictures of" << file.name;
        } else {
            entry.note = known.note;
        }
        view.files.append(entry);
    }
    m_seen = seen;
    return view;
}

bool SyncFolder::writeFile(const QString &name, const QByteArray &bytes, QString *error)
{
    const QDir root(m_path);
    const QString target = root.filePath(name);
    const QString temporary = root.filePath(SyncNoteFile::temporaryName(name));
    QFile::remove(temporary); // left by a write that was cut short
    // Made new: an entry planted under the temporary name is never written
    // through. Readable as the umask allows: the sync tool hands it on.
    QString reason;
    if (!Platform::replaceWithBytes(temporary, target, bytes, PrivateFile::Access::AsUmaskAllows,
                                    &reason)) {
        *error = tr("%1 could not be written: %2").arg(target, reason);
        return false;
    }
    return true;
}

SyncFolder::WriteResult SyncFolder::write(const QList<SyncNote> &notes, const QStringList &removals)
{
    WriteResult result;
    if (!isReachable()) {
        result.error = tr("The folder %1 is not reachable.").arg(m_path);
        return result;
    }
    for (const SyncNote &note : notes) {
        if (!note.isDeleted()) {
            const QSet<QString> hashes = PictureStore::referencedIn(note.record.message);
            for (const QString &hash : hashes) {
                if (m_pictureFiles.contains(hash))
                    continue;
                const QByteArray bytes = PictureStore::instance().bytes(hash);
                if (bytes.isEmpty())
                    continue;
                QDir(m_path).mkpath(QLatin1String(SyncNoteFile::kPictureFolder));
                const QString name = SyncNoteFile::pictureFileName(hash, bytes);
                QString error;
                if (!writeFile(name, bytes, &error)) {
                    if (result.error.isEmpty())
                        result.error = error;
                    continue;
                }
                m_pictureFiles.insert(hash, name);
            }
        }
        QString error;
        if (writeFile(SyncNoteFile::noteFileName(note.uuid), SyncNoteFile::encode(note), &error))
            ++result.written;
        else if (result.error.isEmpty())
            result.error = error;
    }
    // Only what a look at the folder found to be a note's file or its
    // conflict copy is ever removed.
    for (const QString &name : removals) {
        const auto kind = SyncNoteFile::classify(name).kind;
        if (kind != SyncNoteFile::Name::Kind::Note && kind != SyncNoteFile::Name::Kind::Conflict)
            continue;
        if (QFile::remove(QDir(m_path).filePath(name)))
            ++result.removed;
        m_seen.remove(name);
    }
    return result;
}
