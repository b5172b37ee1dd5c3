// The control panel's export and import commands on a running main window:
// the menu, the files written, the notes added with new ids and saved.

#include "app/mainwindow.h"
#include "app/noteexchangecommands.h"
#include "base/apppaths.h"
#include "exchange/noteexport.h"
#include "mainwindowtestaccess.h"
#include "notes/stickywidget.h"
#include "platform/nativesettings.h"
#include "sqlrows.h"
#include "store/notedatabase.h"
#include "ui/standarddialogs.h"
#include "ui/userprompt.h"
#include "widgets/trayicon.h"

#include <QAction>
#include <QImage>
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

    // An export refused because of what stands in the folder says what is in
    // the way and that the folder was not changed; the earlier export and
    // the file a planted link points at stay as they were.
    void refusedExportSaysWhy()
    {
        const QString folder = m_folder->filePath(QStringLiteral("out"));
        StandardDialogs::queueDirectory(folder);
        m_commands->exportAction()->trigger();
        UserPrompt::takeHistory();
        QFile outside(m_folder->filePath(QStringLiteral("profile")));
        QVERIFY(outside.open(QIODevice::WriteOnly));
        outside.write("mine");
        outside.close();
        QVERIFY(QFile::remove(folder + QStringLiteral("/index.html")));
        QVERIFY(QFile::link(outside.fileName(), folder + QStringLiteral("/index.html")));
        QFile page(folder + QStringLiteral("/note-1.html"));
        QVERIFY(page.open(QIODevice::ReadOnly));
        const QByteArray earlier = page.readAll();
        page.close();

        MainWindowTestAccess::createSticky(*m_window, QStringLiteral("#FFC0CB"),
                                           QStringLiteral("Pink"));
        StandardDialogs::queueDirectory(folder);
        m_commands->exportAction()->trigger();
        const QList<UserPrompt::Record> shown = UserPrompt::takeHistory();
        QCOMPARE(titles(shown), QStringList{"Notes Not Exported"});
        QVERIFY2(shown.first().text.contains(QStringLiteral("index.html")),
                 qPrintable(shown.first().text));
        QVERIFY2(shown.first().text.contains(QStringLiteral("The folder was not changed")),
                 qPrintable(shown.first().text));
        QVERIFY(outside.open(QIODevice::ReadOnly));
        QCOMPARE(outside.readAll(), QByteArray("mine"));
        QVERIFY(page.open(QIODevice::ReadOnly));
        QCOMPARE(page.readAll(), earlier);
        QVERIFY(!QFileInfo::exists(folder + QStringLiteral("/note-2.html")));
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
        // Note 1 of the export was made a minute before the one here, so
        // it is not the same note.
        QList<NoteRecord> exported = m_window->noteRecords();
        exported.first().creationDate = exported.first().creationDate.addSecs(-60);
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
        const QList<UserPrompt::Record> prompts = UserPrompt::takeHistory();
        QCOMPARE(titles(prompts), QStringList{"Notes Imported"});
        QCOMPARE(prompts.first().text, QStringLiteral("<p>2 added, 0 already present.</p>"));
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
        other.creationDate = other.creationDate.addDays(1);
        NoteRecord another = other;
        another.message = QStringLiteral("<p>another</p>");
        const QString file = m_folder->filePath(QStringLiteral("someone-else"));
        QString error;
        QVERIFY2(NoteDatabase::writeCopy(file, {other, another}, &error), qPrintable(error));
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

    void importingAgainAddsNothing_data()
    {
        QTest::addColumn<bool>("fromFolder");
        QTest::newRow("exported folder") << true;
        QTest::newRow("note file") << false;
    }

    void importingAgainAddsNothing()
    {
        QFETCH(bool, fromFolder);
        // Notes made now (creation dates with milliseconds), one with a picture
        // that the folder import copies elsewhere, one loaded from the file.
        const QString picture = m_folder->filePath(QStringLiteral("photo.png"));
        QImage image(4, 4, QImage::Format_RGB32);
        image.fill(Qt::red);
        QVERIFY(image.save(picture));
        MainWindowTestAccess::createSticky(*m_window, QStringLiteral("#FFC0CB"),
                                           QStringLiteral("Pink"));
        stickyList.last()->textBrowser()->setHtml(
            QStringLiteral("<p>Look <img src=\"%1\" /> &lt;here&gt; &amp; there</p>").arg(picture));
        MainWindowTestAccess::createSticky(*m_window, QStringLiteral("#FFC0CB"),
                                           QStringLiteral("Pink"));
        stickyList.last()->textBrowser()->setPlainText(QStringLiteral("second\n\n  line"));
        const QList<int> before = ids();
        const int count = int(before.size());

        const auto import = [&](const QString &source) {
            if (fromFolder) {
                StandardDialogs::queueDirectory(source);
                m_commands->importFolderAction()->trigger();
            } else {
                StandardDialogs::queueOpenFileName(source);
                m_commands->importFileAction()->trigger();
            }
            return UserPrompt::takeHistory();
        };
        const auto writeSource = [&](const QString &name, const QList<NoteRecord> &records) {
            const QString source = m_folder->filePath(name);
            QString error;
            if (fromFolder)
                QVERIFY(NoteExport::exportNotes(records, source).ok);
            else
                QVERIFY2(NoteDatabase::writeCopy(source, records, &error), qPrintable(error));
        };

        // One's own notes are all there already.
        writeSource(QStringLiteral("mine"), m_window->noteRecords());
        QList<UserPrompt::Record> prompts = import(m_folder->filePath(QStringLiteral("mine")));
        QCOMPARE(titles(prompts), QStringList{"Notes Imported"});
        QCOMPARE(prompts.first().text,
                 QStringLiteral("<p>0 added, %1 already present.</p>").arg(count));
        QCOMPARE(ids(), before);

        // Someone else's notes come once.
        QList<NoteRecord> theirs = m_window->noteRecords();
        for (NoteRecord &record : theirs)
            record.creationDate = record.creationDate.addSecs(-3600);
        writeSource(QStringLiteral("theirs"), theirs);
        prompts = import(m_folder->filePath(QStringLiteral("theirs")));
        QCOMPARE(prompts.first().text,
                 QStringLiteral("<p>%1 added, 0 already present.</p>").arg(count));
        QCOMPARE(ids().size(), 2 * count);
        prompts = import(m_folder->filePath(QStringLiteral("theirs")));
        QCOMPARE(prompts.first().text,
                 QStringLiteral("<p>0 added, %1 already present.</p>").arg(count));
        QCOMPARE(ids().size(), 2 * count);
        const QList<QVariantList> rows = queryRows(MainWindowTestAccess::database(*m_window),
                                                   QStringLiteral("SELECT COUNT(*) FROM stickies"));
        QCOMPARE(rows.first().first().toInt(), 2 * count);
    }

    void importedNotesMoveOffTakenCorners()
    {
        StickyWidget *here = stickyList.first();
        here->move(200, 200);
        NoteRecord theirs = m_window->noteRecords().first();
        theirs.creationDate = theirs.creationDate.addDays(-1);
        NoteRecord second = theirs;
        second.message = QStringLiteral("<p>second</p>");
        NoteRecord elsewhere = second;
        elsewhere.message = QStringLiteral("<p>elsewhere</p>");
        elsewhere.x = 10;
        elsewhere.y = 30;
        const QString file = m_folder->filePath(QStringLiteral("theirs"));
        QString error;
        QVERIFY2(NoteDatabase::writeCopy(file, {theirs, second, elsewhere}, &error),
                 qPrintable(error));
        StandardDialogs::queueOpenFileName(file);
        m_commands->importFileAction()->trigger();
        QCOMPARE(ids(), (QList<int>{1, 2, 3, 4}));
        QCOMPARE(stickyList.at(0)->pos(), QPoint(200, 200));
        QCOMPARE(stickyList.at(1)->pos(), QPoint(220, 220));
        QCOMPARE(stickyList.at(2)->pos(), QPoint(240, 240));
        QCOMPARE(stickyList.at(3)->pos(), QPoint(10, 30));
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
