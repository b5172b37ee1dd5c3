#include "store/notebackups.h"

#include "base/tracing.h"
#include "platform/durablereplace.h"
#include "platform/ownfolder.h"
#include "platform/privatefile.h"
#include "store/notedatabase.h"

#include <QAtomicInteger>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>

#include <QCoreApplication>

#include <algorithm>
#include <optional>

namespace NoteBackups {

namespace {

const QString kDailyInfix = QStringLiteral(".backup-");
const QString kBeforeRestoreInfix = QStringLiteral(".before-restore-");
const QString kDateFormat = QStringLiteral("yyyy-MM-dd");
const QString kDateTimeFormat = QStringLiteral("yyyy-MM-dd-HHmmss");

// The copy `fileName` stands for, when it is one of `baseName`'s.
std::optional<Copy> parse(const QString &baseName, const QString &fileName)
{
    Copy copy;
    QString stamp;
    if (fileName.startsWith(baseName + kDailyInfix)) {
        stamp = fileName.mid(baseName.size() + kDailyInfix.size());
        copy.kind = stamp.size() == kDateFormat.size() ? Kind::Daily : Kind::ByHand;
    } else if (fileName.startsWith(baseName + kBeforeRestoreInfix)) {
        stamp = fileName.mid(baseName.size() + kBeforeRestoreInfix.size());
        copy.kind = Kind::BeforeRestore;
    } else {
        return std::nullopt;
    }
    if (copy.kind == Kind::Daily)
        copy.taken = QDateTime(QDate::fromString(stamp, kDateFormat), QTime(0, 0));
    else if (stamp.size() == kDateTimeFormat.size())
        copy.taken = QDateTime::fromString(stamp, kDateTimeFormat);
    if (!copy.taken.isValid())
        return std::nullopt; // a temporary, a journal or a file of the user's
    return copy;
}

QList<Copy> copiesOf(const QString &databaseFile)
{
    const QFileInfo database(databaseFile);
    const QString baseName = database.fileName();
    QList<Copy> copies;
    const QStringList names =
        database.dir().entryList({baseName + QLatin1String(".*")}, QDir::Files | QDir::Hidden);
    for (const QString &name : names) {
        if (std::optional<Copy> copy = parse(baseName, name)) {
            copy->file = database.dir().filePath(name);
            copies.append(*copy);
        }
    }
    std::sort(copies.begin(), copies.end(),
              [](const Copy &a, const Copy &b) { return a.taken > b.taken; });
    return copies;
}

} // namespace

QString dailyName(const QString &databaseFile, QDate date)
{
    return databaseFile + kDailyInfix + date.toString(kDateFormat);
}

QString byHandName(const QString &databaseFile, const QDateTime &when)
{
    return databaseFile + kDailyInfix + when.toString(kDateTimeFormat);
}

QString beforeRestoreName(const QString &databaseFile, const QDateTime &when)
{
    return databaseFile + kBeforeRestoreInfix + when.toString(kDateTimeFormat);
}

QList<Copy> list(const QString &databaseFile)
{
    QList<Copy> copies = copiesOf(databaseFile);
    for (Copy &copy : copies) {
        const NoteDatabase::FileCheck check = NoteDatabase::inspect(copy.file);
        copy.notes = check.notes;
        copy.problem = check.problem;
    }
    return copies;
}

QStringList prune(const QString &databaseFile, int keep, const QString &justTaken)
{
    QList<Copy> daily;
    for (Copy copy : copiesOf(databaseFile)) {
        if (copy.kind != Kind::Daily)
            continue;
        copy.taken = std::min(copy.taken, QFileInfo(copy.file).lastModified());
        daily.append(copy);
    }
    const QString taken = QFileInfo(justTaken).absoluteFilePath();
    const auto isJustTaken = [&](const Copy &copy) {
        return !justTaken.isEmpty() && QFileInfo(copy.file).absoluteFilePath() == taken;
    };
    // The copy just taken first: it counts among those kept, always.
    std::stable_sort(daily.begin(), daily.end(), [&](const Copy &a, const Copy &b) {
        if (isJustTaken(a) != isJustTaken(b))
            return isJustTaken(a);
        return a.taken > b.taken;
    });
    QStringList removed;
    for (qsizetype i = 0; i < daily.size(); ++i) {
        const Copy &copy = daily.at(i);
        if (i < keep || isJustTaken(copy))
            continue;
        if (QFile::remove(copy.file))
            removed.append(copy.file);
        else
            qCWarning(lcStore) << "could not remove the old copy" << copy.file;
    }
    return removed;
}

int noteCount(const QString &file)
{
    return NoteDatabase::inspect(file).notes;
}

bool replaceUnreadable(const QString &databaseFile, const QString &backup, QString *keptAs,
                       QString *error)
{
    const QString incoming = databaseFile + QStringLiteral(".restoring");
    QFile::remove(incoming);
    QString reason;
    if (!PrivateFile::copy(backup, incoming, &reason)) {
        *error = QCoreApplication::translate("NoteBackups", "%1 cannot be copied.")
                     .arg(QDir::toNativeSeparators(backup));
        qCWarning(lcStore) << "cannot copy" << backup << reason;
        return false;
    }
    const bool present = QFileInfo::exists(databaseFile) || QFileInfo(databaseFile).isSymLink();
    const QString aside =
        present ? NoteDatabase::putFileAside(databaseFile, QStringLiteral(".unreadable-"))
                : QString();
    // A journal without its file would be rolled into the copy put there.
    for (const QString &companion :
         {QStringLiteral("-journal"), QStringLiteral("-wal"), QStringLiteral("-shm")}) {
        if (!present && QFileInfo::exists(databaseFile + companion))
            Platform::moveAside(databaseFile + companion,
                                databaseFile + QStringLiteral(".unreadable-") +
                                    QDateTime::currentDateTime().toString(kDateTimeFormat) +
                                    companion);
    }
    if (present && aside.isEmpty()) {
        *error = QCoreApplication::translate("NoteBackups", "%1 cannot be moved aside.")
                     .arg(QDir::toNativeSeparators(databaseFile));
        QFile::remove(incoming);
        return false;
    }
    if (!Platform::replaceWith(incoming, databaseFile, error)) {
        if (present)
            Platform::moveAside(aside, databaseFile);
        return false;
    }
    *keptAs = aside;
    return true;
}

bool writeCopy(const QSqlDatabase &database, const QString &target, QString *error)
{
    const QString part = target + QStringLiteral(".part");
    QFile::remove(part); // left by an earlier attempt that did not finish
    if (!QFileInfo(target).dir().exists() &&
        !PrivateFile::makeFolders(QFileInfo(target).absolutePath())) {
        *error = QCoreApplication::translate("NoteBackups", "The folder %1 cannot be created.")
                     .arg(QDir::toNativeSeparators(QFileInfo(target).absolutePath()));
        return false;
    }
    // SQLite writes into an empty file that only this user may read.
    if (PrivateFile::create(part, error) != PrivateFile::Created::Yes)
        return false;
    // VACUUM INTO reads the database in one transaction: the copy holds one
    // whole save, never part of one.
    QSqlQuery query(database);
    query.prepare(QStringLiteral("VACUUM INTO ?"));
    query.addBindValue(part);
    if (!query.exec()) {
        *error = query.lastError().text();
        QFile::remove(part);
        return false;
    }
    // SQLite does not flush the copy: it must be on the disk before its name
    // says it is complete. An older copy of the same name is replaced in one
    // step.
    return Platform::replaceWith(part, target, error);
}

QString writeRescueCopy(const QStringList &folders, const QString &name,
                        const QList<NoteRecord> &records, const QList<TrashedNote> &trash,
                        QString *error)
{
    *error = QCoreApplication::translate("NoteBackups", "No folder of your own can be written.");
    for (const QString &folder : folders) {
        // Only a folder nobody else can write into: another user could read
        // the notes there, or put a link in the way of the next name.
        if (!QFileInfo(folder).isDir())
            PrivateFile::makeFolders(folder);
        if (!Platform::isOwnFolder(folder, Platform::FolderRule::ClosedToWriters)) {
            qCWarning(lcStore) << "no rescue copy in" << folder << ": not a folder of one's own";
            continue;
        }
        for (int n = 1; n <= 100; ++n) {
            const QString file =
                QDir(folder).filePath(n == 1 ? name : name + QLatin1Char('-') + QString::number(n));
            QString reason;
            const PrivateFile::Created created = PrivateFile::create(file, &reason);
            if (created == PrivateFile::Created::Exists)
                continue;
            if (created == PrivateFile::Created::Yes &&
                NoteDatabase::writeCopy(file, records, &reason, trash)) {
                // Its name stays after a power cut, too.
                Platform::syncFolderOf(file);
                return file;
            }
            qCWarning(lcStore) << "no rescue copy in" << file << reason;
            *error = reason;
            if (created == PrivateFile::Created::Yes) {
                for (const QString &companion : {QStringLiteral("-journal"), QStringLiteral("-wal"),
                                                 QStringLiteral("-shm"), QString()})
                    QFile::remove(file + companion);
            }
            break;
        }
    }
    return QString();
}

} // namespace NoteBackups
