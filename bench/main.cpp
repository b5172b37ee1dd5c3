// notarella-bench: prints one line per figure, "figure: <name> <value> <unit>".
// It works in a throw-away home of its own, never in the user's settings or notes.

#include "benchmarks.h"

#include "base/tracing.h"
#include "platform/nativesettings.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

int main(int argc, char *argv[])
{
    QTemporaryDir home;
    if (!qEnvironmentVariableIsSet("NOTARELLA_BENCH_HOME")) {
        qputenv("NOTARELLA_BENCH_HOME", home.path().toLocal8Bit());
        qputenv("HOME", home.path().toLocal8Bit());
        qputenv("XDG_CONFIG_HOME", (home.path() + QStringLiteral("/config")).toLocal8Bit());
        qputenv("XDG_DATA_HOME", (home.path() + QStringLiteral("/data")).toLocal8Bit());
        qputenv("XDG_CACHE_HOME", (home.path() + QStringLiteral("/cache")).toLocal8Bit());
        // The one-copy lock lives in the runtime folder: keep it in here too.
        const QString runtime = home.path() + QStringLiteral("/runtime");
        QDir().mkpath(runtime);
        QFile::setPermissions(runtime, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                           QFileDevice::ExeOwner);
        qputenv("XDG_RUNTIME_DIR", runtime.toLocal8Bit());
    }
    if (!qEnvironmentVariableIsSet("DISPLAY") && !qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QT_LOGGING_RULES", "*.debug=false");

    QApplication application(argc, argv);
    QCoreApplication::setOrganizationName(QString::fromLatin1(NativeSettings::kOrganization));
    QCoreApplication::setApplicationName(QString::fromLatin1(NativeSettings::kApplication));
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.value(1) == QLatin1String("--notes-case"))
        return runNotesCase(arguments.mid(2));
    if (arguments.value(1) == QLatin1String("--sync-case"))
        return runSyncCase(arguments.mid(2));
    if (arguments.value(1) == QLatin1String("--sync")) {
        benchSync(QCoreApplication::applicationFilePath());
        return 0;
    }
    if (arguments.value(1) == QLatin1String("--stored-case"))
        return runStoredCase(arguments.mid(2));
    if (arguments.value(1) == QLatin1String("--notelist")) {
        benchNoteList();
        return 0;
    }
    if (arguments.value(1) == QLatin1String("--exchange")) {
        benchExchange();
        return 0;
    }
    if (arguments.value(1) == QLatin1String("--backups")) {
        benchBackups();
        return 0;
    }
    if (arguments.value(1) == QLatin1String("--pictures")) {
        benchPictures();
        return 0;
    }
    if (arguments.value(1) == QLatin1String("--floor-windows"))
        return runFloorWindows(arguments.mid(2));
    if (arguments.value(1) == QLatin1String("--prepare"))
        return prepareNotesCase(arguments.mid(2));

    const QString program = QCoreApplication::applicationDirPath() + QStringLiteral("/notarella");
    if (arguments.value(1) == QLatin1String("--startup"))
        return benchStartup(arguments.mid(2), program);
    if (arguments.value(1) == QLatin1String("--stored-notes")) {
        benchStoredNotes(QCoreApplication::applicationFilePath());
        return 0;
    }
    // Everything about many stored notes: saving them, their list, and the
    // launch with few of them shown.
    if (arguments.value(1) == QLatin1String("--stored")) {
        benchStoredNotes(QCoreApplication::applicationFilePath());
        return benchStartup(arguments.mid(1), program);
    }

    benchReminders();
    benchNoteList();
    benchRichText();
    benchRobustness();
    benchExchange();
    benchBackups();
    benchPictures();
    benchNotes(QCoreApplication::applicationFilePath());
    benchStoredNotes(QCoreApplication::applicationFilePath());
    benchSync(QCoreApplication::applicationFilePath());
    return benchStartup(arguments.mid(1), program);
}
