// Start-up seen from outside: the real program is launched on a fresh X
// server (with and without a window manager) and timed until every note
// window it shows is on screen, as a user would see it. The clock covers the
// process start, Qt, the database and the window manager's work.

#include "benchmarks.h"
#include "childprocess.h"
#include "figures.h"
#include "notesfixture.h"
#include "startupwatch.h"
#include "xsession.h"

#include "app/settingsbootstrap.h"
#include "platform/nativesettings.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QProcessEnvironment>
#include <QSet>
#include <QTemporaryDir>
#include <QThread>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <optional>
#include <vector>

namespace {

// The short names of the start-up figures, printed once each: the stored-notes
// comparison and the counts may both measure 100 visible notes.
class ShortNames
{
public:
    // False when the name was printed before, and nothing is printed.
    bool print(const QString &name, double value, const char *unit)
    {
        if (m_printed.contains(name))
            return false;
        m_printed.insert(name);
        printFigure(name, value, unit);
        return true;
    }

private:
    QSet<QString> m_printed;
};

struct RunResult
{
    double mappedMs = -1;  // launch until the last note window was viewable
    double startedMs = -1; // launch until the main window's constructor ended
    double residentMB = 0;
    // CPU time used until then by the program, the X server and the window
    // manager: steadier than the wall clock on a busy machine.
    double cpuMs = 0;
    double serverCpuMs = 0;
    double windowManagerCpuMs = 0;
    double idleCpuPercent = -1;
    double idleServerCpuPercent = -1;
};

struct Series
{
    QList<double> values;
    double median() const
    {
        if (values.isEmpty())
            return -1;
        QList<double> sorted = values;
        std::sort(sorted.begin(), sorted.end());
        return sorted.at(sorted.size() / 2);
    }
    QString range() const
    {
        if (values.isEmpty())
            return QStringLiteral("none");
        const auto [low, high] = std::minmax_element(values.begin(), values.end());
        return QStringLiteral("%1-%2").arg(*low, 0, 'f', 0).arg(*high, 0, 'f', 0);
    }
};

// One program folder for the whole bench: the executable is copied in, as
// the program keeps its data directory beside itself.
class BenchFolder
{
public:
    bool prepare(const QString &program)
    {
        if (!m_folder.isValid())
            return false;
        m_program = m_folder.filePath(QStringLiteral("notarella"));
        if (!QFile::copy(program, m_program))
            return false;
        // The settings the program finds: those of an earlier start, so no
        // first-run work is timed.
        SettingsBootstrap::runFirstRunIfNeeded();
        m_settingsFile = NativeSettings::fileName();
        return QFileInfo::exists(m_settingsFile);
    }

    // The stored notes of one case, generated once and copied for each run.
    QString databaseTemplate(int count, bool visible)
    {
        return databaseTemplate(count, visible ? count : 0);
    }
    // `count` stored notes of which `visibleCount` are shown.
    QString databaseTemplate(int count, int visibleCount)
    {
        const QString name = QStringLiteral("notes-%1-%2").arg(count).arg(visibleCount);
        const QString file = m_folder.filePath(QStringLiteral("templates/") + name);
        if (!QFileInfo::exists(file))
            NotesFixture::writeStoredNotes(m_folder.filePath(QStringLiteral("templates/")), file,
                                           count, visibleCount, /*taskbarEntry=*/true);
        return file;
    }

    // A clean home and data directory for one run.
    bool resetRun(const QString &databaseFile, const QString &runHome)
    {
        const QString dataDirectory = m_folder.filePath(QStringLiteral(".NotarellaData"));
        QDir(dataDirectory).removeRecursively();
        QDir(runHome).removeRecursively();
        for (const char *sub : {"home", "config/Varnholt", "cache", "data", "runtime"})
            QDir().mkpath(runHome + QLatin1Char('/') + QLatin1String(sub));
        QFile::setPermissions(runHome + QStringLiteral("/runtime"), QFileDevice::ReadOwner |
                                                                        QFileDevice::WriteOwner |
                                                                        QFileDevice::ExeOwner);
        return QDir().mkpath(dataDirectory) &&
               QFile::copy(databaseFile, dataDirectory + QStringLiteral("/bench")) &&
               QFile::copy(m_settingsFile,
                           runHome + QStringLiteral("/config/Varnholt/Notarella.conf"));
    }

    QString program() const { return m_program; }
    QString path() const { return m_folder.path(); }

private:
    QTemporaryDir m_folder;
    QString m_program;
    QString m_settingsFile;
};

QStringList runEnvironment(const QString &runHome, const QString &display)
{
    QStringList environment;
    const QStringList inherited = QProcessEnvironment::systemEnvironment().toStringList();
    for (const QString &entry : inherited) {
        const QString name = entry.section(QLatin1Char('='), 0, 0);
        static const QStringList replaced = {QStringLiteral("HOME"),
                                             QStringLiteral("XDG_CONFIG_HOME"),
                                             QStringLiteral("XDG_CACHE_HOME"),
                                             QStringLiteral("XDG_DATA_HOME"),
                                             QStringLiteral("XDG_RUNTIME_DIR"),
                                             QStringLiteral("DISPLAY"),
                                             QStringLiteral("QT_QPA_PLATFORM"),
                                             QStringLiteral("QT_LOGGING_RULES"),
                                             QStringLiteral("USERNAME"),
                                             QStringLiteral("WAYLAND_DISPLAY")};
        if (!replaced.contains(name))
            environment.append(entry);
    }
    environment << QStringLiteral("HOME=%1/home").arg(runHome)
                << QStringLiteral("XDG_CONFIG_HOME=%1/config").arg(runHome)
                << QStringLiteral("XDG_CACHE_HOME=%1/cache").arg(runHome)
                << QStringLiteral("XDG_DATA_HOME=%1/data").arg(runHome)
                << QStringLiteral("XDG_RUNTIME_DIR=%1/runtime").arg(runHome)
                << QStringLiteral("DISPLAY=") + display << QStringLiteral("QT_QPA_PLATFORM=xcb")
                << QStringLiteral("USERNAME=bench")
                // Only the main window's start and end lines: the bench reads
                // them to know when the constructor has finished.
                << QStringLiteral("QT_LOGGING_RULES=*.debug=false;notarella.app.debug=true");
    return environment;
}

// The floor: what mapping `count` plain frameless Qt windows costs in the
// same kind of session, this bench run as the program (--floor-windows).
struct Floor
{
    QString program;
    int windows = 0;
};

std::optional<RunResult> runOnce(BenchFolder &folder, const QString &databaseFile, int count,
                                 bool visible, bool withWindowManager, int idleSeconds,
                                 const std::optional<Floor> &floor = std::nullopt)
{
    const QString runHome = folder.path() + QStringLiteral("/run");
    if (!folder.resetRun(databaseFile, runHome)) {
        printNote(QStringLiteral("could not prepare the run folder"));
        return std::nullopt;
    }
    XSession session;
    if (!session.start(runEnvironment(runHome, QString()), withWindowManager)) {
        printNote(QStringLiteral("no X session: ") + session.errorString());
        return std::nullopt;
    }
    StartupWatch watch;
    if (!watch.connectTo(session.display(), session.windowManagerWindow())) {
        printNote(QStringLiteral("cannot watch the X server"));
        return std::nullopt;
    }
    RunResult result;
    QElapsedTimer clock;
    clock.start();
    ChildProcess program;
    const QString programFile = floor ? floor->program : folder.program();
    const QStringList programArguments =
        floor ? QStringList{QStringLiteral("--floor-windows"), QString::number(floor->windows)}
              : QStringList();
    if (!program.start(programFile, programArguments, runEnvironment(runHome, session.display()),
                       /*captureStderr=*/true)) {
        printNote(QStringLiteral("cannot start ") + programFile);
        return std::nullopt;
    }
    const StartupWatch::Outcome outcome =
        watch.waitForWindows(program, visible ? count : 0, clock, 300000);
    result.startedMs = outcome.constructedMs;
    result.mappedMs = visible ? outcome.mappedMs : outcome.constructedMs;
    if (!outcome.complete) {
        printNote(
            QStringLiteral("incomplete: %1 of %2 windows mapped, program %3")
                .arg(outcome.windowsMapped)
                .arg(count)
                .arg(program.isRunning() ? QStringLiteral("running") : QStringLiteral("ended")));
        program.stop(10000);
        return std::nullopt;
    }
    result.residentMB = program.residentKilobytes() / 1024.0;
    result.cpuMs = program.cpuSample().cpuSeconds * 1000;
    result.serverCpuMs = session.serverCpuSample().cpuSeconds * 1000;
    result.windowManagerCpuMs = session.windowManagerCpuSample().cpuSeconds * 1000;
    if (idleSeconds > 0) {
        // Let the start-up settle (deferred work, the first paints) first.
        QThread::sleep(3);
        const CpuSample programBefore = program.cpuSample();
        const CpuSample serverBefore = session.serverCpuSample();
        QThread::sleep(idleSeconds);
        result.idleCpuPercent = program.cpuSample().percentSince(programBefore);
        result.idleServerCpuPercent = session.serverCpuSample().percentSince(serverBefore);
    }
    program.stop(30000);
    return result;
}

struct Options
{
    QString program;
    QList<int> counts = {100, 1000};
    int runs = 3;
    int idleSeconds = 60;
    // Many stored notes of which few are shown, against those few alone.
    bool stored = true;
    int storedCount = 10000;
    int storedVisible = 100;
};

Options parseOptions(const QStringList &arguments, const QString &defaultProgram)
{
    Options options;
    options.program = defaultProgram;
    // --stored alone measures only the stored notes; with --counts, those too.
    const bool onlyStored = arguments.contains(QLatin1String("--stored")) &&
                            !arguments.contains(QLatin1String("--counts"));
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString &argument = arguments.at(i);
        if (argument == QLatin1String("--quick")) {
            options.runs = 1;
            options.idleSeconds = 10;
        } else if (argument == QLatin1String("--program") && i + 1 < arguments.size()) {
            options.program = arguments.at(++i);
        } else if (argument == QLatin1String("--runs") && i + 1 < arguments.size()) {
            options.runs = std::max(1, arguments.at(++i).toInt());
        } else if (argument == QLatin1String("--idle") && i + 1 < arguments.size()) {
            options.idleSeconds = arguments.at(++i).toInt();
        } else if (argument == QLatin1String("--counts") && i + 1 < arguments.size()) {
            options.counts.clear();
            for (const QString &count : arguments.at(++i).split(QLatin1Char(',')))
                options.counts.append(count.toInt());
        } else if (argument == QLatin1String("--no-stored")) {
            options.stored = false;
        } else if (argument == QLatin1String("--stored-count") && i + 1 < arguments.size()) {
            options.storedCount = std::max(1, arguments.at(++i).toInt());
        } else if (argument == QLatin1String("--stored-visible") && i + 1 < arguments.size()) {
            options.storedVisible = std::max(1, arguments.at(++i).toInt());
        }
    }
    options.storedVisible = std::min(options.storedVisible, options.storedCount);
    if (onlyStored) {
        options.counts.clear();
        options.idleSeconds = 0;
    }
    return options;
}

// The launch of many stored notes of which few are shown, beside a launch
// with those few alone, taken in turns so both see the same machine. A hidden
// note should cost little: the time until the shown ones are on screen and
// the memory beyond the few alone say how much it does.
void benchStoredStartup(BenchFolder &folder, const Options &options, ShortNames &names)
{
    const int stored = options.storedCount;
    const int visible = options.storedVisible;
    const QString aloneDatabase = folder.databaseTemplate(visible, visible);
    const QString storedDatabase = folder.databaseTemplate(stored, visible);
    Series mapped[2];
    Series resident[2];
    Series cpu[2];
    for (int run = 0; run < options.runs; ++run) {
        for (const bool withStored : {false, true}) {
            const auto result = runOnce(folder, withStored ? storedDatabase : aloneDatabase,
                                        visible, true, /*withWindowManager=*/false, 0);
            if (!result)
                continue;
            mapped[withStored].values.append(result->mappedMs);
            resident[withStored].values.append(result->residentMB);
            cpu[withStored].values.append(result->cpuMs);
        }
    }
    const QString alone = QStringLiteral("startup-%1-visible").arg(visible);
    const QString withStored =
        QStringLiteral("startup-%1-stored-%2-visible").arg(stored).arg(visible);
    for (const bool storedCase : {false, true}) {
        const QString &name = storedCase ? withStored : alone;
        names.print(name, mapped[storedCase].median(), "ms");
        names.print(name + QStringLiteral("-rss"), resident[storedCase].median(), "MB");
        names.print(name + QStringLiteral("-cpu"), cpu[storedCase].median(), "ms");
        printNote(QStringLiteral("%1 (no window manager) runs %2 ms, range %3")
                      .arg(name)
                      .arg([&] {
                          QStringList texts;
                          for (const double value : mapped[storedCase].values)
                              texts << QString::number(value, 'f', 0);
                          return texts.join(QLatin1Char(' '));
                      }())
                      .arg(mapped[storedCase].range()));
    }
    if (mapped[0].median() > 0 && mapped[1].median() > 0)
        names.print(withStored + QStringLiteral("-ratio"), mapped[1].median() / mapped[0].median(),
                    "ratio");
    if (stored > visible && !resident[0].values.isEmpty() && !resident[1].values.isEmpty())
        names.print(QStringLiteral("memory-per-hidden-note"),
                    (resident[1].median() - resident[0].median()) * 1024 / (stored - visible),
                    "KB");
}

} // namespace

int runFloorWindows(const QStringList &arguments)
{
    // Note-sized frameless top-level windows with one line of text, shown
    // without activation as the program shows its loaded notes.
    const int count = arguments.value(0).toInt();
    std::vector<std::unique_ptr<QLabel>> windows;
    windows.reserve(std::size_t(std::max(0, count)));
    for (int i = 0; i < count; ++i) {
        auto window = std::make_unique<QLabel>(QStringLiteral("Note %1").arg(i));
        window->setWindowFlags(Qt::FramelessWindowHint);
        window->setAttribute(Qt::WA_ShowWithoutActivating);
        window->setAutoFillBackground(true);
        window->setGeometry(40 + (i % 40) * 20, 40 + (i % 30) * 20, 200, 200);
        windows.push_back(std::move(window));
    }
    for (const auto &window : windows)
        window->show();
    // The line the watch waits for, as the program writes it.
    std::fprintf(stderr, "MainWindow::MainWindow( constructor ) - end\n");
    std::fflush(stderr);
    return QApplication::exec();
}

int benchStartup(const QStringList &arguments, const QString &defaultProgram)
{
    const Options options = parseOptions(arguments, defaultProgram);
    BenchFolder folder;
    if (!folder.prepare(options.program)) {
        printNote(QStringLiteral("cannot copy the program %1").arg(options.program));
        return 1;
    }
    printNote(QStringLiteral("program %1, %2 run(s) per figure, load average %3")
                  .arg(options.program)
                  .arg(options.runs)
                  .arg(QString::fromLatin1([] {
                      QFile load(QStringLiteral("/proc/loadavg"));
                      return load.open(QIODevice::ReadOnly) ? load.readLine().trimmed()
                                                            : QByteArray();
                  }())));
    ShortNames names;
    if (options.stored)
        benchStoredStartup(folder, options, names);
    for (const int count : options.counts) {
        const QString visibleDatabase = folder.databaseTemplate(count, true);
        Series mapped[2];
        Series resident[2];
        Series cpu[2];
        Series serverCpu[2];
        Series windowManagerCpu[2];
        Series floorMapped[2];
        const Floor floor{QCoreApplication::applicationFilePath(), count};
        for (int run = 0; run < options.runs; ++run) {
            for (const bool withWindowManager : {false, true}) {
                if (const auto result =
                        runOnce(folder, visibleDatabase, count, true, withWindowManager, 0, floor))
                    floorMapped[withWindowManager].values.append(result->mappedMs);
                const auto result =
                    runOnce(folder, visibleDatabase, count, true, withWindowManager, 0);
                if (!result)
                    continue;
                mapped[withWindowManager].values.append(result->mappedMs);
                resident[withWindowManager].values.append(result->residentMB);
                cpu[withWindowManager].values.append(result->cpuMs);
                serverCpu[withWindowManager].values.append(result->serverCpuMs);
                windowManagerCpu[withWindowManager].values.append(result->windowManagerCpuMs);
            }
        }
        for (const bool withWindowManager : {false, true}) {
            const QString label = QStringLiteral("%1_visible_%2")
                                      .arg(count)
                                      .arg(withWindowManager ? "openbox" : "nowm");
            printFigure(QStringLiteral("launch_to_mapped_") + label,
                        mapped[withWindowManager].median(), "ms");
            printNote(QStringLiteral("launch_to_mapped_%1 runs %2 ms, range %3")
                          .arg(label)
                          .arg([&] {
                              QStringList texts;
                              for (const double value : mapped[withWindowManager].values)
                                  texts << QString::number(value, 'f', 0);
                              return texts.join(QLatin1Char(' '));
                          }())
                          .arg(mapped[withWindowManager].range()));
            printFigure(QStringLiteral("program_cpu_to_mapped_") + label,
                        cpu[withWindowManager].median(), "ms");
            printFigure(QStringLiteral("xserver_cpu_to_mapped_") + label,
                        serverCpu[withWindowManager].median(), "ms");
            if (withWindowManager)
                printFigure(QStringLiteral("openbox_cpu_to_mapped_") + label,
                            windowManagerCpu[withWindowManager].median(), "ms");
            printFigure(QStringLiteral("resident_") + label, resident[withWindowManager].median(),
                        "MB");
        }
        if (mapped[0].median() > 0 && mapped[1].median() > 0)
            printFigure(QStringLiteral("window_manager_cost_%1_visible").arg(count),
                        mapped[1].median() / mapped[0].median(), "ratio");
        for (const bool withWindowManager : {false, true})
            printFigure(QStringLiteral("floor_plain_windows_to_mapped_%1_%2")
                            .arg(count)
                            .arg(withWindowManager ? "openbox" : "nowm"),
                        floorMapped[withWindowManager].median(), "ms");
        if (floorMapped[0].median() > 0 && floorMapped[1].median() > 0)
            printFigure(QStringLiteral("floor_window_manager_cost_%1").arg(count),
                        floorMapped[1].median() / floorMapped[0].median(), "ratio");
        // The same figures under the short names, with their distance to the
        // floor.
        for (const bool withWindowManager : {false, true}) {
            const QString name = QStringLiteral("startup-%1-visible%2")
                                     .arg(count)
                                     .arg(withWindowManager ? "-openbox" : "");
            if (!names.print(name, mapped[withWindowManager].median(), "ms"))
                printNote(QStringLiteral("%1 above is from the runs beside the stored notes; the "
                                         "ratio to the floor below is of "
                                         "launch_to_mapped_%2_visible_%3")
                              .arg(name)
                              .arg(count)
                              .arg(withWindowManager ? "openbox" : "nowm"));
            names.print(name + QStringLiteral("-floor"), floorMapped[withWindowManager].median(),
                        "ms");
            if (mapped[withWindowManager].median() > 0 &&
                floorMapped[withWindowManager].median() > 0)
                names.print(name + QStringLiteral("-floor-ratio"),
                            mapped[withWindowManager].median() /
                                floorMapped[withWindowManager].median(),
                            "ratio");
        }

        Series hidden;
        Series hiddenCpu;
        const QString hiddenDatabase = folder.databaseTemplate(count, false);
        for (int run = 0; run < options.runs; ++run) {
            if (const auto result = runOnce(folder, hiddenDatabase, count, false, false, 0)) {
                hidden.values.append(result->startedMs);
                hiddenCpu.values.append(result->cpuMs);
            }
        }
        printFigure(QStringLiteral("launch_to_started_%1_hidden").arg(count), hidden.median(),
                    "ms");
        printFigure(QStringLiteral("program_cpu_to_started_%1_hidden").arg(count),
                    hiddenCpu.median(), "ms");
        printNote(QStringLiteral("launch_to_started_%1_hidden range %2 ms")
                      .arg(count)
                      .arg(hidden.range()));
    }

    // Idle: the notes are up and nothing happens; only the focused note's
    // cursor blinks.
    if (options.idleSeconds > 0) {
        const int count = options.counts.contains(100) ? 100 : options.counts.value(0, 100);
        if (const auto result = runOnce(folder, folder.databaseTemplate(count, true), count, true,
                                        true, options.idleSeconds)) {
            printFigure(QStringLiteral("idle_cpu_%1_visible_openbox").arg(count),
                        result->idleCpuPercent, "%");
            printFigure(QStringLiteral("idle_xserver_cpu_%1_visible_openbox").arg(count),
                        result->idleServerCpuPercent, "%");
            printNote(QStringLiteral("idle measured over %1 s").arg(options.idleSeconds));
        }
    }

    printNote(QStringLiteral(
        "reference values, not measured in this run: xpad (GTK), no window manager: 100 notes "
        "0.85 s at 150 MB, 1,000 notes 9.9 s at 586 MB"));
    printNote(QStringLiteral("peer (measured earlier), 1,000 notes: no window manager 8.9-9.6 s at "
                             "659 MB; openbox 19-38 s"));
    return 0;
}
