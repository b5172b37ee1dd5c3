#include "benchmarks.h"

#include "exchange/importmerge.h"
#include "exchange/noteexport.h"
#include "exchange/noteimport.h"
#include "store/notedatabase.h"

#include <QElapsedTimer>
#include <QImage>
#include <QTemporaryDir>
#include <QTextDocument>

#include <cstdio>

namespace {

// 1,000 notes of about 2 KB of the editor's rich text; every tenth shows a
// picture and carries a reminder.
QList<NoteRecord> sampleNotes(const QString &picture)
{
    QString body;
    for (int i = 0; i < 12; ++i)
        body += QStringLiteral("<p>Line %1: call the office about the <b>quarterly</b> figures, "
                               "<a href=\"https://example.org/%1\">report</a>.</p>")
                    .arg(i);
    QList<NoteRecord> records;
    const QDateTime now = QDateTime::currentDateTime();
    for (int i = 0; i < 1000; ++i) {
        NoteRecord record;
        record.id = i + 1;
        record.visible = true;
        record.colorRGB = QStringLiteral("#FFFF00");
        record.colorName = QStringLiteral("Yellow");
        record.creationDate = now.addSecs(-60 * i);
        QTextDocument document;
        QString html = body;
        if (i % 10 == 0) {
            record.reminderDate = record.originalReminderDate = now.addDays(i);
            html += QStringLiteral("<p><img src=\"%1\" /></p>").arg(picture);
        }
        document.setHtml(html);
        record.message = document.toHtml();
        record.width = record.height = 200;
        records.append(record);
    }
    return records;
}

void printMs(const char *name, const QElapsedTimer &timer)
{
    std::printf("figure: %s %.1f ms\n", name, double(timer.nsecsElapsed()) / 1e6);
    std::fflush(stdout);
}

} // namespace

void benchExchange()
{
    QTemporaryDir folder;
    const QString picture = folder.filePath(QStringLiteral("picture.png"));
    QImage image(64, 64, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    image.save(picture);
    const QList<NoteRecord> records = sampleNotes(picture);

    QElapsedTimer timer;
    timer.start();
    const NoteExport::Result exported =
        NoteExport::exportNotes(records, folder.filePath(QStringLiteral("export")));
    printMs("export-1000-notes", timer);

    timer.start();
    const NoteImport::Result fromFolder =
        NoteImport::readFolder(folder.filePath(QStringLiteral("export")));
    printMs("import-folder-1000-notes", timer);

    const QString file = folder.filePath(QStringLiteral("other.db"));
    QString error;
    NoteDatabase::writeCopy(file, records, &error);
    timer.start();
    const NoteImport::Result fromFile = NoteImport::readDatabase(file);
    printMs("import-notefile-1000-notes", timer);
    // Importing one's own export again: every note is compared and found.
    timer.start();
    const ImportMerge::Outcome merged =
        ImportMerge::merge(records, fromFolder.records, {QRect(0, 0, 1920, 1080)});
    printMs("import-merge-1000-into-1000-notes", timer);
    if (merged.alreadyPresent != records.size())
        std::printf("note: %d of %d exported notes not found again\n", merged.alreadyPresent,
                    int(records.size()));
    if (!exported.ok || fromFolder.records.size() != records.size() ||
        fromFile.records.size() != records.size())
        std::printf("note: exchange round trip incomplete (%s)\n", qPrintable(exported.error));
}
