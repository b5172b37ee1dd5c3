// The file layer on its own: the check for a folder of one's own under each
// rule, the exclusive create, the durable replace and the move aside, each
// made to refuse by itself.

#include "platform/durablereplace.h"
#include "platform/ownfolder.h"
#include "platform/privatefile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <optional>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

using Platform::FolderProblem;
using Platform::FolderRule;

namespace {

QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
}

bool put(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

int modeOf(const QString &path)
{
    struct stat status = {};
    return ::lstat(QFile::encodeName(path).constData(), &status) == 0 ? int(status.st_mode & 07777)
                                                                      : -1;
}

bool isLink(const QString &path)
{
    struct stat status = {};
    return ::lstat(QFile::encodeName(path).constData(), &status) == 0 && S_ISLNK(status.st_mode);
}

// Every write beyond the first byte fails while it lives, as on a full disk.
class FullDisk
{
public:
    FullDisk()
    {
        ::getrlimit(RLIMIT_FSIZE, &m_limit);
        m_previous = std::signal(SIGXFSZ, SIG_IGN);
        const rlimit full = {1, m_limit.rlim_max};
        ::setrlimit(RLIMIT_FSIZE, &full);
    }
    ~FullDisk()
    {
        ::setrlimit(RLIMIT_FSIZE, &m_limit);
        std::signal(SIGXFSZ, m_previous);
    }
    FullDisk(const FullDisk &) = delete;
    FullDisk &operator=(const FullDisk &) = delete;

private:
    rlimit m_limit = {};
    void (*m_previous)(int) = nullptr;
};

} // namespace

class TestFileLayer : public QObject
{
    Q_OBJECT
private slots:
    void init() { ::umask(022); }
    void folderCheck_data();
    void folderCheck();
    void exclusiveCreate_data();
    void exclusiveCreate();
    void durableReplace_data();
    void durableReplace();
    void moveAsideNeverReplaces_data();
    void moveAsideNeverReplaces();
};

void TestFileLayer::folderCheck_data()
{
    QTest::addColumn<FolderRule>("rule");
    QTest::addColumn<QString>("shape"); // folder, link, foreign, inside-link
    QTest::addColumn<int>("mode");
    QTest::addColumn<FolderProblem>("expected");
    const auto P = FolderRule::Private;
    const auto W = FolderRule::ClosedToWriters;
    const auto C = FolderRule::Chosen;
    QTest::newRow("private 0700") << P << "folder" << 0700 << FolderProblem::None;
    QTest::newRow("private 0710: the group may enter")
        << P << "folder" << 0710 << FolderProblem::WritableByOthers;
    QTest::newRow("private 0701: others may enter")
        << P << "folder" << 0701 << FolderProblem::WritableByOthers;
    QTest::newRow("private link to 0700") << P << "link" << 0700 << FolderProblem::NotAFolder;
    QTest::newRow("private foreign") << P << "foreign" << 0700 << FolderProblem::NotOwned;
    QTest::newRow("closed 0755") << W << "folder" << 0755 << FolderProblem::None;
    QTest::newRow("closed 0775: the group may write")
        << W << "folder" << 0775 << FolderProblem::WritableByOthers;
    QTest::newRow("closed link to 0700") << W << "link" << 0700 << FolderProblem::NotAFolder;
    QTest::newRow("chosen link to 0755 is followed") << C << "link" << 0755 << FolderProblem::None;
    QTest::newRow("chosen 0757") << C << "folder" << 0757 << FolderProblem::WritableByOthers;
    QTest::newRow("chosen 01777: sticky") << C << "folder" << 01777 << FolderProblem::None;
    QTest::newRow("chosen link inside a folder")
        << C << "inside-link" << 0755 << FolderProblem::NotAFolder;
}

void TestFileLayer::folderCheck()
{
    QFETCH(FolderRule, rule);
    QFETCH(QString, shape);
    QFETCH(int, mode);
    QFETCH(FolderProblem, expected);
    if (shape == QLatin1String("foreign") && ::geteuid() != 0)
        QSKIP("a folder of another owner needs root");
    QTemporaryDir root;
    const QString real = root.filePath(QStringLiteral("real"));
    const QString path = root.filePath(QStringLiteral("checked"));
    QVERIFY(QDir().mkdir(real));
    if (shape == QLatin1String("foreign"))
        QCOMPARE(::chown(QFile::encodeName(real).constData(), 65534, 65534), 0);
    QCOMPARE(::chmod(QFile::encodeName(real).constData(), mode_t(mode)), 0);
    QCOMPARE(modeOf(real), mode);
    FolderProblem problem = FolderProblem::Failed;
    if (shape == QLatin1String("inside-link")) {
        QVERIFY(QFile::link(real, path));
        const Platform::FileDescriptor parent = Platform::openOwnFolder(root.path(), rule);
        QVERIFY(parent.isValid());
        const Platform::FileDescriptor inside =
            Platform::openOwnFolderAt(parent.get(), QStringLiteral("checked"), rule, &problem);
        QCOMPARE(inside.isValid(), expected == FolderProblem::None);
    } else {
        if (shape == QLatin1String("link"))
            QVERIFY(QFile::link(real, path));
        else
            QVERIFY(QFile::rename(real, path));
        const Platform::FileDescriptor opened = Platform::openOwnFolder(path, rule, &problem);
        QCOMPARE(opened.isValid(), expected == FolderProblem::None);
        QCOMPARE(Platform::isOwnFolder(path, rule), expected == FolderProblem::None);
    }
    QCOMPARE(problem, expected);
}

void TestFileLayer::exclusiveCreate_data()
{
    QTest::addColumn<QString>("inTheWay"); // nothing, file, link, dangling link
    QTest::addColumn<PrivateFile::Access>("access");
    QTest::addColumn<PrivateFile::Created>("expected");
    QTest::addColumn<int>("mode");
    using PrivateFile::Access;
    using PrivateFile::Created;
    QTest::newRow("free name, private, umask 0")
        << "nothing" << Access::UserOnly << Created::Yes << 0600;
    QTest::newRow("free name, as the umask allows")
        << "nothing" << Access::AsUmaskAllows << Created::Yes << 0644;
    QTest::newRow("a file there") << "file" << Access::UserOnly << Created::Exists << 0;
    QTest::newRow("a link to a file there") << "link" << Access::UserOnly << Created::Exists << 0;
    QTest::newRow("a dangling link there")
        << "dangling link" << Access::AsUmaskAllows << Created::Exists << 0;
}

void TestFileLayer::exclusiveCreate()
{
    QFETCH(QString, inTheWay);
    QFETCH(PrivateFile::Access, access);
    QFETCH(PrivateFile::Created, expected);
    QFETCH(int, mode);
    QTemporaryDir root;
    const QString name = root.filePath(QStringLiteral("new"));
    const QString victim = root.filePath(QStringLiteral("victim"));
    if (inTheWay != QLatin1String("dangling link"))
        QVERIFY(put(victim, "planted"));
    if (inTheWay == QLatin1String("file"))
        QVERIFY(QFile::copy(victim, name));
    else if (inTheWay != QLatin1String("nothing"))
        QVERIFY(QFile::link(victim, name));
    if (inTheWay == QLatin1String("nothing") && access == PrivateFile::Access::UserOnly)
        ::umask(0); // the private mode does not rest on the umask

    PrivateFile::Created created = PrivateFile::Created::Failed;
    const Platform::FileDescriptor fd = PrivateFile::createAt(AT_FDCWD, name, access, &created);
    QCOMPARE(created, expected);
    QCOMPARE(fd.isValid(), expected == PrivateFile::Created::Yes);
    if (expected == PrivateFile::Created::Yes) {
        QCOMPARE(modeOf(name), mode);
        QCOMPARE(::write(fd.get(), "new", 3), ssize_t(3));
        QCOMPARE(contents(name), QByteArray("new"));
    } else {
        // Nothing was opened through what is there.
        QCOMPARE(contents(name), inTheWay == QLatin1String("dangling link")
                                     ? QByteArray("(missing)")
                                     : QByteArray("planted"));
        QVERIFY(!QFile::exists(victim) || contents(victim) == "planted");
    }
}

void TestFileLayer::durableReplace_data()
{
    QTest::addColumn<QString>("failure");
    QTest::addColumn<bool>("written"); // replaceWith an already written file
    for (bool written : {false, true}) {
        const char *how = written ? "written file" : "bytes";
        QTest::addRow("%s: none", how) << "none" << written;
        QTest::addRow("%s: a folder at the target", how) << "folder at target" << written;
        QTest::addRow("%s: the folder not writable", how) << "folder not writable" << written;
    }
    QTest::newRow("bytes: the write fails") << "write fails" << false;
    QTest::newRow("bytes: a link at the temporary name") << "link at temporary" << false;
    QTest::newRow("written file: missing") << "temporary missing" << true;
    QTest::newRow("written file: a link") << "link at temporary" << true;
}

void TestFileLayer::durableReplace()
{
    QFETCH(QString, failure);
    QFETCH(bool, written);
    if (failure == QLatin1String("folder not writable") && ::geteuid() == 0)
        QSKIP("root writes into any folder");
    QTemporaryDir root;
    const QString folder = root.filePath(QStringLiteral("notes"));
    QVERIFY(QDir().mkdir(folder));
    const QString target = folder + QStringLiteral("/note");
    const QString temporary = target + QStringLiteral(".new");
    const QString victim = root.filePath(QStringLiteral("victim"));
    QVERIFY(put(victim, "planted"));
    if (failure == QLatin1String("folder at target"))
        QVERIFY(QDir().mkpath(target + QStringLiteral("/inside")));
    else
        QVERIFY(put(target, "old"));
    if (failure == QLatin1String("link at temporary"))
        QVERIFY(QFile::link(victim, temporary));
    else if (written && failure != QLatin1String("temporary missing"))
        QVERIFY(put(temporary, "new"));
    if (failure == QLatin1String("folder not writable"))
        QCOMPARE(::chmod(QFile::encodeName(folder).constData(), 0500), 0);

    QString error;
    bool placed = false;
    if (written) {
        placed = Platform::replaceWith(temporary, target, &error);
    } else {
        std::optional<FullDisk> full;
        if (failure == QLatin1String("write fails"))
            full.emplace();
        placed = Platform::replaceWithBytes(temporary, target, "new", PrivateFile::Access::UserOnly,
                                            &error);
    }
    ::chmod(QFile::encodeName(folder).constData(), 0700);
    const bool fine = failure == QLatin1String("none");
    QCOMPARE(placed, fine);
    QCOMPARE(error.isEmpty(), fine);
    if (fine)
        QCOMPARE(contents(target), QByteArray("new"));
    else if (failure != QLatin1String("folder at target"))
        QCOMPARE(contents(target), QByteArray("old"));
    else
        QVERIFY(QFileInfo(target + QStringLiteral("/inside")).isDir());
    // A planted link is neither written through nor taken away by
    // replaceWithBytes; any temporary of this call is gone.
    QCOMPARE(contents(victim), QByteArray("planted"));
    QCOMPARE(isLink(temporary), failure == QLatin1String("link at temporary") && !written);
    if (!isLink(temporary) && failure != QLatin1String("folder not writable"))
        QVERIFY(!QFileInfo::exists(temporary));
}

void TestFileLayer::moveAsideNeverReplaces_data()
{
    QTest::addColumn<QString>("atTarget"); // nothing, file, link
    QTest::newRow("free name") << "nothing";
    QTest::newRow("a file at the new name") << "file";
    QTest::newRow("a dangling link at the new name") << "link";
}

void TestFileLayer::moveAsideNeverReplaces()
{
    QFETCH(QString, atTarget);
    QTemporaryDir root;
    const QString from = root.filePath(QStringLiteral("note"));
    const QString to = root.filePath(QStringLiteral("note.aside"));
    QVERIFY(put(from, "notes"));
    if (atTarget == QLatin1String("file"))
        QVERIFY(put(to, "other"));
    else if (atTarget == QLatin1String("link"))
        QVERIFY(QFile::link(root.filePath(QStringLiteral("nowhere")), to));
    QString error;
    const bool moved = Platform::moveAside(from, to, &error);
    const bool free = atTarget == QLatin1String("nothing");
    QCOMPARE(moved, free);
    QCOMPARE(error.isEmpty(), free);
    QCOMPARE(contents(from), free ? QByteArray("(missing)") : QByteArray("notes"));
    QCOMPARE(contents(to), free                                ? QByteArray("notes")
                           : atTarget == QLatin1String("file") ? QByteArray("other")
                                                               : QByteArray("(missing)"));
    QCOMPARE(isLink(to), atTarget == QLatin1String("link"));
    QVERIFY(!QFileInfo::exists(root.filePath(QStringLiteral("nowhere"))));
}

QTEST_GUILESS_MAIN(TestFileLayer)
#include "tst_filelayer.moc"
