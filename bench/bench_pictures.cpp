#include "benchmarks.h"

#include "richtext/pictureintake.h"
#include "store/notewriter.h"
#include "store/picturestore.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <cstdio>

namespace {

constexpr int kNotes = 100;
constexpr int kPictureBytes = 200 * 1024;

NoteRecord noteShowing(int id, const QString &source)
{
    NoteRecord record;
    record.id = id;
    record.colorRGB = QStringLiteral("#FFFF00");
    record.colorName = QStringLiteral("Yellow");
    record.creationDate = QDateTime::fromSecsSinceEpoch(1700000000 + id);
    record.message = QStringLiteral("<p>Note %1 <img src=\"%2\" width=\"40\"></p>")
                         .arg(id)
                         .arg(source.toHtmlEscaped());
    record.width = 300;
    record.height = 200;
    return record;
}

double elapsedMs(const QElapsedTimer &timer)
{
    return timer.nsecsElapsed() / 1e6;
}

} // namespace

void benchPictures()
{
    QTemporaryDir folder;
    const QString file = folder.filePath(QStringLiteral("bench"));
    const QString pictures = folder.filePath(QStringLiteral("pictures"));
    QDir().mkpath(pictures);
    // 100 notes of an earlier version, each showing a picture file of its own.
    QList<NoteRecord> records;
    for (int i = 1; i <= kNotes; ++i) {
        QByteArray bytes(kPictureBytes, Qt::Uninitialized);
        QRandomGenerator generator{quint32(i)};
        generator.fillRange(reinterpret_cast<quint32 *>(bytes.data()), kPictureBytes / 4);
        const QString path = pictures + QStringLiteral("/picture %1.png").arg(i);
        QFile out(path);
        if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size()) {
            std::printf("figure: pictures-100 failed -\n");
            return;
        }
        records << noteShowing(i, path);
    }
    PictureStore::instance().clear();

    QElapsedTimer timer;
    timer.start();
    for (NoteRecord &record : records)
        record.message = PictureIntake::takeIn(record.message).html;
    std::printf("figure: pictures-take-in-100x200KB %.1f ms\n", elapsedMs(timer));

    NoteWriter writer;
    if (writer.open(folder.path(), file) != NoteDatabase::OpenResult::Opened) {
        std::printf("figure: pictures-100 failed -\n");
        return;
    }
    timer.restart();
    writer.save(records);
    std::printf("figure: pictures-first-save-100x200KB %.1f ms\n", elapsedMs(timer));
    records.first().message += QStringLiteral("<p>more</p>");
    timer.restart();
    writer.save(records);
    std::printf("figure: pictures-later-save-100x200KB %.1f ms\n", elapsedMs(timer));

    PictureStore::instance().clear();
    timer.restart();
    writer.load(nullptr);
    std::printf("figure: pictures-load-100x200KB %.1f ms\n", elapsedMs(timer));
    std::printf("figure: pictures-file-100x200KB %.1f MB\n",
                QFileInfo(file).size() / (1024.0 * 1024.0));
    std::fflush(stdout);
}
