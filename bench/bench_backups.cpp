#include "benchmarks.h"

#include "store/notebackups.h"
#include "store/notewriter.h"

#include <QElapsedTimer>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>

namespace {

QList<NoteRecord> notesOf2Kb(int count)
{
    QList<NoteRecord> records;
    for (int i = 1; i <= count; ++i) {
        NoteRecord record;
        record.id = i;
        record.colorRGB = QStringLiteral("#FFFF00");
        record.colorName = QStringLiteral("Yellow");
        record.creationDate = QDateTime::fromSecsSinceEpoch(1700000000 + i);
        record.message = QStringLiteral("<p>Note %1</p>").arg(i) + QString(2048, u'n');
        record.width = 300;
        record.height = 200;
        records << record;
    }
    return records;
}

template <typename Work> double medianMilliseconds(int runs, Work work)
{
    QList<double> times;
    for (int run = 0; run < runs; ++run) {
        QElapsedTimer timer;
        timer.start();
        work(run);
        times << timer.nsecsElapsed() / 1e6;
    }
    std::sort(times.begin(), times.end());
    return times.at(times.size() / 2);
}

} // namespace

void benchBackups()
{
    QTemporaryDir folder;
    const QString file = folder.filePath(QStringLiteral("bench"));
    NoteWriter writer;
    if (writer.open(folder.path(), file) != NoteDatabase::OpenResult::Opened ||
        !writer.save(notesOf2Kb(1000)).saved) {
        std::printf("figure: backup-1000 failed -\n");
        return;
    }
    const QDate day(2026, 1, 1);
    const double backUp = medianMilliseconds(
        9, [&](int run) { writer.backUp(NoteBackups::dailyName(file, day.addDays(run))); });
    std::printf("figure: backup-1000 %.1f ms\n", backUp);
    const double listing = medianMilliseconds(5, [&](int) { NoteBackups::list(file); });
    std::printf("figure: backup-list-9-copies-1000 %.1f ms\n", listing);
    const double restore = medianMilliseconds(5, [&](int run) {
        writer.restore(NoteBackups::dailyName(file, day),
                       NoteBackups::beforeRestoreName(file, QDateTime(day, QTime(0, 0, run))));
    });
    std::printf("figure: restore-1000 %.1f ms\n", restore);
    std::fflush(stdout);
}
