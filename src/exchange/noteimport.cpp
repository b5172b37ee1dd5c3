#include "exchange/noteimport.h"

#include "base/tracing.h"
#include "exchange/noteexport.h"
#include "richtext/imagereferences.h"
#include "richtext/pictureintake.h"
#include "store/notepictures.h"
#include "store/picturestore.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>
#include <QSaveFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

#include <algorithm>

namespace NoteImport {

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("NoteImport", text);
}

QString decodeEntities(QString text)
{
    text.replace(QLatin1String("&quot;"), QLatin1String("\""));
    text.replace(QLatin1String("&lt;"), QLatin1String("<"));
    text.replace(QLatin1String("&gt;"), QLatin1String(">"));
    text.replace(QLatin1String("&amp;"), QLatin1String("&"));
    return text;
}

QDateTime dateOf(const QString &text)
{
    return text.isEmpty() ? QDateTime() : QDateTime::fromString(text, Qt::ISODate);
}

QByteArray digestOf(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QCryptographicHash hash(QCryptographicHash::Sha256);
    hash.addData(&file);
    return hash.result();
}

// Copies the pictures of the imported notes into one folder.
class ImageCopier
{
public:
    ImageCopier(const QString &exportFolder, const QString &imageFolder)
        : m_from(exportFolder), m_to(imageFolder)
    {
    }

    // The path the note should show for `source`, or an empty text to keep
    // it (not a picture of the export folder).
    QString place(const QString &source, QStringList *problems)
    {
        if (source.isEmpty() || source.startsWith(QLatin1Char('/')) ||
            source.contains(QLatin1Char(':')))
            return QString();
        const QString from = QDir::cleanPath(m_from.absoluteFilePath(source));
        // Only pictures inside the export folder are taken.
        if (!from.startsWith(QDir::cleanPath(m_from.absolutePath()) + QLatin1Char('/')) ||
            !QFileInfo(from).isFile())
            return QString();
        if (const auto known = m_placed.constFind(from); known != m_placed.cend())
            return known.value();
        // Kept with the notes, like any picture inserted; only one too large
        // for that is copied beside the note file.
        const PictureIntake::FileIntake intake = PictureIntake::takeInFile(from);
        if (intake.outcome == PictureIntake::Outcome::Taken) {
            const QString stored = PictureStore::imageSource(intake.hash);
            m_placed.insert(from, stored);
            return stored;
        }
        if (intake.outcome == PictureIntake::Outcome::TooLarge)
            problems->append(QCoreApplication::translate(
                                 "NoteImport", "The picture %1 is larger than 20 MB; it was "
                                               "copied to %2 and is not kept in the note.")
                                 .arg(QDir::toNativeSeparators(from),
                                      QDir::toNativeSeparators(m_to.absolutePath())));
        if (!m_to.mkpath(QStringLiteral("."))) {
            problems->append(
                QCoreApplication::translate("NoteImport", "The folder %1 could not be created.")
                    .arg(QDir::toNativeSeparators(m_to.absolutePath())));
            return from;
        }
        const QFileInfo info(from);
        const QByteArray digest = digestOf(from);
        QString target = m_to.absoluteFilePath(info.fileName());
        for (int n = 2; QFileInfo::exists(target); ++n) {
            if (digestOf(target) == digest) { // the same picture, imported before
                m_placed.insert(from, target);
                return target;
            }
            target = m_to.absoluteFilePath(
                QStringLiteral("%1-%2.%3").arg(info.completeBaseName()).arg(n).arg(info.suffix()));
        }
        QFile input(from);
        QSaveFile output(target);
        if (!input.open(QIODevice::ReadOnly) || !output.open(QIODevice::WriteOnly) ||
            output.write(input.readAll()) != input.size() || !output.commit()) {
            problems->append(
                QCoreApplication::translate("NoteImport",
                                            "The picture %1 could not be copied to %2.")
                    .arg(QDir::toNativeSeparators(from), QDir::toNativeSeparators(target)));
            return from;
        }
        m_placed.insert(from, target);
        return target;
    }

private:
    QDir m_from;
    QDir m_to;
    QHash<QString, QString> m_placed;
};

// The note in one exported page; nothing when the page is not one.
std::optional<NoteRecord> parsePage(const QString &page)
{
    const qsizetype begin = page.indexOf(QLatin1String(NoteExport::kBeginMarker));
    const qsizetype end = page.lastIndexOf(QLatin1String(NoteExport::kEndMarker));
    if (begin < 0 || end < begin)
        return std::nullopt;
    static const QRegularExpression metaTag(
        QStringLiteral(R"re(<meta name="notarella-([a-z-]+)" content="([^"]*)">)re"));
    QHash<QString, QString> values;
    auto it = metaTag.globalMatch(QStringView(page).left(begin));
    while (it.hasNext()) {
        const QRegularExpressionMatch match = it.next();
        values.insert(match.captured(1), decodeEntities(match.captured(2)));
    }
    if (!values.contains(QStringLiteral("id")))
        return std::nullopt;
    NoteRecord record;
    record.id = values.value(QStringLiteral("id")).toInt();
    record.visible = RecordCodec::isYes(values.value(QStringLiteral("visible")));
    record.colorRGB = values.value(QStringLiteral("color-rgb"));
    record.colorName = values.value(QStringLiteral("color-name"));
    record.creationDate = dateOf(values.value(QStringLiteral("created")));
    if (!record.creationDate.isValid())
        record.creationDate = QDateTime::currentDateTime();
    record.originalReminderDate = dateOf(values.value(QStringLiteral("original-reminder")));
    record.reminderDate = dateOf(values.value(QStringLiteral("reminder")));
    record.periodicMask = values.value(QStringLiteral("periodic-mask"));
    record.locked = RecordCodec::isYes(values.value(QStringLiteral("locked")));
    record.alwaysOnTop = RecordCodec::isYes(values.value(QStringLiteral("always-on-top")));
    record.taskbarEntry = values.value(QStringLiteral("taskbar-entry")) != QLatin1String("NO");
    const QStringList geometry = values.value(QStringLiteral("geometry")).split(QLatin1Char(','));
    if (geometry.size() == 4) {
        record.x = geometry.at(0).toInt();
        record.y = geometry.at(1).toInt();
        record.width = geometry.at(2).toInt();
        record.height = geometry.at(3).toInt();
    }
    const qsizetype start = begin + qsizetype(qstrlen(NoteExport::kBeginMarker));
    record.message = page.mid(start, end - start);
    return record;
}

// The pages of an export, in the order of its index (the order of the notes
// when exported); the index leaves out pages of earlier exports into the
// same folder. Without an index, every note page by id.
QStringList pagesToRead(const QDir &dir)
{
    QStringList pages;
    QFile index(dir.filePath(QLatin1String(NoteExport::kIndexFileName)));
    if (index.open(QIODevice::ReadOnly)) {
        static const QRegularExpression link(QStringLiteral(R"re(href="(note-\d+\.html)")re"));
        auto it = link.globalMatch(QString::fromUtf8(index.readAll()));
        while (it.hasNext()) {
            const QString name = it.next().captured(1);
            if (!pages.contains(name))
                pages.append(name);
        }
    }
    if (!pages.isEmpty())
        return pages;
    static const QRegularExpression noteName(QStringLiteral(R"(^note-(\d+)\.html$)"));
    QList<std::pair<qint64, QString>> byId;
    const QStringList names = dir.entryList({QStringLiteral("note-*.html")}, QDir::Files);
    for (const QString &name : names) {
        const QRegularExpressionMatch match = noteName.match(name);
        if (match.hasMatch())
            byId.append({match.captured(1).toLongLong(), name});
    }
    std::sort(byId.begin(), byId.end());
    for (const auto &entry : std::as_const(byId))
        pages.append(entry.second);
    return pages;
}

// The words of a failed step; never empty, as an empty reason means success.
QString reasonOf(const QSqlError &error)
{
    const QString text = error.text().trimmed();
    return text.isEmpty() ? tr("it could not be read.") : text;
}

// Opens `db` and runs the two queries of an import; why that failed, or an
// empty text. Each step names its own failure.
QString whyNotReadable(QSqlDatabase &db, QSqlQuery &count, QSqlQuery &query)
{
    if (!db.open())
        return reasonOf(db.lastError());
    QSqlQuery tables(db);
    if (!tables.exec(QStringLiteral("SELECT COUNT(*) FROM sqlite_master WHERE type = 'table' "
                                    "AND name = 'stickies' COLLATE NOCASE")) ||
        !tables.next())
        return reasonOf(tables.lastError());
    if (tables.value(0).toInt() == 0)
        return tr("it holds no table of notes (\"stickies\").");
    if (!count.exec(QStringLiteral("SELECT COUNT(*) FROM stickies")) || !count.next())
        return reasonOf(count.lastError());
    if (!query.exec(QStringLiteral(
            "SELECT id, visible, colorRGB, colorName, creationDate, originalReminderDate, "
            "reminderDate, periodicMask, locked, alwaysontop, message, xPos, yPos, width, "
            "height, taskbarentry FROM stickies")))
        return reasonOf(query.lastError());
    return QString();
}

} // namespace

Result readFolder(const QString &folder, const QString &imageFolder,
                  const ExchangeProgress &progress)
{
    Result result;
    const QDir dir(folder);
    if (!dir.exists()) {
        result.error = tr("The folder %1 does not exist.").arg(QDir::toNativeSeparators(folder));
        return result;
    }
    const QStringList pages = pagesToRead(dir);
    if (pages.isEmpty()) {
        result.error =
            tr("The folder %1 holds no exported notes.").arg(QDir::toNativeSeparators(folder));
        return result;
    }
    ImageCopier images(dir.absolutePath(), imageFolder);
    const int total = int(pages.size());
    int done = 0;
    for (const QString &name : pages) {
        QFile file(dir.filePath(name));
        std::optional<NoteRecord> record;
        if (!file.open(QIODevice::ReadOnly)) {
            result.problems.append(
                tr("%1 could not be read: %2")
                    .arg(QDir::toNativeSeparators(file.fileName()), file.errorString()));
        } else if (record = parsePage(QString::fromUtf8(file.readAll())); !record) {
            result.problems.append(tr("%1 is not a note exported by Notarella.")
                                       .arg(QDir::toNativeSeparators(file.fileName())));
        } else {
            record->message = ImageReferences::rewrite(record->message, [&](const QString &source) {
                return images.place(source, &result.problems);
            });
            result.records.append(*record);
        }
        if (progress && !progress(++done, total)) {
            result.records.clear();
            result.cancelled = true;
            return result;
        }
    }
    result.ok = true;
    return result;
}

Result readDatabase(const QString &file, const ExchangeProgress &progress)
{
    Result result;
    if (!QFileInfo(file).isFile()) {
        result.error = tr("The file %1 does not exist.").arg(QDir::toNativeSeparators(file));
        return result;
    }
    static int connections = 0;
    const QString connectionName = QStringLiteral("notarella-import-%1").arg(++connections);
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connectionName);
        db.setDatabaseName(file);
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
        QSqlQuery count(db);
        QSqlQuery query(db);
        if (const QString reason = whyNotReadable(db, count, query); !reason.isEmpty()) {
            result.error = tr("%1 is not a Notarella note file: %2")
                               .arg(QDir::toNativeSeparators(file), reason);
        } else {
            const int total = count.value(0).toInt();
            int done = 0;
            result.ok = true;
            while (query.next()) {
                NoteRecord record;
                record.id = query.value(0).toInt();
                record.visible = RecordCodec::isYes(query.value(1).toString());
                record.colorRGB = query.value(2).toString();
                record.colorName = query.value(3).toString();
                record.creationDate = RecordCodec::creationFromSeconds(query.value(4).toLongLong());
                record.originalReminderDate =
                    RecordCodec::reminderFromSeconds(query.value(5).toLongLong());
                record.reminderDate = RecordCodec::reminderFromSeconds(query.value(6).toLongLong());
                record.periodicMask = query.value(7).toString();
                record.locked = RecordCodec::isYes(query.value(8).toString());
                record.alwaysOnTop = RecordCodec::isYes(query.value(9).toString());
                record.message = query.value(10).toString();
                record.x = query.value(11).toInt();
                record.y = query.value(12).toInt();
                record.width = query.value(13).toInt();
                record.height = query.value(14).toInt();
                record.taskbarEntry = RecordCodec::isYes(query.value(15).toString());
                result.records.append(record);
                if (progress && !progress(++done, std::max(total, done))) {
                    result.records.clear();
                    result.cancelled = true;
                    result.ok = false;
                    break;
                }
            }
            if (query.lastError().isValid() && !result.cancelled) {
                result.ok = false;
                result.records.clear();
                result.error = tr("%1 could not be read: %2")
                                   .arg(QDir::toNativeSeparators(file), query.lastError().text());
            }
            // The pictures the notes show come along from the file's own table.
            if (result.ok)
                NotePictures::loadReferenced(db, result.records);
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(connectionName);
    return result;
}

void assignNewIds(QList<NoteRecord> &records, int largestExistingId)
{
    for (NoteRecord &record : records)
        record.id = ++largestExistingId;
}

} // namespace NoteImport
