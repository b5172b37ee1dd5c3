#include "exchange/noteexport.h"

#include "base/tracing.h"
#include "exchange/notemarkdown.h"
#include "notes/notetext.h"
#include "reminders/periodicwords.h"
#include "richtext/imagereferences.h"
#include "richtext/pictureintake.h"
#include "store/picturestore.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QImageReader>
#include <QSaveFile>
#include <QSet>
#include <QTextDocument>

namespace NoteExport {

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("NoteExport", text);
}

QString dateText(const QDateTime &date)
{
    return date.isValid() ? date.toString(Qt::ISODate) : QString();
}

QString readableDate(const QDateTime &date)
{
    return date.toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm"));
}

QString meta(const char *name, const QString &value)
{
    return QStringLiteral("<meta name=\"notarella-%1\" content=\"%2\">\n")
        .arg(QLatin1String(name), value.toHtmlEscaped());
}

// The note's own text carries Qt's rule style ("height: 1px; border-width: 0"),
// which a browser draws as nothing; a line in the text colour shows it. The
// note's style comes later in the page, hence the weight.
constexpr char kPageStyle[] = "<style>\nhr { height: 1px !important; border: none !important; "
                              "background-color: currentColor !important; }\n</style>\n";

QString yesNo(bool value)
{
    return RecordCodec::yesNo(value);
}

// What the header of a note's page says about it.
QString headerBlock(const NoteRecord &record)
{
    QString rows =
        QStringLiteral("<tr><th>%1</th><td><span style=\"background:%2\">&nbsp;&nbsp;"
                       "&nbsp;&nbsp;</span> %3</td></tr>\n")
            .arg(tr("Colour"), record.colorRGB.toHtmlEscaped(), record.colorName.toHtmlEscaped());
    rows += QStringLiteral("<tr><th>%1</th><td>%2</td></tr>\n")
                .arg(tr("Created"), readableDate(record.creationDate));
    if (record.reminderDate.isValid())
        rows += QStringLiteral("<tr><th>%1</th><td>%2</td></tr>\n")
                    .arg(tr("Reminder"), readableDate(record.reminderDate));
    if (!record.periodicMask.isEmpty())
        rows += QStringLiteral("<tr><th>%1</th><td>%2</td></tr>\n")
                    .arg(tr("Repeats"),
                         PeriodicWords::describeMask(record.periodicMask).toHtmlEscaped());
    return QStringLiteral("<table class=\"notarella-header\" style=\"border-bottom:1px solid "
                          "#888;margin-bottom:1em\">\n") +
           rows + QStringLiteral("</table>\n");
}

QString htmlPage(const NoteRecord &record, const QString &message)
{
    QString page = QStringLiteral("<!DOCTYPE html>\n<html>\n<head>\n<meta charset=\"utf-8\">\n"
                                  "<title>%1</title>\n")
                       .arg(tr("Note %1").arg(record.id));
    page += meta("id", QString::number(record.id));
    page += meta("visible", yesNo(record.visible));
    page += meta("color-rgb", record.colorRGB);
    page += meta("color-name", record.colorName);
    page += meta("created", dateText(record.creationDate));
    page += meta("original-reminder", dateText(record.originalReminderDate));
    page += meta("reminder", dateText(record.reminderDate));
    page += meta("periodic-mask", record.periodicMask);
    page += meta("locked", yesNo(record.locked));
    page += meta("always-on-top", yesNo(record.alwaysOnTop));
    page += meta("taskbar-entry", yesNo(record.taskbarEntry));
    page += meta("geometry", QStringLiteral("%1,%2,%3,%4")
                                 .arg(record.x)
                                 .arg(record.y)
                                 .arg(record.width)
                                 .arg(record.height));
    page += QLatin1String(kPageStyle);
    page += QStringLiteral("</head>\n<body style=\"background:%1\">\n")
                .arg(record.colorRGB.toHtmlEscaped());
    page += headerBlock(record);
    page += QLatin1String(kBeginMarker) + message + QLatin1String(kEndMarker);
    page += QStringLiteral("\n</body>\n</html>\n");
    return page;
}

// The text of a note in the index: pictures and other embedded objects,
// which plain text holds as U+FFFC, are left out.
QString excerpt(const QTextDocument &document)
{
    const QString text =
        document.toPlainText().remove(QChar::ObjectReplacementCharacter).simplified();
    return text.size() > 80 ? text.left(79) + QChar(0x2026) : text;
}

// What the index calls a note: its summary as the control panel shows it,
// or "Note <id>" when that is empty.
QString indexTitle(const NoteRecord &record, const QTextDocument &document)
{
    const QString summary = NoteText::summary(document.toPlainText());
    return summary.isEmpty() ? tr("Note %1").arg(record.id) : summary;
}

QString markdownPage(const NoteRecord &record, const QTextDocument &document)
{
    QString page = QStringLiteral("# %1\n\n").arg(tr("Note %1").arg(record.id));
    page += QStringLiteral("- %1: %2 (%3)\n").arg(tr("Colour"), record.colorName, record.colorRGB);
    page += QStringLiteral("- %1: %2\n").arg(tr("Created"), readableDate(record.creationDate));
    if (record.reminderDate.isValid())
        page += QStringLiteral("- %1: %2\n").arg(tr("Reminder"), readableDate(record.reminderDate));
    if (!record.periodicMask.isEmpty())
        page += QStringLiteral("- %1: %2\n")
                    .arg(tr("Repeats"), PeriodicWords::describeMask(record.periodicMask));
    page += QStringLiteral("\n") + NoteMarkdown::fromDocument(document);
    return page;
}

// Writes the files of one export and remembers which ones it added.
class Writer
{
public:
    explicit Writer(const QString &folder) : m_folder(folder) {}

    bool write(const QString &name, const QByteArray &bytes, QString *error)
    {
        const QString path = m_folder.filePath(name);
        const bool existed = QFileInfo::exists(path);
        QSaveFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() ||
            !file.commit()) {
            *error = QCoreApplication::translate("NoteExport", "%1 could not be written: %2")
                         .arg(QDir::toNativeSeparators(path), file.errorString());
            return false;
        }
        if (!existed)
            m_added.append(path);
        return true;
    }

    // Copies a picture once, under a name no other picture of this export
    // has; returns its path relative to the folder, or an empty text when the
    // file cannot be read.
    QString copyImage(const QString &source, QString *error)
    {
        const QString canonical = QFileInfo(source).absoluteFilePath();
        if (const auto known = m_images.constFind(canonical); known != m_images.cend())
            return known.value();
        QFile input(canonical);
        if (!QFileInfo(canonical).isFile() || !input.open(QIODevice::ReadOnly))
            return QString();
        const QFileInfo info(canonical);
        const QString prefix = QLatin1String(kImageFolder) + QLatin1Char('/');
        QString relative = prefix + info.fileName();
        for (int n = 2; m_usedImageNames.contains(relative); ++n)
            relative =
                prefix +
                QStringLiteral("%1-%2.%3").arg(info.completeBaseName()).arg(n).arg(info.suffix());
        if (!m_folder.mkpath(QLatin1String(kImageFolder))) {
            *error =
                QCoreApplication::translate("NoteExport", "The folder %1 could not be created.")
                    .arg(QDir::toNativeSeparators(m_folder.filePath(kImageFolder)));
            return QString();
        }
        if (!write(relative, input.readAll(), error))
            return QString();
        m_usedImageNames.insert(relative);
        m_images.insert(canonical, relative);
        return relative;
    }

    // Writes a picture kept with the notes once, as "images/<hash>.<type>";
    // returns its path relative to the folder, or an empty text when no such
    // picture is known.
    QString writeStoredPicture(const QString &hash, QString *error)
    {
        const QString key = QStringLiteral("stored:") + hash;
        if (const auto known = m_images.constFind(key); known != m_images.cend())
            return known.value();
        const QByteArray bytes = PictureStore::instance().bytes(hash);
        if (bytes.isEmpty())
            return QString();
        QBuffer buffer;
        buffer.setData(bytes);
        buffer.open(QIODevice::ReadOnly);
        QByteArray type = QImageReader::imageFormat(&buffer);
        if (type.isEmpty())
            type = "bin";
        const QString relative = QLatin1String(kImageFolder) + QLatin1Char('/') + hash +
                                 QLatin1Char('.') + QString::fromLatin1(type);
        if (!m_folder.mkpath(QLatin1String(kImageFolder))) {
            *error =
                QCoreApplication::translate("NoteExport", "The folder %1 could not be created.")
                    .arg(QDir::toNativeSeparators(m_folder.filePath(kImageFolder)));
            return QString();
        }
        if (!write(relative, bytes, error))
            return QString();
        m_usedImageNames.insert(relative);
        m_images.insert(key, relative);
        return relative;
    }

    // The file an image source of a note names, or a stored picture's copy.
    QString placePicture(const QString &source, QString *error)
    {
        if (const QString hash = PictureStore::hashOfSource(source); !hash.isEmpty())
            return writeStoredPicture(hash, error);
        const QString iconPrefix = PictureStore::kIconScheme.toString() + QLatin1Char(':');
        if (source.startsWith(iconPrefix)) {
            const QString name = source.mid(iconPrefix.size());
            if (name.contains(QLatin1Char('/')) || name.startsWith(QLatin1Char('.')))
                return QString();
            return copyImage(PictureIntake::iconDirectory() + name, error);
        }
        const QString file = ImageReferences::localFile(source);
        return file.isEmpty() ? QString() : copyImage(file, error);
    }

    void removeAdded()
    {
        for (const QString &path : std::as_const(m_added))
            QFile::remove(path);
        m_folder.rmdir(QLatin1String(kImageFolder)); // only when empty
        m_added.clear();
    }

private:
    QDir m_folder;
    QStringList m_added;
    QHash<QString, QString> m_images;
    QSet<QString> m_usedImageNames;
};

} // namespace

QString htmlFileName(int id)
{
    return QStringLiteral("note-%1.html").arg(id);
}

QString markdownFileName(int id)
{
    return QStringLiteral("note-%1.md").arg(id);
}

Result exportNotes(const QList<NoteRecord> &records, const QString &folder,
                   const ExchangeProgress &progress)
{
    Result result;
    if (!QDir().mkpath(folder)) {
        result.error =
            tr("The folder %1 could not be created.").arg(QDir::toNativeSeparators(folder));
        return result;
    }
    Writer writer(folder);
    const int total = int(records.size());
    QString index =
        QStringLiteral("<!DOCTYPE html>\n<html>\n<head>\n<meta charset=\"utf-8\">\n"
                       "<title>%1</title>\n</head>\n<body>\n<h1>%1</h1>\n<table>\n"
                       "<tr><th></th><th>%2</th><th>%3</th><th>%4</th><th>%5</th></tr>\n")
            .arg(tr("Notarella notes"), tr("Note"), tr("Created"), tr("Reminder"), tr("Text"));
    auto fail = [&](const QString &error) {
        qCWarning(lcStore) << "export failed:" << error;
        writer.removeAdded();
        result.error = error;
        result.written = 0;
        return result;
    };
    for (const NoteRecord &record : records) {
        QString error;
        const QString message =
            ImageReferences::rewrite(record.message, [&](const QString &source) {
                return writer.placePicture(source, &error);
            });
        if (!error.isEmpty())
            return fail(error);
        // Parsed once for both the Markdown page and the index's summary.
        QTextDocument document;
        document.setHtml(message);
        if (!writer.write(htmlFileName(record.id), htmlPage(record, message).toUtf8(), &error) ||
            !writer.write(markdownFileName(record.id), markdownPage(record, document).toUtf8(),
                          &error))
            return fail(error);
        index +=
            QStringLiteral("<tr><td style=\"background:%1\" title=\"%2\">&nbsp;&nbsp;&nbsp;"
                           "</td><td><a href=\"%3\">%4</a> (<a href=\"%5\">Markdown</a>)</td>"
                           "<td>%6</td><td>%7</td><td>%8</td></tr>\n")
                .arg(record.colorRGB.toHtmlEscaped(), record.colorName.toHtmlEscaped(),
                     htmlFileName(record.id), indexTitle(record, document).toHtmlEscaped(),
                     markdownFileName(record.id), readableDate(record.creationDate),
                     record.reminderDate.isValid() ? readableDate(record.reminderDate) : QString(),
                     excerpt(document).toHtmlEscaped());
        ++result.written;
        if (progress && !progress(result.written, total)) {
            writer.removeAdded();
            result.written = 0;
            result.cancelled = true;
            return result;
        }
    }
    index += QStringLiteral("</table>\n</body>\n</html>\n");
    QString error;
    if (!writer.write(QLatin1String(kIndexFileName), index.toUtf8(), &error))
        return fail(error);
    result.ok = true;
    qCDebug(lcStore) << "exported" << result.written << "notes to" << folder;
    return result;
}

} // namespace NoteExport
