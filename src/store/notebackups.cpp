#include "store/notebackups.h"

#include "base/tracing.h"
#include "store/notedatabase.h"

#include <QAtomicInteger>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>

#include <QCoreApplication>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <optional>
#include <unistd.h>

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
    for (Copy &copy : copies)
        copy.notes = noteCount(copy.file);
    return copies;
}

QStringList prune(const QString &databaseFile, int keep)
{
    QStringList removed;
    int kept = 0;
    for (const Copy &copy : copiesOf(databaseFile)) {
        if (copy.kind != Kind::Daily || ++kept <= keep)
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
    static QAtomicInteger<int> serial;
    const QString name = QStringLiteral("note-copy-reader-%1").arg(serial.fetchAndAddRelaxed(1));
    int count = -1;
    {
        QSqlDatabase database = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        database.setDatabaseName(file);
        database.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
        if (QFileInfo(file).isFile() && database.open()) {
            QSqlQuery query(database);
            if (query.exec(QStringLiteral("SELECT (SELECT COUNT(*) FROM stickies), "
                                          "(SELECT COUNT(*) FROM stickies_backup)")) &&
                query.next())
                count =
                    query.value(0).toInt() > 0 ? query.value(0).toInt() : query.value(1).toInt();
            else if (query.exec(QStringLiteral("SELECT COUNT(*) FROM stickies")) && query.next())
                count = query.value(0).toInt(); // a file without the backup table
        }
        database.close();
    }
    QSqlDatabase::removeDatabase(name);
    return count;
}

bool replaceUnreadable(const QString &databaseFile, const QString &backup, QString *keptAs,
                       QString *error)
{
    const QString incoming = databaseFile + QStringLiteral(".restoring");
    QFile::remove(incoming);
    if (!QFile::copy(backup, incoming)) {
        *error = QCoreApplication::translate("NoteBackups", "%1 cannot be copied.")
                     .arg(QDir::toNativeSeparators(backup));
        QFile::remove(incoming);
        return false;
    }
    const bool present = QFileInfo::exists(databaseFile);
    const QString aside =
        present ? NoteDatabase::putFileAside(databaseFile, QStringLiteral(".unreadable-"))
                : QString();
    if (present && aside.isEmpty()) {
        *error = QCoreApplication::translate("NoteBackups", "%1 cannot be moved aside.")
                     .arg(QDir::toNativeSeparators(databaseFile));
        QFile::remove(incoming);
        return false;
    }
    if (std::rename(QFile::encodeName(incoming).constData(),
                    QFile::encodeName(databaseFile).constData()) != 0) {
        *error = QString::fromLocal8Bit(std::strerror(errno));
        QFile::remove(incoming);
        if (present)
            QFile::rename(aside, databaseFile);
        return false;
    }
    *keptAs = aside;
    return true;
}

bool writeCopy(const QSqlDatabase &database, const QString &target, QString *error)
{
    const QString part = target + QStringLiteral(".part");
    QFile::remove(part); // left by an earlier attempt that did not finish
    if (!QFileInfo(target).dir().exists() && !QDir().mkpath(QFileInfo(target).absolutePath())) {
        *error = QCoreApplication::translate("NoteBackups", "The folder %1 cannot be created.")
                     .arg(QDir::toNativeSeparators(QFileInfo(target).absolutePath()));
        return false;
    }
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
    // says it is complete.
    QFile written(part);
    if (!written.open(QIODevice::ReadWrite) || ::fsync(written.handle()) != 0) {
        *error = written.errorString();
        QFile::remove(part);
        return false;
    }
    written.close();
    // rename() replaces an older copy of the same name in one step.
    if (std::rename(QFile::encodeName(part).constData(), QFile::encodeName(target).constData()) !=
        0) {
        *error = QString::fromLocal8Bit(std::strerror(errno));
        QFile::remove(part);
        return false;
    }
    return true;
}

} // namespace NoteBackups
