// The control panel's export and import commands on a running main window:
// the menu, the files written, the notes added with new ids and saved.

#include "app/mainwindow.h"
#include "base/apppaths.h"
#include "exchange/noteexchangecommands.h"
#include "exchange/noteexport.h"
#include "mainwindowtestaccess.h"
#include "notes/stickywidget.h"
#include "platform/nativesettings.h"
#include "sqlrows.h"
#include "store/notedatabase.h"
#include "widgets/standarddialogs.h"
#include "widgets/trayicon.h"
#include "widgets/userprompt.h"

#include <QAction>
#include <QMenuBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>

#include <memory>

namespace {

QStringList titles(const QList<UserPrompt::Record> &records)
{
    QStringList result;
    for (const UserPrompt::Record &record : records)
        result << record.title;
    return result;
}

QList<int> ids()
{
    QList<int> result;
    for (const StickyWidget *sticky : std::as_const(stickyList))
        result << sticky->stickyID();
    return result;
}

} // namespace

class TestExchangeCommands : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        TrayIcon::setTrayAvailableForTesting(true);
        QCoreApplication::setOrganizationName(QString::fromLatin1(NativeSettings::kOrganization));
        QCoreApplication::setApplicationName(QString::fromLatin1(NativeSettings::kApplication));
        qputenv("USERNAME", "tester");
        StandardDialogs::setAnswerOnlyFromQueue(true);
    }

    void init()
    {
        NativeSettings::remove(QString());
        m_folder = std::make_unique<QTemporaryDir>();
        AppPaths::setApplicationDirectoryForTesting(m_folder->path());
        m_window = std::make_unique<MainWindow>();
        QVERIFY(!m_window->startupFailed());
        m_commands = m_window->findChild<NoteExchangeCommands *>();
        QVERIFY(m_commands);
        UserPrompt::takeHistory();
        StandardDialogs::takeHistory();
    }

    void cleanup()
    {
        m_window.reset();
        m_folder.reset();
        StandardDialogs::clearAnswers();
    }

    void commandsSitInTheNotesMenu()
    {
        QMenu *menu = m_window->menuBar()->findChild<QMenu *>(QStringLiteral("notesMenu"));
        QVERIFY(menu);
        QCOMPARE(m_window->notesMenu(), menu);
        QCOMPARE(menu->title(), QStringLiteral("&Notes"));
        // The menu is shared with the backup commands, which come after.
        const QList<QAction *> actions = menu->actions().mid(0, 3);
        QCOMPARE(actions.size(), 3);
        QCOMPARE(actions.at(0), m_commands->exportAction());
        QCOMPARE(actions.at(1), m_commands->importFolderAction());
        QCOMPARE(actions.at(2), m_commands->importFileAction());
        for (QAction *action : actions)
            QVERIFY(!action->text().isEmpty());
    }

    void exportWritesEveryNote()
    {
        MainWindowTestAccess::createSticky(*m_window, QStringLiteral("#FFC0CB"),
                                           QStringLiteral("Pink"));
        const QString folder = m_folder->filePath(QStringLiteral("out"));
        StandardDialogs::queueDirectory(folder);
        m_commands->exportAction()->trigger();
        QCOMPARE(titles(UserPrompt::takeHistory()), QStringList{"Notes Exported"});
        const QDir dir(folder);
        QCOMPARE(dir.entryList({QStringLiteral("note-*.html")}, QDir::Files),
                 (QStringList{"note-1.html", "note-2.html"}));
        QVERIFY(dir.exists(QStringLiteral("index.html")));
    }

    void exportTakesTheGivenNotes()
    {
        NoteRecord only = m_window->noteRecords().first();
        only.id = 99;
        m_commands->setExportSource([only] { return QList<NoteRecord>{only}; });
        const QString folder = m_folder->filePath(QStringLiteral("out"));
        StandardDialogs::queueDirectory(folder);
        m_commands->exportAction()->trigger();
        QCOMPARE(QDir(folder).entryList({QStringLiteral("note-*")}, QDir::Files),
                 (QStringList{"note-99.html", "note-99.md"}));
    }

    void cancelledChoosersChangeNothing_data()
    {
        QTest::addColumn<int>("command");
        QTest::newRow("export") << 0;
        QTest::newRow("import folder") << 1;
        QTest::newRow("import file") << 2;
    }

    void cancelledChoosersChangeNothing()
    {
        QFETCH(int, command);
        QAction *actions[] = {m_commands->exportAction(), m_commands->importFolderAction(),
                              m_commands->importFileAction()};
        actions[command]->trigger(); // nothing queued: the chooser is cancelled
        QCOMPARE(StandardDialogs::takeHistory().size(), 1);
        QCOMPARE(ids(), QList<int>{1});
        QVERIFY(UserPrompt::takeHistory().isEmpty());
    }

    void importFromFolderAddsNotesWithNewIds()
    {
        // An export of notes 1 and 5, read back into a window holding notes 1 to 3.
        QList<NoteRecord> exported = m_window->noteRecords();
        exported.append(exported.first());
        exported[1].id = 5;
        exported[1].visible = false;
        exported[1].message = QStringLiteral("<p>second</p>");
        exported[1].colorName = QStringLiteral("Hidden one");
        const QString folder = m_folder->filePath(QStringLiteral("exported"));
        QVERIFY(NoteExport::exportNotes(exported, folder).ok);
        for (int i = 0; i < 2; ++i)
            MainWindowTestAccess::createSticky(*m_window, QStringLiteral("#FFC0CB"),
                                               QStringLiteral("Pink"));

        StandardDialogs::queueDirectory(folder);
        m_commands->importFolderAction()->trigger();
        QCOMPARE(titles(UserPrompt::takeHistory()), QStringList{"Notes Imported"});
        QCOMPARE(ids(), (QList<int>{1, 2, 3, 4, 5}));
        QVERIFY(stickyList.at(3)->isVisible());
        QVERIFY(!stickyList.at(4)->isVisible());
        QCOMPARE(stickyList.at(4)->colorName(), QStringLiteral("Hidden one"));
        QCOMPARE(stickyList.at(3)->message(), stickyList.at(0)->message());

        // Saved at once, the note there before untouched.
        const QList<QVariantList> rows =
            queryRows(MainWindowTestAccess::database(*m_window),
                      QStringLiteral("SELECT id, colorName, visible FROM stickies ORDER BY id"));
        QCOMPARE(rows.size(), 5);
        QCOMPARE(rows.at(0).at(1).toString(), QStringLiteral("Yellow"));
        QCOMPARE(rows.at(4), (QVariantList{5, QStringLiteral("Hidden one"), QStringLiteral("NO")}));
    }

    void importFromNoteFile()
    {
        NoteRecord other = m_window->noteRecords().first();
        other.id = 1; // the same id as the note already here
        other.colorName = QStringLiteral("Theirs");
        const QString file = m_folder->filePath(QStringLiteral("someone-else"));
        QString error;
        QVERIFY2(NoteDatabase::writeCopy(file, {other, other}, &error), qPrintable(error));
        StandardDialogs::queueOpenFileName(file);
        m_commands->importFileAction()->trigger();
        QCOMPARE(ids(), (QList<int>{1, 2, 3}));
        QCOMPARE(stickyList.at(0)->colorName(), QStringLiteral("Yellow"));
        QCOMPARE(stickyList.at(1)->colorName(), QStringLiteral("Theirs"));
        QCOMPARE(queryRows(MainWindowTestAccess::database(*m_window),
                           QStringLiteral("SELECT COUNT(*) FROM stickies"))
                     .first()
                     .first()
                     .toInt(),
                 3);
    }

    void unreadableSourcesAreReported_data()
    {
        QTest::addColumn<bool>("fromFolder");
        QTest::newRow("folder without notes") << true;
        QTest::newRow("file that is no note file") << false;
    }

    void unreadableSourcesAreReported()
    {
        QFETCH(bool, fromFolder);
        const QString file = m_folder->filePath(QStringLiteral("plain.txt"));
        QFile text(file);
        QVERIFY(text.open(QIODevice::WriteOnly));
        text.write("not notes");
        text.close();
        if (fromFolder) {
            StandardDialogs::queueDirectory(m_folder->path());
            m_commands->importFolderAction()->trigger();
        } else {
            StandardDialogs::queueOpenFileName(file);
            m_commands->importFileAction()->trigger();
        }
        const QList<UserPrompt::Record> prompts = UserPrompt::takeHistory();
        QCOMPARE(titles(prompts), QStringList{"Notes Not Imported"});
        QVERIFY(prompts.first().text.contains(fromFolder ? m_folder->path() : file));
        QCOMPARE(ids(), QList<int>{1});
    }

private:
    std::unique_ptr<QTemporaryDir> m_folder;
    std::unique_ptr<MainWindow> m_window;
    NoteExchangeCommands *m_commands = nullptr;
};

QTEST_MAIN(TestExchangeCommands)
#include "tst_exchangecommands.moc"
