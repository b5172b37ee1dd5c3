#include "benchmarks.h"
#include "childprocess.h"
#include "figures.h"
#include "notesfixture.h"

#include "app/mainwindow.h"
#include "base/apppaths.h"
#include "notes/stickywidget.h"
#include "widgets/trayicon.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextBrowser>

#include <cstdio>
#include <ctime>
#include <functional>

int prepareNotesCase(const QStringList &arguments)
{
    const QString dataDirectory = arguments.value(0) + QStringLiteral("/.NotarellaData/");
    NotesFixture::writeNotes(dataDirectory, dataDirectory + QStringLiteral("bench"),
                             arguments.value(1).toInt(),
                             arguments.value(2) == QLatin1String("visible"));
    return 0;
}

int runNotesCase(const QStringList &arguments)
{
    // arguments: <folder> <count> <visible|hidden>
    const QString folder = arguments.value(0);
    const int count = arguments.value(1).toInt();
    const bool visible = arguments.value(2) == QLatin1String("visible");
    AppPaths::setApplicationDirectoryForTesting(folder);
    // Measured as on a desktop with a tray: the control panel stays hidden.
    TrayIcon::setTrayAvailableForTesting(true);

    const long before = residentKilobytesOf(QStringLiteral("self"));
    QElapsedTimer timer;
    timer.start();
    auto *window = new MainWindow;
    QCoreApplication::processEvents();
    const double startMs = timer.nsecsElapsed() / 1e6;
    const long after = residentKilobytesOf(QStringLiteral("self"));
    const QString label = QStringLiteral("%1_%2").arg(count).arg(visible ? "visible" : "hidden");
    printFigure(QStringLiteral("startup_%1").arg(label), startMs, "ms");
    printFigure(QStringLiteral("resident_per_note_%1").arg(label), double(after - before) / count,
                "KB");

    // Each save is measured thrice: the GUI thread's share (collecting the
    // notes and handing them to the writer thread, as the minute tick does)
    // in wall time and in its own CPU time, and the time until the notes are
    // written.
    QElapsedTimer written;
    const auto measureSave = [&](const QString &name) {
        written.start();
        timer.restart();
        const qint64 cpu = threadCpuNanoseconds();
        window->saveStickiesInBackground();
        const qint64 guiCpu = threadCpuNanoseconds() - cpu;
        const qint64 gui = timer.nsecsElapsed();
        window->waitForPendingSaves();
        printFigure(name + label, gui / 1e6, "ms");
        printFigure(name + QStringLiteral("gui_cpu_") + label, guiCpu / 1e6, "ms");
        printFigure(name + QStringLiteral("written_") + label, written.nsecsElapsed() / 1e6, "ms");
    };

    // The first save copies the stored notes into the backup table whole;
    // later saves write only what changed since, which is the case that runs
    // every minute.
    measureSave(QStringLiteral("first_save_"));
    window->saveStickies(); // the backup table catches up with the first save
    // The average of 20 saves, each after `change` (if any) is made.
    constexpr int rounds = 20;
    const auto measureSaves = [&](const QString &name, const std::function<void(int)> &change) {
        qint64 guiTotal = 0;
        qint64 writtenTotal = 0;
        for (int i = 0; i < rounds; ++i) {
            if (change)
                change(i);
            written.start();
            timer.restart();
            window->saveStickiesInBackground();
            guiTotal += timer.nsecsElapsed();
            window->waitForPendingSaves();
            writtenTotal += written.nsecsElapsed();
        }
        printFigure(name + label, guiTotal / 1e6 / rounds, "ms");
        printFigure(name + QStringLiteral("written_") + label, writtenTotal / 1e6 / rounds, "ms");
    };
    measureSaves(QStringLiteral("save_unchanged_"), {});
    measureSaves(QStringLiteral("save_one_changed_"), [](int i) {
        stickyList.at(i * 7 % stickyList.size())->textBrowser()->append(QStringLiteral("typed"));
    });
    for (StickyWidget *sticky : std::as_const(stickyList))
        sticky->move(sticky->pos() + QPoint(1, 0));
    measureSave(QStringLiteral("save_all_moved_"));
    // The saves that wait for the writer: closing the panel, the exit.
    for (StickyWidget *sticky : std::as_const(stickyList))
        sticky->move(sticky->pos() + QPoint(1, 0));
    timer.restart();
    window->saveStickies();
    printFigure(QStringLiteral("save_all_moved_waiting_%1").arg(label), timer.nsecsElapsed() / 1e6,
                "ms");

    // One reminder tick: the save, then every note's reminder check.
    timer.restart();
    for (int i = 0; i < rounds; ++i) {
        window->saveStickiesInBackground();
        for (StickyWidget *sticky : std::as_const(stickyList))
            sticky->reminderCheck();
    }
    printFigure(QStringLiteral("tick_%1").arg(label), timer.nsecsElapsed() / 1e6 / rounds, "ms");
    window->waitForPendingSaves();
    delete window;
    return 0;
}

void benchNotes(const QString &benchProgram)
{
    for (const int count : {100, 1000}) {
        for (const bool visible : {false, true}) {
            QTemporaryDir folder;
            const QString dataDirectory = folder.path() + QStringLiteral("/.NotarellaData/");
            NotesFixture::writeNotes(dataDirectory, dataDirectory + QStringLiteral("bench"), count,
                                     visible);
            QProcess child;
            QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
            environment.insert(QStringLiteral("USERNAME"), QStringLiteral("bench"));
            environment.insert(QStringLiteral("QT_LOGGING_RULES"), QStringLiteral("*.debug=false"));
            child.setProcessEnvironment(environment);
            child.setProcessChannelMode(QProcess::ForwardedOutputChannel);
            child.setStandardErrorFile(QProcess::nullDevice());
            child.start(benchProgram,
                        {QStringLiteral("--notes-case"), folder.path(), QString::number(count),
                         visible ? QStringLiteral("visible") : QStringLiteral("hidden")});
            child.waitForFinished(300000);
        }
    }
}
