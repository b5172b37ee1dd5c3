#include "app/singleinstanceguard.h"
#include "base/apppaths.h"
#include "platform/instancelock.h"
#include "platform/ownfolder.h"
#include "platform/privateruntimefolder.h"
#include "platform/processlist.h"
#include "platform/username.h"
#include "programrun.h"
#include "testappfolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <atomic>
#include <csignal>
#include <latch>

#include <sys/stat.h>
#include <unistd.h>

using Platform::InstanceLock;
using State = Platform::InstanceLock::State;
using Verdict = SingleInstanceGuard::Verdict;

namespace {

// One process folder of a made-up process list: "exe" names the executable,
// "environ" holds the environment as the system writes it.
void addProcess(const QString &procRoot, int pid, const QString &executable,
                const QByteArray &environment, const QByteArray &status = QByteArray())
{
    const QString folder = procRoot + QLatin1Char('/') + QString::number(pid);
    QVERIFY(QDir().mkpath(folder));
    QVERIFY(QFile::link(executable, folder + QStringLiteral("/exe")));
    QFile environ(folder + QStringLiteral("/environ"));
    QVERIFY(environ.open(QIODevice::WriteOnly));
    environ.write(environment);
    QFile statusFile(folder + QStringLiteral("/status"));
    QVERIFY(statusFile.open(QIODevice::WriteOnly));
    statusFile.write(status);
}

qint64 pidOfEndedProcess()
{
    QProcess process;
    process.start(QStringLiteral("true"), {});
    process.waitForFinished();
    return process.processId() ? process.processId() : 999999;
}

} // namespace

class TestSingleInstance : public QObject
{
    Q_OBJECT
private slots:
    void countsOnlyTheNamedUser_data();
    void countsOnlyTheNamedUser();
    void findsItselfInTheRealProcessList();
    void lockFileNameKeepsAnyUserApart_data();
    void lockFileNameKeepsAnyUserApart();
    void secondHolderIsRefused();
    void lockOfAnEndedProcessIsTakenOver();
    void lockHeldByAnotherProcessStays();
    void lockWithoutFolderIsUnavailable();
    void simultaneousTakersLeaveOne();
    void verdict_data();
    void verdict();
    void checkKeepsTheLockOfThisProcess();
    void countsOnlyCopiesOnTheSameNoteFile_data();
    void countsOnlyCopiesOnTheSameNoteFile();
    void runtimeFolderIsAlwaysPrivate_data();
    void runtimeFolderIsAlwaysPrivate();
    void noFolderMeansNoLock();
    void copyOnAnotherNoteFileIsNoSecondCopy();
};

void TestSingleInstance::countsOnlyTheNamedUser_data()
{
    QTest::addColumn<QString>("userName");
    QTest::addColumn<int>("expected");
    // The made-up list: two copies for "bob", one each for "bobby", "axb",
    // "c++", "a.b" (named by USER only), one found through LOGNAME and one
    // without any of them, found through its user id.
    QTest::newRow("plain name") << "bob" << 2;
    QTest::newRow("longer name is another user") << "bobby" << 1;
    QTest::newRow("dot is no wildcard") << "a.b" << 1;
    QTest::newRow("name differing at the dot") << "axb" << 1;
    QTest::newRow("plus is no repetition") << "c++" << 1;
    QTest::newRow("repetition not matched") << "cc" << 0;
    QTest::newRow("logname") << "logan" << 1;
    QTest::newRow("account of the user id") << "root" << 1;
    QTest::newRow("nobody") << "eve" << 0;
    QTest::newRow("empty name") << "" << 0;
}

void TestSingleInstance::countsOnlyTheNamedUser()
{
    QFETCH(QString, userName);
    QFETCH(int, expected);
    QTemporaryDir proc;
    const QString program = QStringLiteral("/opt/Notarella/notarella");
    addProcess(proc.path(), 10, program, "HOME=/x\0USERNAME=bob\0"_qba);
    addProcess(proc.path(), 11, program, "USERNAME=bob\0USER=root\0"_qba);
    addProcess(proc.path(), 12, program, "USERNAME=bobby\0"_qba);
    addProcess(proc.path(), 13, program, "USERNAME=axb\0"_qba);
    addProcess(proc.path(), 14, program, "USERNAME=c++\0"_qba);
    addProcess(proc.path(), 15, program, "USER=a.b\0LOGNAME=other\0"_qba);
    addProcess(proc.path(), 16, program + QStringLiteral(" (deleted)"), "LOGNAME=logan\0"_qba);
    addProcess(proc.path(), 17, program, "HOME=/\0"_qba, "Name:\tnotarella\nUid:\t0\t0\t0\t0\n");
    // Other programs, and a folder that is no process, are never counted.
    addProcess(proc.path(), 20, QStringLiteral("/usr/bin/notarella-bench"), "USERNAME=bob\0"_qba);
    addProcess(proc.path(), 21, QStringLiteral("/usr/bin/bash"), "USERNAME=c++\0"_qba);
    QVERIFY(QDir().mkpath(proc.path() + QStringLiteral("/self")));

    const auto processes = Platform::processesRunning(QStringLiteral("notarella"), proc.path());
    QCOMPARE(processes.size(), 8);
    QCOMPARE(Platform::countRunningFor(processes, userName), expected);
}

void TestSingleInstance::findsItselfInTheRealProcessList()
{
    const QString name = QFileInfo(QCoreApplication::applicationFilePath()).fileName();
    const auto processes = Platform::processesRunning(name);
    const auto self =
        std::find_if(processes.cbegin(), processes.cend(), [](const Platform::ProcessEntry &e) {
            return e.pid == QCoreApplication::applicationPid();
        });
    QVERIFY(self != processes.cend());
    QCOMPARE(self->executable, QCoreApplication::applicationFilePath());
    QCOMPARE(self->userName, Platform::currentUserName()); // the same rule for itself and others
}

void TestSingleInstance::lockFileNameKeepsAnyUserApart_data()
{
    QTest::addColumn<QString>("userName");
    QTest::addColumn<QString>("fileName");
    QTest::newRow("plain") << "bob"
                           << "notarella-bob.lock";
    QTest::newRow("dot") << "a.b"
                         << "notarella-a.b.lock";
    QTest::newRow("slash cannot leave the folder") << "../x"
                                                   << "notarella-..%2Fx.lock";
    QTest::newRow("blank and plus") << "c d+"
                                    << "notarella-c%20d%2B.lock";
    QTest::newRow("non-ASCII") << "jürgen"
                               << "notarella-j%C3%BCrgen.lock";
}

void TestSingleInstance::lockFileNameKeepsAnyUserApart()
{
    QFETCH(QString, userName);
    QFETCH(QString, fileName);
    QCOMPARE(InstanceLock::pathFor(QStringLiteral("/run/user/7"), userName),
             QStringLiteral("/run/user/7/") + fileName);
}

void TestSingleInstance::secondHolderIsRefused()
{
    QTemporaryDir folder;
    const QString path = InstanceLock::pathFor(folder.path(), QStringLiteral("bob"));
    {
        InstanceLock first(path);
        QCOMPARE(first.tryAcquire(), State::Acquired);
        QCOMPARE(first.tryAcquire(), State::Acquired); // asking again keeps it
        InstanceLock second(path);
        QCOMPARE(second.tryAcquire(), State::HeldByAnother);
        QVERIFY(!second.isHeld());
        // Another user's lock is a file of its own.
        InstanceLock otherUser(InstanceLock::pathFor(folder.path(), QStringLiteral("bobby")));
        QCOMPARE(otherUser.tryAcquire(), State::Acquired);
    }
    QVERIFY(!QFile::exists(path)); // released with its holder
    InstanceLock next(path);
    QCOMPARE(next.tryAcquire(), State::Acquired);
}

void TestSingleInstance::lockOfAnEndedProcessIsTakenOver()
{
    // A copy that crashed leaves its lock file behind; its process is gone.
    QTemporaryDir folder;
    const QString path = InstanceLock::pathFor(folder.path(), QStringLiteral("bob"));
    QFile stale(path);
    QVERIFY(stale.open(QIODevice::WriteOnly));
    stale.write(QByteArray::number(pidOfEndedProcess()) + "\nnotarella\n" +
                QSysInfo::machineHostName().toUtf8() + "\n");
    stale.close();

    InstanceLock lock(path);
    QCOMPARE(lock.tryAcquire(), State::Acquired);
}

void TestSingleInstance::lockHeldByAnotherProcessStays()
{
    // A lock file of a live process stays, however old it is.
    QTemporaryDir folder;
    const QString path = InstanceLock::pathFor(folder.path(), QStringLiteral("bob"));
    QProcess sleeper;
    sleeper.start(QStringLiteral("sleep"), {QStringLiteral("30")});
    QVERIFY(sleeper.waitForStarted());
    const QString sleepName =
        QFileInfo(QFile::symLinkTarget(QStringLiteral("/proc/%1/exe").arg(sleeper.processId())))
            .fileName();
    QFile held(path);
    QVERIFY(held.open(QIODevice::WriteOnly));
    held.write(QByteArray::number(sleeper.processId()) + '\n' + sleepName.toUtf8() + '\n' +
               QSysInfo::machineHostName().toUtf8() + '\n');
    QVERIFY(held.setFileTime(QDateTime::currentDateTime().addDays(-2),
                             QFileDevice::FileModificationTime));
    held.close();

    InstanceLock lock(path);
    QCOMPARE(lock.tryAcquire(), State::HeldByAnother);
    sleeper.kill();
    sleeper.waitForFinished();
    QCOMPARE(lock.tryAcquire(), State::Acquired);
}

void TestSingleInstance::lockWithoutFolderIsUnavailable()
{
    QTemporaryDir folder;
    InstanceLock lock(
        InstanceLock::pathFor(folder.filePath(QStringLiteral("missing")), QStringLiteral("bob")));
    QCOMPARE(lock.tryAcquire(), State::Unavailable);
}

void TestSingleInstance::simultaneousTakersLeaveOne()
{
    QTemporaryDir folder;
    const QString path = InstanceLock::pathFor(folder.path(), QStringLiteral("bob"));
    for (int round = 0; round < 20; ++round) {
        constexpr int takers = 4;
        std::latch start(takers);
        std::atomic<int> acquired = 0;
        std::vector<std::unique_ptr<InstanceLock>> locks;
        std::vector<std::unique_ptr<QThread>> threads;
        for (int i = 0; i < takers; ++i)
            locks.push_back(std::make_unique<InstanceLock>(path));
        for (int i = 0; i < takers; ++i) {
            threads.emplace_back(QThread::create([&, i] {
                start.arrive_and_wait();
                if (locks[i]->tryAcquire() == State::Acquired)
                    ++acquired;
            }));
            threads.back()->start();
        }
        for (auto &thread : threads)
            QVERIFY(thread->wait(5000));
        QCOMPARE(acquired.load(), 1);
    }
}

void TestSingleInstance::verdict_data()
{
    QTest::addColumn<State>("lock");
    QTest::addColumn<int>("copies");
    QTest::addColumn<Verdict>("expected");
    // The lock holder runs even when a copy started beside it is counted.
    QTest::newRow("holder alone") << State::Acquired << 1 << Verdict::Run;
    QTest::newRow("holder beside a starting copy") << State::Acquired << 2 << Verdict::Run;
    QTest::newRow("held by a running copy") << State::HeldByAnother << 2 << Verdict::AlreadyRunning;
    QTest::newRow("held by another program") << State::HeldByAnother << 1 << Verdict::Run;
    QTest::newRow("no lock, other copy") << State::Unavailable << 2 << Verdict::AlreadyRunning;
    QTest::newRow("no lock, alone") << State::Unavailable << 1 << Verdict::Run;
}

void TestSingleInstance::verdict()
{
    QFETCH(State, lock);
    QFETCH(int, copies);
    QFETCH(Verdict, expected);
    QCOMPARE(SingleInstanceGuard::decide(lock, copies), expected);
}

void TestSingleInstance::checkKeepsTheLockOfThisProcess()
{
    qputenv("USERNAME", "guard-user");
    QCOMPARE(SingleInstanceGuard::check(), Verdict::Run);
    const QString path = InstanceLock::pathFor(qEnvironmentVariable("XDG_RUNTIME_DIR"),
                                               QStringLiteral("guard-user"));
    QVERIFY(QFile::exists(path));
    QCOMPARE(SingleInstanceGuard::check(), Verdict::Run); // the same process asks again
    InstanceLock other(path);
    QCOMPARE(other.tryAcquire(), State::HeldByAnother);
}

void TestSingleInstance::countsOnlyCopiesOnTheSameNoteFile_data()
{
    QTest::addColumn<QString>("folder"); // of the copy asking
    QTest::addColumn<QString>("userName");
    QTest::addColumn<int>("expected");
    // Two copies for "bob" in installation A, one in B, one of "eve" in A.
    QTest::newRow("installation A") << "A"
                                    << "bob" << 2;
    QTest::newRow("installation B") << "B"
                                    << "bob" << 1;
    QTest::newRow("A reached through a link") << "linkToA"
                                              << "bob" << 2;
    QTest::newRow("another user in A") << "A"
                                       << "eve" << 1;
    QTest::newRow("no copy in C") << "C"
                                  << "bob" << 0;
}

void TestSingleInstance::countsOnlyCopiesOnTheSameNoteFile()
{
    QFETCH(QString, folder);
    QFETCH(QString, userName);
    QFETCH(int, expected);
    QTemporaryDir root;
    const QString proc = root.filePath(QStringLiteral("proc"));
    for (const char *installation : {"A", "B", "C"})
        QVERIFY(QDir().mkpath(root.filePath(QLatin1String(installation) + "/.NotarellaData")));
    QVERIFY(
        QFile::link(root.filePath(QStringLiteral("A")), root.filePath(QStringLiteral("linkToA"))));
    const auto program = [&](const char *installation) {
        return root.filePath(QLatin1String(installation) + "/notarella");
    };
    addProcess(proc, 10, program("A"), "USERNAME=bob\0HOME=/h\0"_qba);
    addProcess(proc, 11, program("A"), "USERNAME=bob\0XDG_DATA_HOME=/d\0"_qba);
    addProcess(proc, 12, program("B"), "USERNAME=bob\0"_qba);
    addProcess(proc, 14, program("A"), "USERNAME=eve\0"_qba);
    const auto processes = Platform::processesRunning(QStringLiteral("notarella"), proc);
    QCOMPARE(processes.size(), 4);

    const QString noteFile =
        AppPaths::noteDataDirectoryFor(root.filePath(folder), QStringLiteral("/d")) + userName;
    QCOMPARE(SingleInstanceGuard::countCopiesOn(processes, userName, noteFile), expected);
}

namespace {

// A fresh folder named `name` under `parent`, made as the row asks.
QString makeFolder(const QString &parent, const QString &kind)
{
    const QString path = parent + QStringLiteral("/runtime");
    if (kind == QLatin1String("unset"))
        return QString();
    if (kind == QLatin1String("relative"))
        return QStringLiteral("runtime");
    if (kind == QLatin1String("symlink")) {
        QDir().mkpath(parent + QStringLiteral("/real"));
        QFile::setPermissions(parent + QStringLiteral("/real"),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QFile::link(parent + QStringLiteral("/real"), path);
        return path;
    }
    QDir().mkpath(path);
    ::chmod(QFile::encodeName(path).constData(), kind == QLatin1String("open") ? 0755 : 0700);
    if (kind == QLatin1String("foreign"))
        (void)::chown(QFile::encodeName(path).constData(), 65534, 65534);
    return path;
}

} // namespace

void TestSingleInstance::runtimeFolderIsAlwaysPrivate_data()
{
    QTest::addColumn<QString>("runtime");  // how $XDG_RUNTIME_DIR is
    QTest::addColumn<QString>("cache");    // how the cache folder's "notarella" is
    QTest::addColumn<QString>("expected"); // "runtime", "cache" or "" (none)
    QTest::newRow("private runtime folder") << "private"
                                            << "missing"
                                            << "runtime";
    QTest::newRow("unset") << "unset"
                           << "missing"
                           << "cache";
    QTest::newRow("relative") << "relative"
                              << "missing"
                              << "cache";
    QTest::newRow("another user's") << "foreign"
                                    << "missing"
                                    << "cache";
    QTest::newRow("symbolic link") << "symlink"
                                   << "missing"
                                   << "cache";
    QTest::newRow("open to others") << "open"
                                    << "missing"
                                    << "cache";
    QTest::newRow("own cache folder, opened") << "unset"
                                              << "open"
                                              << "cache";
    QTest::newRow("cache folder of another user") << "unset"
                                                  << "foreign"
                                                  << "";
    QTest::newRow("cache folder is a link") << "unset"
                                            << "symlink"
                                            << "";
}

void TestSingleInstance::runtimeFolderIsAlwaysPrivate()
{
    QFETCH(QString, runtime);
    QFETCH(QString, cache);
    QFETCH(QString, expected);
    if (geteuid() != 0 && (runtime == "foreign" || cache == "foreign"))
        QSKIP("another owner needs root");
    QTemporaryDir root;
    const QString runtimeFolder = makeFolder(root.filePath(QStringLiteral("r")), runtime);
    const QString cacheHome = root.filePath(QStringLiteral("cache"));
    QVERIFY(QDir().mkpath(cacheHome));
    if (cache != QLatin1String("missing")) {
        const QString made = makeFolder(root.filePath(QStringLiteral("c")), cache);
        QVERIFY(QFile::rename(made, cacheHome + QStringLiteral("/notarella")));
    }
    const QString chosen = Platform::privateRuntimeFolderFor(
        runtimeFolder, root.filePath(QStringLiteral("no-run-user")), cacheHome);
    const QString wanted = expected == QLatin1String("runtime") ? runtimeFolder
                           : expected == QLatin1String("cache")
                               ? cacheHome + QStringLiteral("/notarella")
                               : QString();
    QCOMPARE(chosen, wanted);
    if (chosen.isEmpty())
        return;
    QVERIFY(Platform::isOwnFolder(chosen, Platform::FolderRule::Private));
    struct stat info = {};
    QCOMPARE(::lstat(QFile::encodeName(chosen).constData(), &info), 0);
    QCOMPARE(info.st_mode & 0777, 0700u);
    // Lock and socket go there, never to the current or a shared folder.
    QVERIFY(InstanceLock::pathFor(chosen, QStringLiteral("bob")).startsWith(chosen + "/"));
}

void TestSingleInstance::noFolderMeansNoLock()
{
    QCOMPARE(InstanceLock::pathFor(QString(), QStringLiteral("bob")), QString());
    QCOMPARE(InstanceLock::pathFor(QStringLiteral("relative"), QStringLiteral("bob")), QString());
    InstanceLock lock{QString()};
    QCOMPARE(lock.tryAcquire(), State::Unavailable);
    QVERIFY(!QFile::exists(QStringLiteral("notarella-bob.lock")));
}

// A test that holds the lock itself and starts the program beside it, while a
// copy of the same user name runs elsewhere on its own note file (another
// test, another installation): the program starts.
void TestSingleInstance::copyOnAnotherNoteFileIsNoSecondCopy()
{
    qputenv("USERNAME", "shared-name");
    QCOMPARE(SingleInstanceGuard::check(), Verdict::Run); // this process holds the lock now
    TestAppFolder elsewhere;
    QVERIFY2(elsewhere.isValid(), qPrintable(elsewhere.errorString()));
    QTemporaryDir otherRuntime;
    QVERIFY(QFile::setPermissions(otherRuntime.path(),
                                  QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    ProgramRun other(elsewhere.executable());
    other.setEnvironmentValue(QStringLiteral("XDG_RUNTIME_DIR"), otherRuntime.path());
    QVERIFY(other.start());
    QVERIFY2(other.waitForStderr(ProgramRun::kStartedLine, 20000),
             qPrintable(other.standardError()));

    TestAppFolder here;
    QVERIFY2(here.isValid(), qPrintable(here.errorString()));
    ProgramRun run(here.executable());
    QVERIFY(run.start());
    QVERIFY2(run.waitForStderr(ProgramRun::kStartedLine, 20000), qPrintable(run.standardError()));
    for (ProgramRun *copy : {&run, &other}) {
        QVERIFY(copy->sendSignal(SIGTERM));
        QVERIFY(copy->waitForExit(10000));
    }
}

QTEST_GUILESS_MAIN(TestSingleInstance)
#include "tst_singleinstance.moc"
