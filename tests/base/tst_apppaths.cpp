// Where the program looks for its files: beside the executable in the build
// tree and an application folder, in share/ and libexec/ when installed; and
// where the notes go when the folder beside the executable cannot be written.

#include "base/apppaths.h"

#include <QtTest>

namespace {

// Makes each of `folders` (relative to `root`).
void makeFolders(const QString &root, const QStringList &folders)
{
    for (const QString &folder : folders)
        QVERIFY(QDir(root).mkpath(folder));
}

QString resolved(const QString &root, const QString &relative)
{
    return relative.isEmpty() ? QString() : QDir::cleanPath(root + QLatin1Char('/') + relative);
}

} // namespace

class TestAppPaths : public QObject
{
    Q_OBJECT

private slots:
    void layout_data();
    void layout();
    void noteDataDirectory_data();
    void noteDataDirectory();
};

void TestAppPaths::layout_data()
{
    QTest::addColumn<QStringList>("folders");
    QTest::addColumn<QString>("executableDirectory");
    QTest::addColumn<QString>("dataFiles");
    QTest::addColumn<QString>("helpers");

    QTest::newRow("application folder") << QStringList{"app/icons", "app/audio"} << "app"
                                        << "app"
                                        << "app";
    QTest::newRow("installed") << QStringList{"bin", "share/notarella/icons", "libexec/notarella"}
                               << "bin"
                               << "share/notarella"
                               << "libexec/notarella";
    QTest::newRow("installed without helpers")
        << QStringList{"bin", "share/notarella/icons"} << "bin"
        << "share/notarella"
        << "bin";
    QTest::newRow("copy beside an installed one wins")
        << QStringList{"bin/icons", "share/notarella/icons", "libexec/notarella"} << "bin"
        << "bin"
        << "bin";
    QTest::newRow("nothing anywhere") << QStringList{"bin"} << "bin"
                                      << "bin"
                                      << "bin";
}

void TestAppPaths::layout()
{
    QFETCH(QStringList, folders);
    QFETCH(QString, executableDirectory);
    QFETCH(QString, dataFiles);
    QFETCH(QString, helpers);

    QTemporaryDir root;
    QVERIFY(root.isValid());
    makeFolders(root.path(), folders);
    const AppPaths::Layout layout = AppPaths::layoutFor(resolved(root.path(), executableDirectory));
    QCOMPARE(layout.dataFiles, resolved(root.path(), dataFiles));
    QCOMPARE(layout.helpers, resolved(root.path(), helpers));
}

void TestAppPaths::noteDataDirectory_data()
{
    QTest::addColumn<QStringList>("folders");
    QTest::addColumn<QString>("fileInTheWay"); // a plain file made at this path
    QTest::addColumn<QString>("executableDirectory");
    QTest::addColumn<bool>("besideExecutable");

    QTest::newRow("writable folder, no data yet") << QStringList{"app"} << ""
                                                  << "app" << true;
    QTest::newRow("existing data beside") << QStringList{"app/.NotarellaData"} << ""
                                          << "app" << true;
    QTest::newRow("folder that does not exist") << QStringList{} << ""
                                                << "gone/bin" << false;
    // Installed, a bin folder the user may write into (root in /usr/bin, an
    // installation in ~/.local) still gets no notes.
    QTest::newRow("installed, writable bin folder")
        << QStringList{"bin", "share/notarella/icons"} << ""
        << "bin" << false;
    QTest::newRow("installed, data beside from before")
        << QStringList{"bin/.NotarellaData", "share/notarella/icons"} << ""
        << "bin" << true;
    QTest::newRow("application folder beside an installed one")
        << QStringList{"bin/icons", "share/notarella/icons"} << ""
        << "bin" << true;
    // The program reports the file as it always has, rather than quietly
    // keeping the notes somewhere else.
    QTest::newRow("a file where the data folder goes") << QStringList{"app"} << "app/.NotarellaData"
                                                       << "app" << true;
}

void TestAppPaths::noteDataDirectory()
{
    QFETCH(QStringList, folders);
    QFETCH(QString, fileInTheWay);
    QFETCH(QString, executableDirectory);
    QFETCH(bool, besideExecutable);

    QTemporaryDir root;
    QVERIFY(root.isValid());
    makeFolders(root.path(), folders);
    if (!fileInTheWay.isEmpty()) {
        QFile file(resolved(root.path(), fileInTheWay));
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    const QString executable = resolved(root.path(), executableDirectory);
    const QString userData = root.filePath(QStringLiteral("xdg data"));
    const QString chosen = AppPaths::noteDataDirectoryFor(executable, userData);
    QCOMPARE(chosen, besideExecutable ? executable + QStringLiteral("/.NotarellaData/")
                                      : userData + QStringLiteral("/Notarella/"));
}

QTEST_GUILESS_MAIN(TestAppPaths)
#include "tst_apppaths.moc"
