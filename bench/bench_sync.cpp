// Notes kept in step through a sync folder, taken in by the real main window
// in a child process on the offscreen platform: how long a note file that
// arrives in the folder takes to be a note on screen, how long 1,000 arriving
// at once take, and what watching the folder costs while nothing happens.

#include "benchmarks.h"
#include "childprocess.h"
#include "figures.h"

#include "app/mainwindow.h"
#include "base/apppaths.h"
#include "notes/stickylist.h"
#include "notes/stickywidget.h"
#include "sync/syncnotefile.h"
#include "sync/syncservice.h"
#include "widgets/trayicon.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>
#include <QUuid>

#include <sys/resource.h>

#include <algorithm>

namespace {

double elapsedMs(const QElapsedTimer &timer)
{
    return double(timer.nsecsElapsed()) / 1e6;
}

// CPU time of the whole process, every thread, in milliseconds.
double processCpuMs()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1e3 +
           double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e3;
}

// A note another machine made, as its file in the folder.
SyncNote arrivingNote(int number, bool shown)
{
    static const QString installation = QUuid::createUuid().toString(QUuid::WithoutBraces);
    SyncNote note;
    note.uuid = QUuid::createUuid().toString(QUuid::WithoutBraces);
    note.version = SyncVersion().changedBy(installation, quint64(number + 1));
    note.machine = QStringLiteral("office");
    note.changed = QDateTime::currentDateTimeUtc();
    note.record.visible = shown;
    note.record.colorRGB = QStringLiteral("#FFFF99");
    note.record.colorName = QStringLiteral("Yellow");
    note.record.creationDate = QDateTime::currentDateTimeUtc();
    note.record.message =
        QStringLiteral("<p>Arrived note %1: the agenda for Thursday, with the café's address "
                       "and the numbers to call.</p>")
            .arg(number);
    note.record.x = 40 + number % 20 * 30;
    note.record.y = 40 + number % 15 * 30;
    note.record.width = 220;
    note.record.height = 160;
    return note;
}

// Written as an engine does: under another name, then renamed.
void deliver(const QString &folder, const SyncNote &note)
{
    const QString name = QDir(folder).filePath(SyncNoteFile::noteFileName(note.uuid));
    QFile file(name + QStringLiteral(".arriving"));
    if (file.open(QIODevice::WriteOnly))
        file.write(SyncNoteFile::encode(note));
    file.close();
    file.rename(name);
}

bool waitFor(const std::function<bool()> &done, int limitMs)
{
    QElapsedTimer timer;
    timer.start();
    while (!done()) {
        if (timer.elapsed() > limitMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
    }
    return true;
}

void settle(int milliseconds)
{
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}

void idleFigure(const QString &name, int seconds)
{
    const double cpuStart = processCpuMs();
    // The event loop as the program runs it, waiting for its timers.
    QEventLoop loop;
    QTimer::singleShot(seconds * 1000, &loop, &QEventLoop::quit);
    loop.exec();
    printFigure(name, (processCpuMs() - cpuStart) / seconds, "ms/s");
}

} // namespace

int runSyncCase(const QStringList &arguments)
{
    // arguments: <application folder> <sync folder> <idle seconds>
    AppPaths::setApplicationDirectoryForTesting(arguments.value(0));
    TrayIcon::setTrayAvailableForTesting(true);
    const QString folder = arguments.value(1);
    const int idleSeconds = arguments.value(2).toInt();
    auto *window = new MainWindow;
    // As the user chooses it; the first start has just written the defaults.
    window->setSyncFolder(folder);
    SyncService *sync = window->syncService();
    waitFor([sync] { return sync->status() == SyncService::Status::InStep; }, 10000);

    // One note at a time, from the rename in the folder until it is shown.
    QList<double> arrivals;
    for (int round = 0; round < 7; ++round) {
        // The program idle, its last look and save long done.
        settle(1500);
        const SyncNote note = arrivingNote(round, true);
        QElapsedTimer timer;
        timer.start();
        deliver(folder, note);
        const QString text = QStringLiteral("Arrived note %1:").arg(round);
        if (!waitFor(
                [&text] {
                    for (const StickyWidget *sticky : std::as_const(stickyList)) {
                        if (sticky->isVisible() && sticky->message().contains(text))
                            return true;
                    }
                    return false;
                },
                20000)) {
            printNote(QStringLiteral("an arriving note was not shown within 20 s"));
            return 1;
        }
        arrivals << elapsedMs(timer);
        waitFor([sync] { return sync->status() == SyncService::Status::InStep; }, 5000);
    }
    std::sort(arrivals.begin(), arrivals.end());
    printFigure(QStringLiteral("sync-arrival-to-screen"), arrivals.at(arrivals.size() / 2), "ms");
    printFigure(QStringLiteral("sync-arrival-to-screen-worst"), arrivals.last(), "ms");
    printFigure(QStringLiteral("sync-arrival-to-screen-floor"), SyncService::kFolderDelayMs, "ms");

    // 1,000 notes at once, 100 of them shown: the first arrival until the
    // last is a note.
    const int before = int(stickyList.size());
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < 1000; ++i)
        deliver(folder, arrivingNote(1000 + i, i % 10 == 0));
    const double written = elapsedMs(timer);
    if (!waitFor([before] { return stickyList.size() >= before + 1000; }, 60000)) {
        printNote(QStringLiteral("1,000 arriving notes were not all taken in within 60 s"));
        return 1;
    }
    printFigure(QStringLiteral("sync-1000-arriving-100-visible"), elapsedMs(timer), "ms");
    printFigure(QStringLiteral("sync-1000-arriving-written-by-engine"), written, "ms");
    waitFor([sync] { return sync->status() == SyncService::Status::InStep; }, 10000);
    window->waitForPendingSaves();

    // Nothing happening, with about 1,000 notes in the folder: the watcher and
    // the scan every 30 s; beside it the same window with sync off.
    idleFigure(QStringLiteral("sync-idle-cpu-1000-notes"), idleSeconds);
    window->setSyncFolder(QString());
    idleFigure(QStringLiteral("sync-idle-cpu-1000-notes-sync-off"), idleSeconds);
    window->waitForPendingSaves();
    delete window;
    return 0;
}

void benchSync(const QString &benchProgram, int idleSeconds)
{
    QTemporaryDir application;
    QTemporaryDir folder;
    if (!runOffscreenCase(benchProgram,
                          {QStringLiteral("--sync-case"), application.path(), folder.path(),
                           QString::number(idleSeconds)},
                          600000))
        printNote(QStringLiteral("the sync case did not finish"));
}
