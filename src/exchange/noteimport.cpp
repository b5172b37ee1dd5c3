#include "exchange/noteimport.h"

#include "base/tracing.h"
#include "exchange/noteexport.h"
#include "platform/regularfile.h"
#include "richtext/imagereferences.h"
#include "richtext/loadedpictures.h"
#include "store/foreignnotefile.h"
#include "store/notepictures.h"
#include "store/picturestore.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QImageReader>
#include <QRegularExpression>
#include <QSqlError>
#include <QSqlQuery>

#include <algorithm>

namespace NoteImport {

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("NoteImport", text);
}

// The index of an export lists every note in about 300 bytes.
constexpr qint64 kMaxIndexBytes = 64 * 1024 * 1024;

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

// Why a picture of an export was left out, in words for the user.
QString leftOutReason(RegularFile::Status status)
{
    switch (status) {
    case RegularFile::Status::Read:
        return tr("it is not a picture.");
    case RegularFile::Status::Missing:
        return tr("it is not in the folder.");
    case RegularFile::Status::OutsideFolder:
        return tr("it is outside the exported folder.");
    case RegularFile::Status::SymbolicLink:
        return tr("it is reached through a symbolic link.");
    case RegularFile::Status::NotRegular:
        return tr("it is not a regular file.");
    case RegularFile::Status::TooLarge:
        return tr("it is larger than 20 MB.");
    case RegularFile::Status::Unreadable:
        break;
    }
    return tr("it could not be read.");
}

// Takes the pictures of the imported notes into the PictureStore.
class PictureTaker
{
public:
    explicit PictureTaker(const QString &exportFolder) : m_folder(exportFolder) {}

    // What the note should show for `source`: a stored picture, the source
    // itself when it names no file (a web address, a stored picture), or
    // PictureStore::kLeftOutSource.
    QString place(const QString &source, QStringList *problems)
    {
        if (LoadedPictures::keptOrLeftOut(source) == source)
            return source;
        const QString scheme = LoadedPictures::schemeOf(source);
        if (const auto known = m_placed.constFind(source); known != m_placed.cend())
            return known.value();
        // Only files of the folder itself: an absolute path, a "file:"
        // address or a climb out would copy any file the user can read.
        RegularFile::Contents contents =
            scheme.isEmpty() ? RegularFile::readInside(m_folder, source, kMaxPictureBytes)
                             : RegularFile::Contents{RegularFile::Status::OutsideFolder, {}};
        QString placed;
        if (contents.status == RegularFile::Status::Read &&
            !PictureStore::pictureType(contents.data).isEmpty()) {
            placed = PictureStore::imageSource(PictureStore::instance().add(contents.data));
        } else {
            placed = PictureStore::kLeftOutSource.toString();
            problems->append(
                tr("The picture %1 was left out: %2").arg(source, leftOutReason(contents.status)));
        }
        m_placed.insert(source, placed);
        return placed;
    }

private:
    QString m_folder;
    QHash<QString, QString> m_placed;
};

} // namespace

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

namespace {

// The pages of an export, in the order of its index (the order of the notes
// when exported); the index leaves out pages of earlier exports into the
// same folder. Without an index, every note page by id.
QStringList pagesToRead(const QDir &dir)
{
    QStringList pages;
    const RegularFile::Contents index = RegularFile::readInside(
        dir.absolutePath(), QLatin1String(NoteExport::kIndexFileName), kMaxIndexBytes);
    if (index.status == RegularFile::Status::Read) {
        static const QRegularExpression link(QStringLiteral(R"re(href="(note-\d+\.html)")re"));
        auto it = link.globalMatch(QString::fromUtf8(index.data));
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

} // namespace

Result readFolder(const QString &folder, const ExchangeProgress &progress)
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
    PictureTaker pictures(dir.absolutePath());
    const int total = int(pages.size());
    int done = 0;
    for (const QString &name : pages) {
        const QString shown = QDir::toNativeSeparators(dir.filePath(name));
        // A page is read only when it is a regular file of the folder itself:
        // a FIFO would block, /dev/zero would never end.
        const RegularFile::Contents page =
            RegularFile::readInside(dir.absolutePath(), name, kMaxPageBytes);
        std::optional<NoteRecord> record;
        if (page.status == RegularFile::Status::TooLarge) {
            result.problems.append(tr("%1 is larger than 5 MB.").arg(shown));
        } else if (page.status != RegularFile::Status::Read) {
            result.problems.append(
                tr("%1 could not be read: %2").arg(shown, leftOutReason(page.status)));
        } else if (record = parsePage(QString::fromUtf8(page.data)); !record) {
            result.problems.append(tr("%1 is not a note exported by Notarella.").arg(shown));
        } else {
            // Quoted image sources are taken in or left out one by one; what
            // else the page would load (unquoted sources, backgrounds,
            // style sheets) is left out.
            record->message = LoadedPictures::screen(
                ImageReferences::rewrite(record->message, [&](const QString &source) {
                    return pictures.place(source, &result.problems);
                }));
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
    const QString shown = QDir::toNativeSeparators(file);
    if (!QFileInfo::exists(file)) {
        result.error = tr("The file %1 does not exist.").arg(shown);
        return result;
    }
    int done = 0;
    int total = 0;
    ForeignNoteFile source(file);
    // Cancel works during a long statement too.
    source.setStopCheck([&] {
        result.cancelled = progress && !progress(done, total);
        return result.cancelled;
    });
    if (const QString reason = source.open(); !reason.isEmpty()) {
        if (!result.cancelled)
            result.error = tr("%1 is not a Notarella note file: %2").arg(shown, reason);
        return result;
    }
    QSqlQuery count(source.database());
    if (source.run(count, QStringLiteral("SELECT COUNT(*) FROM stickies")) && count.next())
        total = count.value(0).toInt();
    QSqlQuery query(source.database());
    query.setForwardOnly(true);
    if (!result.cancelled &&
        source.run(query,
                   QStringLiteral("SELECT %1 FROM stickies").arg(ForeignNoteFile::noteColumns()))) {
        while (query.next()) {
            result.records.append(RecordCodec::decodeRecord(query));
            if (progress && !progress(++done, std::max(total, done))) {
                result.cancelled = true;
                break;
            }
        }
    }
    if (result.cancelled) {
        result.records.clear();
        return result;
    }
    if (query.lastError().isValid() || !query.isActive()) {
        result.records.clear();
        const QString reason =
            source.wasStopped()
                ? tr("reading it took too long; it may be damaged or made to hold up the "
                     "program.")
                : query.lastError().text();
        result.error = tr("%1 could not be read: %2").arg(shown, reason);
        return result;
    }
    result.ok = true;
    // The pictures the notes show come along from the file's own table.
    if (source.hasPictureTable()) {
        source.restartClock();
        NotePictures::loadReferenced(source.database(), result.records);
    }
    return result;
}
void assignNewIds(QList<NoteRecord> &records, int largestExistingId)
{
    for (NoteRecord &record : records)
        record.id = ++largestExistingId;
}

} // namespace NoteImport
