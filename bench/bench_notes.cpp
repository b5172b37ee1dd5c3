#include "benchmarks.h"

#include "base/apppaths.h"
#include "app/mainwindow.h"
#include "widgets/trayicon.h"
#include "notes/stickywidget.h"
#include "store/notedatabase.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextBrowser>

#include <cstdio>

namespace {

long residentKilobytes()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> lines = status.readAll().split('\n');
    for (const QByteArray &line : lines) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toLong();
    }
    return 0;
}

// About 2 KB of rich text in the form the note window exports.
QString noteHtml(int index)
{
    QString body;
    for (int paragraph = 0; body.size() < 1700; ++paragraph) {
        body += QStringLiteral("<p style=\" margin-top:0px; margin-bottom:0px;\">Note %1, line %2: "
                               "<span style=\" font-weight:700;\">buy milk</span>, call "
                               "<a href=\"https://example.org/%1\">the office</a> and "
                               "<span style=\" font-style:italic;\">water the plants</span>.</p>")
                    .arg(index)
                    .arg(paragraph);
    }
    return QStringLiteral("<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.0//EN\" "
                          "\"http://www.w3.org/TR/REC-html40/strict.dtd\">\n<html><head><meta "
                          "name=\"qrichtext\" content=\"1\" /></head><body>") +
           body + QStringLiteral("</body></html>");
}

void writeNotes(const QString &dataDirectory, const QString &databaseFile, int count, bool visible)
{
    NoteDatabase database;
    database.open(dataDirectory, databaseFile);
    QList<NoteRecord> records;
    for (int i = 0; i < count; ++i) {
        NoteRecord record;
        record.id = i + 1;
        record.visible = visible;
        record.colorRGB = QStringLiteral("#FFFF00");
        record.colorName = QStringLiteral("Yellow");
        record.creationDate = QDateTime::currentDateTime();
        record.message = noteHtml(i);
        record.x = 20 + (i % 40) * 25;
        record.y = 20 + (i / 40) * 25 % 700;
        record.width = 210;
        record.height = 150;
        record.taskbarEntry = false;
        records.append(record);
    }
    database.save(records);
}

void printFigure(const QString &name, double value, const char *unit)
{
    std::printf("figure: %s %.3f %s\n", qPrintable(name), value, unit);
    std::fflush(stdout);
}

} // namespace

int prepareNotesCase(const QStringList &arguments)
{
    const QString dataDirectory = arguments.value(0) + QStringLiteral("/.NotarellaData/");
    writeNotes(dataDirectory, dataDirectory + QStringLiteral("bench"), arguments.value(1).toInt(),
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

    const long before = residentKilobytes();
    QElapsedTimer timer;
    timer.start();
    auto *window = new MainWindow;
    QCoreApplication::processEvents();
    const double startMs = timer.nsecsElapsed() / 1e6;
    const long after = residentKilobytes();
    const QString label = QStringLiteral("%1_%2").arg(count).arg(visible ? "visible" : "hidden");
    printFigure(QStringLiteral("startup_%1").arg(label), startMs, "ms");
    printFigure(QStringLiteral("resident_per_note_%1").arg(label), double(after - before) / count,
                "KB");

    // The first save copies the stored notes into the backup table whole;
    // later saves write only what changed since, which is the case that runs
    // every minute.
    timer.restart();
    window->saveStickies();
    printFigure(QStringLiteral("first_save_%1").arg(label), timer.nsecsElapsed() / 1e6, "ms");
    window->saveStickies(); // the backup table catches up with the first save
    constexpr int rounds = 20;
    timer.restart();
    for (int i = 0; i < rounds; ++i)
        window->saveStickies();
    printFigure(QStringLiteral("save_unchanged_%1").arg(label), timer.nsecsElapsed() / 1e6 / rounds,
                "ms");
    qint64 total = 0;
    for (int i = 0; i < rounds; ++i) {
        stickyList.at(i * 7 % stickyList.size())->textBrowser()->append(QStringLiteral("typed"));
        timer.restart();
        window->saveStickies();
        total += timer.nsecsElapsed();
    }
    printFigure(QStringLiteral("save_one_changed_%1").arg(label), total / 1e6 / rounds, "ms");
    for (StickyWidget *sticky : std::as_const(stickyList))
        sticky->move(sticky->pos() + QPoint(1, 0));
    timer.restart();
    window->saveStickies();
    printFigure(QStringLiteral("save_all_moved_%1").arg(label), timer.nsecsElapsed() / 1e6, "ms");

    // One reminder tick: the save, then every note's reminder check.
    timer.restart();
    for (int i = 0; i < rounds; ++i) {
        window->saveStickies();
        for (StickyWidget *sticky : std::as_const(stickyList))
            sticky->reminderCheck();
    }
    printFigure(QStringLiteral("tick_%1").arg(label), timer.nsecsElapsed() / 1e6 / rounds, "ms");
    delete window;
    return 0;
}

void benchNotes(const QString &benchProgram)
{
    for (const int count : {100, 1000}) {
        for (const bool visible : {false, true}) {
            QTemporaryDir folder;
            const QString dataDirectory = folder.path() + QStringLiteral("/.NotarellaData/");
            writeNotes(dataDirectory, dataDirectory + QStringLiteral("bench"), count, visible);
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
