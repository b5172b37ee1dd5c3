#include "exchange/noteexport.h"

#include "base/tracing.h"
#include "exchange/notemarkdown.h"
#include "notes/notetext.h"
#include "platform/regularfile.h"
#include "platform/safewrite.h"
#include "reminders/periodicwords.h"
#include "richtext/imagereferences.h"
#include "richtext/markupsafety.h"
#include "richtext/pictureintake.h"
#include "store/picturestore.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QImageReader>
#include <QSet>
#include <QTextDocument>

#include <cerrno>
#include <optional>
#include <unistd.h>

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

// Pages open in a browser, and a note's own text may hold markup Qt ignores
// but a browser runs (script, event attributes, "javascript:" links). The
// policy, ahead of any note text, lets the page run no script and fetch
// nothing from elsewhere; the pictures beside it still show.
constexpr char kPagePolicy[] =
    "<meta http-equiv=\"Content-Security-Policy\" content=\"default-src 'none'; "
    "img-src 'self' file: data:; style-src 'unsafe-inline'; base-uri 'none'; "
    "form-action 'none'\">\n";

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

} // namespace

QString htmlPage(const NoteRecord &record, const QString &message)
{
    QString page = QStringLiteral("<!DOCTYPE html>\n<html>\n<head>\n<meta charset=\"utf-8\">\n"
                                  "%1<title>%2</title>\n")
                       .arg(QLatin1String(kPagePolicy), tr("Note %1").arg(record.id));
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

namespace {

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
    using NoteMarkdown::escaped;
    QString page = QStringLiteral("# %1\n\n").arg(tr("Note %1").arg(record.id));
    page += QStringLiteral("- %1: %2 (%3)\n")
                .arg(tr("Colour"), escaped(record.colorName), escaped(record.colorRGB));
    page += QStringLiteral("- %1: %2\n").arg(tr("Created"), readableDate(record.creationDate));
    if (record.reminderDate.isValid())
        page += QStringLiteral("- %1: %2\n").arg(tr("Reminder"), readableDate(record.reminderDate));
    if (!record.periodicMask.isEmpty())
        page += QStringLiteral("- %1: %2\n")
                    .arg(tr("Repeats"), escaped(PeriodicWords::describeMask(record.periodicMask)));
    page += QStringLiteral("\n") + NoteMarkdown::fromDocument(document);
    return page;
}

// The folder the new files are written into first: a private folder inside
// the target, so that an earlier export there stays whole until every file of
// this one is written.
constexpr char kStagingPrefix[] = ".notarella-export-";
// Inside it, the files this export replaced, kept until it is complete.
constexpr char kPreviousFolder[] = "previous";

QString folderProblemText(SafeWrite::Problem problem, const QString &path)
{
    const QString where = QDir::toNativeSeparators(path);
    switch (problem) {
    case SafeWrite::Problem::NotAFolder:
        return tr("%1 is not a folder (or is a link).").arg(where);
    case SafeWrite::Problem::NotOwned:
        return tr("The folder %1 belongs to another user.").arg(where);
    case SafeWrite::Problem::WritableByOthers:
        return tr("Other users can change the files in the folder %1.").arg(where);
    case SafeWrite::Problem::InTheWay:
        return tr("%1 is in the way: it is a link, a folder or a file of another user.").arg(where);
    case SafeWrite::Problem::None:
    case SafeWrite::Problem::Failed:
        break;
    }
    return tr("The folder %1 could not be opened: %2").arg(where, qt_error_string(errno));
}

// Writes the files of one export into a private folder inside the target,
// then puts them in place only once all of them are written.
class Writer
{
public:
    explicit Writer(const QString &folder) : m_path(folder) {}

    ~Writer() { discard(); }

    bool begin(QString *error)
    {
        SafeWrite::Problem problem = SafeWrite::Problem::None;
        m_target = SafeWrite::Folder::open(m_path, &problem);
        if (m_target.isOpen())
            m_staging =
                m_target.makePrivate(QLatin1String(kStagingPrefix), &m_stagingName, &problem);
        if (!m_staging.isOpen())
            *error = folderProblemText(problem, m_path);
        return m_staging.isOpen();
    }

    // Writes `name` (or "images/<name>") into the private folder.
    bool write(const QString &name, const QByteArray &bytes, QString *error)
    {
        const bool image = name.startsWith(QLatin1String(kImageFolder) + QLatin1Char('/'));
        const QString leaf = image ? name.mid(qstrlen(kImageFolder) + 1) : name;
        if (image && !m_stagingImages.isOpen()) {
            SafeWrite::Problem problem = SafeWrite::Problem::None;
            m_stagingImages = m_staging.subfolder(QLatin1String(kImageFolder), &problem);
            if (!m_stagingImages.isOpen()) {
                *error = folderProblemText(problem,
                                           QDir(m_path).filePath(m_stagingName + QLatin1Char('/') +
                                                                 QLatin1String(kImageFolder)));
                return false;
            }
        }
        const SafeWrite::Folder &into = image ? m_stagingImages : m_staging;
        if (m_written.contains(name))
            into.remove(leaf); // the same note twice: the later one counts
        else
            (image ? m_imageNames : m_names).append(leaf);
        m_written.insert(name);
        Platform::FileDescriptor fd = into.createFile(leaf);
        const QString path = QDir::toNativeSeparators(QDir(m_path).filePath(name));
        if (!fd.isValid()) {
            *error = QCoreApplication::translate("NoteExport", "%1 could not be written: %2")
                         .arg(path, qt_error_string(errno));
            return false;
        }
        QFile file;
        if (!file.open(fd.get(), QIODevice::WriteOnly, QFileDevice::AutoCloseHandle)) {
            *error = QCoreApplication::translate("NoteExport", "%1 could not be written: %2")
                         .arg(path, file.errorString());
            return false;
        }
        fd.release(); // the QFile closes it now
        if (file.write(bytes) != bytes.size() || !file.flush() || ::fdatasync(file.handle()) != 0) {
            *error = QCoreApplication::translate("NoteExport", "%1 could not be written: %2")
                         .arg(path, file.error() != QFileDevice::NoError ? file.errorString()
                                                                         : qt_error_string(errno));
            return false;
        }
        return true;
    }

    // Copies an icon of the program once, when it is a picture of at most
    // RegularFile's limit; returns its path relative to the folder, or an
    // empty text when it is not copied.
    QString copyIcon(const QString &source, QString *error)
    {
        if (const auto known = m_images.constFind(source); known != m_images.cend())
            return known.value();
        const std::optional<QByteArray> bytes = RegularFile::read(source);
        if (!bytes || PictureStore::pictureType(*bytes).isEmpty())
            return QString();
        const QFileInfo info(source);
        const QString prefix = QLatin1String(kImageFolder) + QLatin1Char('/');
        QString relative = prefix + info.fileName();
        for (int n = 2; m_usedImageNames.contains(relative); ++n)
            relative =
                prefix +
                QStringLiteral("%1-%2.%3").arg(info.completeBaseName()).arg(n).arg(info.suffix());
        if (!write(relative, *bytes, error))
            return QString();
        m_usedImageNames.insert(relative);
        m_images.insert(source, relative);
        return relative;
    }

    // Writes a picture kept with the notes once, as "images/<hash>.<type>";
    // returns its path relative to the folder, or an empty text when no such
    // picture is known or it is not a picture.
    QString writeStoredPicture(const QString &hash, QString *error)
    {
        const QString key = QStringLiteral("stored:") + hash;
        if (const auto known = m_images.constFind(key); known != m_images.cend())
            return known.value();
        const QByteArray bytes = PictureStore::instance().bytes(hash);
        const QByteArray type = PictureStore::pictureType(bytes);
        if (type.isEmpty())
            return QString();
        const QString relative = QLatin1String(kImageFolder) + QLatin1Char('/') + hash +
                                 QLatin1Char('.') + QString::fromLatin1(type);
        if (!write(relative, bytes, error))
            return QString();
        m_usedImageNames.insert(relative);
        m_images.insert(key, relative);
        return relative;
    }

    // The copy of a picture a note shows: one kept with the notes or an icon
    // of the program. Files named by a path stay where they are: a note
    // handed in by someone else may name any file of the user's.
    QString placePicture(const QString &source, QString *error)
    {
        if (const QString hash = PictureStore::hashOfSource(source); !hash.isEmpty())
            return writeStoredPicture(hash, error);
        const QString iconPrefix = PictureStore::kIconScheme.toString() + QLatin1Char(':');
        if (source.startsWith(iconPrefix)) {
            const QString name = source.mid(iconPrefix.size());
            if (name.contains(QLatin1Char('/')) || name.startsWith(QLatin1Char('.')))
                return QString();
            return copyIcon(PictureIntake::iconDirectory() + name, error);
        }
        return QString();
    }

    // When pictures were written: whether the folder of pictures is already
    // in the target (`exists`) and, if so, that folder opened in `images`.
    // False, with the reason, when something else is in its place.
    bool openTargetImages(SafeWrite::Folder *images, bool *exists, QString *error)
    {
        if (m_imageNames.isEmpty())
            return true;
        const SafeWrite::Entry entry = m_target.entry(QLatin1String(kImageFolder));
        *exists = entry != SafeWrite::Entry::Absent;
        SafeWrite::Problem problem = SafeWrite::Problem::InTheWay;
        if (entry == SafeWrite::Entry::OwnFolder)
            *images = m_target.subfolder(QLatin1String(kImageFolder), &problem);
        if (*exists && !images->isOpen()) {
            *error = folderProblemText(problem, QDir(m_path).filePath(kImageFolder));
            return false;
        }
        return true;
    }

    // Puts every written file in place. Anything in the way is found before
    // a file is replaced; a step that fails puts the earlier files back.
    bool commit(QString *error)
    {
        SafeWrite::Folder targetImages;
        bool imagesExist = false;
        if (!openTargetImages(&targetImages, &imagesExist, error))
            return false;
        struct Step
        {
            const SafeWrite::Folder *from;
            const SafeWrite::Folder *to;
            QString name;
            bool replaces = false;
        };
        QList<Step> steps;
        if (imagesExist) {
            for (const QString &name : std::as_const(m_imageNames))
                steps.append({&m_stagingImages, &targetImages, name});
        } else if (!m_imageNames.isEmpty()) {
            steps.append({&m_staging, &m_target, QLatin1String(kImageFolder)});
        }
        for (const QString &name : std::as_const(m_names))
            steps.append({&m_staging, &m_target, name});
        for (Step &step : steps) {
            const SafeWrite::Entry entry = step.to->entry(step.name);
            const bool isImageFolder =
                step.to == &m_target && step.name == QLatin1String(kImageFolder);
            if (entry == SafeWrite::Entry::Other ||
                (entry == SafeWrite::Entry::OwnFolder && !isImageFolder)) {
                const QString where = step.to == &m_target ? step.name
                                                           : QLatin1String(kImageFolder) +
                                                                 QLatin1Char('/') + step.name;
                *error =
                    folderProblemText(SafeWrite::Problem::InTheWay, QDir(m_path).filePath(where));
                return false;
            }
            step.replaces = entry == SafeWrite::Entry::OwnFile;
        }
        const SafeWrite::Folder previous = m_staging.subfolder(QLatin1String(kPreviousFolder));
        const SafeWrite::Folder previousImages =
            previous.isOpen() ? previous.subfolder(QLatin1String(kImageFolder))
                              : SafeWrite::Folder();
        qsizetype done = 0;
        for (; done < steps.size(); ++done) {
            const Step &step = steps.at(done);
            const SafeWrite::Folder &aside = step.to == &m_target ? previous : previousImages;
            if (step.replaces && (!aside.isOpen() || !step.to->move(step.name, aside, step.name)))
                break;
            if (!step.from->move(step.name, *step.to, step.name)) {
                const int saved = errno;
                if (step.replaces)
                    aside.move(step.name, *step.to, step.name);
                errno = saved;
                break;
            }
        }
        if (done == steps.size()) {
            // The files were flushed when written; their new names stay
            // after a power cut once the folders are flushed, too.
            if (!m_target.sync() || (targetImages.isOpen() && !targetImages.sync()) ||
                (m_stagingImages.isOpen() && !m_stagingImages.sync()))
                qCWarning(lcStore) << "export: the folder could not be flushed to the disk";
            return true;
        }
        *error = QCoreApplication::translate("NoteExport", "%1 could not be put in place: %2")
                     .arg(QDir::toNativeSeparators(QDir(m_path).filePath(steps.at(done).name)),
                          qt_error_string(errno));
        while (done-- > 0) {
            const Step &step = steps.at(done);
            const SafeWrite::Folder &aside = step.to == &m_target ? previous : previousImages;
            if (!step.to->move(step.name, *step.from, step.name) ||
                (step.replaces && !aside.move(step.name, *step.to, step.name)))
                m_folderChanged = true;
        }
        if (m_folderChanged)
            *error +=
                QLatin1Char(' ') +
                QCoreApplication::translate("NoteExport", "The files it replaced are kept in %1.")
                    .arg(QDir::toNativeSeparators(QDir(m_path).filePath(
                        m_stagingName + QLatin1Char('/') + QLatin1String(kPreviousFolder))));
        return false;
    }

    // Whether a failed commit left files replaced.
    bool folderChanged() const { return m_folderChanged; }

    // Removes the private folder with what it still holds: the files of a
    // failed or cancelled run, or those a complete one replaced.
    void discard()
    {
        if (m_staging.isOpen() && !m_folderChanged) {
            m_stagingImages = SafeWrite::Folder();
            m_staging = SafeWrite::Folder();
            if (!m_target.removeTree(m_stagingName))
                qCWarning(lcStore) << "export: could not remove" << m_stagingName;
        }
    }

private:
    QString m_path;
    SafeWrite::Folder m_target;
    SafeWrite::Folder m_staging;
    SafeWrite::Folder m_stagingImages;
    QString m_stagingName;
    bool m_folderChanged = false;
    QStringList m_names;      // written into the private folder, in order
    QStringList m_imageNames; // written into its images folder
    QSet<QString> m_written;  // both, as paths relative to the folder
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

namespace {

// A note's text as the export writes it: its own markup, or its plain text
// when the markup is beyond what the layout can bear, which a browser would
// not bear either.
QString exportedText(const QString &message)
{
    if (MarkupSafety::isSafeToLayOut(message))
        return message;
    qCWarning(lcStore) << "export: a note's markup is too deep, written as plain text";
    return Qt::convertFromPlainText(MarkupSafety::plainText(message), Qt::WhiteSpaceNormal);
}

} // namespace

Result exportNotes(const QList<NoteRecord> &records, const QString &folder,
                   const ExchangeProgress &progress)
{
    Result result;
    const bool created = !QFileInfo::exists(folder) && !QFileInfo(folder).isSymLink();
    if (!QDir().mkpath(folder)) {
        result.error =
            tr("The folder %1 could not be created.").arg(QDir::toNativeSeparators(folder));
        return result;
    }
    std::optional<Writer> writer(std::in_place, folder);
    auto stop = [&](const QString &error) {
        if (!error.isEmpty())
            qCWarning(lcStore) << "export failed:" << error;
        result.folderChanged = writer->folderChanged();
        writer.reset();
        if (created)
            QDir().rmdir(folder); // only when empty
        result.error = error;
        result.written = 0;
        return result;
    };
    QString error;
    if (!writer->begin(&error))
        return stop(error);
    const int total = int(records.size());
    QString index =
        QStringLiteral("<!DOCTYPE html>\n<html>\n<head>\n<meta charset=\"utf-8\">\n%1"
                       "<title>%2</title>\n</head>\n<body>\n<h1>%2</h1>\n<table>\n"
                       "<tr><th></th><th>%3</th><th>%4</th><th>%5</th><th>%6</th></tr>\n")
            .arg(QLatin1String(kPagePolicy), tr("Notarella notes"), tr("Note"), tr("Created"),
                 tr("Reminder"), tr("Text"));
    for (const NoteRecord &record : records) {
        const QString message =
            ImageReferences::rewrite(exportedText(record.message), [&](const QString &source) {
                return writer->placePicture(source, &error);
            });
        if (!error.isEmpty())
            return stop(error);
        // Parsed once for both the Markdown page and the index's summary.
        QTextDocument document;
        document.setHtml(message);
        if (!writer->write(htmlFileName(record.id), htmlPage(record, message).toUtf8(), &error) ||
            !writer->write(markdownFileName(record.id), markdownPage(record, document).toUtf8(),
                           &error))
            return stop(error);
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
            result.cancelled = true;
            return stop(QString());
        }
    }
    index += QStringLiteral("</table>\n</body>\n</html>\n");
    if (!writer->write(QLatin1String(kIndexFileName), index.toUtf8(), &error) ||
        !writer->commit(&error))
        return stop(error);
    const int written = result.written;
    writer.reset();
    result.ok = true;
    result.written = written;
    qCDebug(lcStore) << "exported" << result.written << "notes to" << folder;
    return result;
}

} // namespace NoteExport
