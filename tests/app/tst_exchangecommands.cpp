// The control panel's export and import commands on a running main window:
// the menu, the files written, the notes added with new ids and saved.

#include "app/mainwindow.h"
#include "app/noteexchangecommands.h"
#include "base/apppaths.h"
#include "exchange/exchangeprogressdialog.h"
#include "exchange/noteexport.h"
#include "mainwindowtestaccess.h"
#include "notes/stickywidget.h"
#include "platform/nativesettings.h"
#include "sqlrows.h"
#include "store/notedatabase.h"
#include "store/picturestore.h"
#include "ui/standarddialogs.h"
#include "ui/userprompt.h"
#include "widgets/trayicon.h"

#include <QAction>
#include <QBuffer>
#include <QImage>
#include <QMenuBar>
#include <QProgressDialog>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>

#include <atomic>
#include <chrono>
#include <fcntl.h>
#include <memory>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <thread>
#include <unistd.h>

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

QStringList imageSources(const QString &html)
{
    static const QRegularExpression source(QStringLiteral("<img[^>]* src=\"([^\"]*)\""));
    QStringList sources;
    for (auto it = source.globalMatch(html); it.hasNext();)
        sources << it.next().captured(1);
    return sources;
}

// A small picture, then `size` bytes in all (its reader stops at its end).
QByteArray pictureOfSize(qint64 size, const QByteArray &tail = {})
{
    QImage image(4, 4, QImage::Format_RGB32);
    image.fill(Qt::red);
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    QByteArray bytes = buffer.data() + tail;
    if (size > bytes.size())
        bytes.append(QByteArray(size - bytes.size(), '\0'));
    return bytes;
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// Opens a FIFO for writing, once the import is over or after a while, and
// tells whether someone was waiting to read it: only then does the open
// succeed. A reader blocked on it is set free, so the test ends.
class FifoWatch
{
public:
    explicit FifoWatch(const QString &fifo)
        : m_thread([this, path = QFile::encodeName(fifo)] {
              for (int i = 0; i < 200 && !m_over; ++i)
                  std::this_thread::sleep_for(std::chrono::milliseconds(50));
              const int fd = ::open(path.constData(), O_WRONLY | O_NONBLOCK);
              m_readerWaited = fd >= 0;
              if (fd >= 0)
                  ::close(fd);
          })
    {
    }
    bool readerWaited()
    {
        m_over = true;
        m_thread.join();
        return m_readerWaited;
    }

private:
    std::atomic<bool> m_over = false;
    bool m_readerWaited = false;
    std::thread m_thread;
};

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
        // A read without a bound (a device, a sparse file of gigabytes) fails
        // here at once instead of taking the machine's memory. Under
        // AddressSanitizer, whose shadow memory takes terabytes of address
        // space, its own limit (hard_rss_limit_mb) stands in.
#ifndef __SANITIZE_ADDRESS__
        const rlimit memory = {rlim_t(2) << 30, rlim_t(2) << 30};
        QCOMPARE(::setrlimit(RLIMIT_AS, &memory), 0);
#endif
    }

    void init()
    {
        NativeSettings::remove(QString());
        PictureStore::instance().clear();
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
        // kept in the note file, one loaded from the file.
        QImage image(4, 4, QImage::Format_RGB32);
        image.fill(Qt::red);
        QByteArray png;
        QBuffer buffer(&png);
        QVERIFY(buffer.open(QIODevice::WriteOnly) && image.save(&buffer, "PNG"));
        const QString picture = PictureStore::imageSource(PictureStore::instance().add(png));
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

    // What another person can put into a folder to import: only pictures of
    // the folder itself are taken, only note pages that are regular files
    // are read; nothing else is read or kept, and the import ends.
    void hostileFoldersAreReadSafely_data()
    {
        QTest::addColumn<QString>("attack");
        QTest::addColumn<int>("notesAdded");
        QTest::addColumn<bool>("pictureTaken");
        QTest::newRow("linked picture") << "link" << 2 << false;
        QTest::newRow("linked folder") << "home" << 2 << false;
        QTest::newRow("absolute path") << "absolute" << 2 << false;
        QTest::newRow("file address") << "address" << 2 << false;
        QTest::newRow("climb out") << "climb" << 2 << false;
        QTest::newRow("not a picture") << "text" << 2 << false;
        QTest::newRow("picture of 20 MB") << "20 MB" << 2 << true;
        QTest::newRow("picture above 20 MB") << "20 MB + 1" << 2 << false;
        QTest::newRow("sparse picture of 3 GB") << "3 GB" << 2 << false;
        QTest::newRow("page that is a FIFO") << "fifo" << 1 << false;
        QTest::newRow("page linked to /dev/zero") << "zero" << 1 << false;
        QTest::newRow("page that is a device") << "device" << 1 << false;
    }

    void hostileFoldersAreReadSafely()
    {
        QFETCH(QString, attack);
        QFETCH(int, notesAdded);
        QFETCH(bool, pictureTaken);
        const QByteArray secretBytes = pictureOfSize(0, "SECRET-TEXT");
        const QString secret = QDir::homePath() + QStringLiteral("/secret.png");
        QVERIFY(writeFile(secret, secretBytes));
        const QString folder = m_folder->filePath(QStringLiteral("shared"));
        const QString images = folder + QStringLiteral("/images");
        const QMap<QString, QString> sources = {
            {"link", "images/link.png"},
            {"home", "home/secret.png"},
            {"absolute", secret},
            {"address", QUrl::fromLocalFile(secret).toString()},
            {"climb", "images/../../../" + QDir(folder).relativeFilePath(secret)},
            {"text", "images/notes.png"},
            {"20 MB", "images/big.png"},
            {"20 MB + 1", "images/big.png"},
            {"3 GB", "images/big.png"}};
        QList<NoteRecord> notes = m_window->noteRecords();
        notes.first().creationDate = notes.first().creationDate.addDays(-1);
        notes.first().message = QStringLiteral("<p>%1</p>MARK").arg(attack);
        notes.append(notes.first());
        notes.last().id = 2;
        notes.last().message = QStringLiteral("<p>second</p>");
        QVERIFY(NoteExport::exportNotes(notes, folder).ok);
        // The reference as someone wrote it into the page.
        const QString page1 = folder + QStringLiteral("/note-1.html");
        QFile page(page1);
        QVERIFY(page.open(QIODevice::ReadOnly));
        QString html = QString::fromUtf8(page.readAll());
        page.close();
        html.replace(QStringLiteral("MARK"),
                     sources.contains(attack)
                         ? QStringLiteral("<img src=\"%1\">").arg(sources.value(attack))
                         : QString());
        QVERIFY(writeFile(page1, html.toUtf8()));
        QVERIFY(QDir().mkpath(images));
        const qint64 big = attack == "3 GB"    ? qint64(3) << 30
                           : attack == "20 MB" ? 20 * 1024 * 1024
                                               : 20 * 1024 * 1024 + 1;
        const QString page2 = folder + QStringLiteral("/note-2.html");
        if (attack == "link")
            QVERIFY(QFile::link(secret, images + QStringLiteral("/link.png")));
        else if (attack == "home")
            QVERIFY(QFile::link(QDir::homePath(), folder + QStringLiteral("/home")));
        else if (attack == "text")
            QVERIFY(writeFile(images + QStringLiteral("/notes.png"), "my notes"));
        else if (attack.endsWith(QLatin1String("B"))) {
            QVERIFY(writeFile(images + QStringLiteral("/big.png"), pictureOfSize(0)));
            QVERIFY(QFile(images + QStringLiteral("/big.png")).resize(big));
        } else if (attack == "fifo") {
            QVERIFY(QFile::remove(page2));
            QCOMPARE(::mkfifo(QFile::encodeName(page2).constData(), 0600), 0);
        } else if (attack == "zero") {
            QVERIFY(QFile::remove(page2));
            QVERIFY(QFile::link(QStringLiteral("/dev/zero"), page2));
        } else if (attack == "device") {
            QVERIFY(QFile::remove(page2));
            // The same device as /dev/zero; making one needs root.
            if (::mknod(QFile::encodeName(page2).constData(), S_IFCHR | 0600, makedev(1, 5)) != 0)
                QSKIP("making a device needs root");
        }
        const int before = int(ids().size());

        std::unique_ptr<FifoWatch> watch;
        if (attack == "fifo")
            watch = std::make_unique<FifoWatch>(page2);
        StandardDialogs::queueDirectory(folder);
        m_commands->importFolderAction()->trigger();
        if (watch)
            QVERIFY2(!watch->readerWaited(), "the import waited on a FIFO");

        QCOMPARE(titles(UserPrompt::takeHistory()), QStringList{"Notes Imported"});
        QCOMPARE(ids().size(), before + notesAdded);
        QStringList shown;
        for (const StickyWidget *sticky : stickyList.mid(before))
            shown += imageSources(sticky->message());
        QCOMPARE(shown.size(), sources.contains(attack) ? 1 : 0);
        for (const QString &source : std::as_const(shown)) {
            // Never a file: a stored picture, or one that shows a placeholder.
            QVERIFY2(source.startsWith(QLatin1String("notarella-image:")), qPrintable(source));
            const QString hash = PictureStore::hashOfSource(source);
            QCOMPARE(!hash.isEmpty(), pictureTaken);
            if (pictureTaken)
                QCOMPARE(hash, PictureStore::hashOf(pictureOfSize(big)));
        }
        QVERIFY(!PictureStore::instance().contains(PictureStore::hashOf(secretBytes)));
        QVERIFY(!PictureStore::instance().contains(PictureStore::hashOf("my notes")));
        QVERIFY(!QFileInfo::exists(m_window->dataDirectory() + QStringLiteral("/images")));
    }

    // A note file made to hold the reading up forever is read to its end or
    // refused with its reason.
    void endlessNoteFilesEnd_data()
    {
        QTest::addColumn<QString>("view");
        QTest::addColumn<bool>("read");
        QTest::newRow("notes") << "stickies" << false;
        QTest::newRow("pictures") << "pictures" << true;
    }

    void endlessNoteFilesEnd()
    {
        QFETCH(QString, view);
        QFETCH(bool, read);
        NoteRecord theirs = m_window->noteRecords().first();
        theirs.creationDate = theirs.creationDate.addDays(-1);
        const QString hash = PictureStore::hashOf("nowhere");
        theirs.message = QStringLiteral("<img src=\"%1\">").arg(PictureStore::imageSource(hash));
        const QString file = m_folder->filePath(QStringLiteral("theirs"));
        QString error;
        QVERIFY2(NoteDatabase::writeCopy(file, {theirs}, &error), qPrintable(error));
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), "maker");
            db.setDatabaseName(file);
            QVERIFY(db.open());
            QSqlQuery query(db);
            QVERIFY(query.exec(QStringLiteral("DROP TABLE IF EXISTS %1").arg(view)));
            QVERIFY(query.exec(
                QStringLiteral("CREATE VIEW %1 AS WITH RECURSIVE n(x) AS (SELECT 1 UNION ALL "
                               "SELECT x + 1 FROM n) SELECT '%2' AS hash, x AS data, %3 FROM n "
                               "WHERE x < 0")
                    .arg(view, hash,
                         "x AS id, 'YES' AS visible, '' AS colorRGB, '' AS colorName, 0 AS "
                         "creationDate, 0 AS originalReminderDate, 0 AS reminderDate, '' AS "
                         "periodicMask, 'NO' AS locked, 'NO' AS alwaysontop, '' AS message, 0 "
                         "AS xPos, 0 AS yPos, 9 AS width, 9 AS height, 'YES' AS taskbarentry")));
            db.close();
        }
        QSqlDatabase::removeDatabase(QStringLiteral("maker"));
        StandardDialogs::queueOpenFileName(file);
        m_commands->importFileAction()->trigger();
        const QList<UserPrompt::Record> prompts = UserPrompt::takeHistory();
        QCOMPARE(titles(prompts), QStringList{read ? "Notes Imported" : "Notes Not Imported"});
        QCOMPARE(ids().size(), read ? 2 : 1);
        if (!read)
            QVERIFY2(prompts.first().text.contains(QStringLiteral("view")),
                     qPrintable(prompts.first().text));
    }

    // Work run from the progress window runs on a thread of its own: the
    // program handles its events meanwhile, and Cancel tells the work to stop.
    void cancelReachesWorkOnAnotherThread()
    {
        std::atomic<bool> running = false;
        bool cancelledWhileRunning = false;
        bool toldToStop = false;
        QTimer poll;
        connect(&poll, &QTimer::timeout, this, [&] {
            auto *dialog = m_window->findChild<QProgressDialog *>();
            if (dialog && running) {
                dialog->cancel();
                cancelledWhileRunning = true;
                poll.stop();
            }
        });
        poll.start(10);
        {
            ExchangeProgressDialog progress(m_window.get(), QStringLiteral("Import Notes"),
                                            QStringLiteral("Reading notes…"));
            progress.run([&](const ExchangeProgress &report) {
                running = true;
                // Gives up after a while, so that a fault cannot hang the test.
                for (int i = 0; i < 3000 && !toldToStop; ++i) {
                    toldToStop = !report(i, 3000);
                    std::this_thread::sleep_for(std::chrono::milliseconds(5));
                }
                running = false;
            });
        }
        QVERIFY(cancelledWhileRunning);
        QVERIFY(toldToStop);
        QVERIFY(!running);
    }

private:
    std::unique_ptr<QTemporaryDir> m_folder;
    std::unique_ptr<MainWindow> m_window;
    NoteExchangeCommands *m_commands = nullptr;
};

QTEST_MAIN(TestExchangeCommands)
#include "tst_exchangecommands.moc"
