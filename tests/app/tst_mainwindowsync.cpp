// The main window and a sync folder: a note changed on another computer (its
// file written anew in the folder) shows the change here, and a change made
// here reaches the folder.

#include "../support/mainwindowtestaccess.h"
#include "app/mainwindow.h"
#include "base/apppaths.h"
#include "notes/stickylist.h"
#include "notes/stickywidget.h"
#include "platform/nativesettings.h"
#include "sync/syncnotefile.h"
#include "sync/syncservice.h"
#include "widgets/trayicon.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QUuid>

#include <cstdio>
#include <memory>

namespace {

enum class Change
{
    // Another computer made a change and took it back.
    Nothing,
    Text,
    Colour,
    Lock,
    Reminder,
    Hidden,
    Place,
    Deleted
};

const QString kElsewhere = QStringLiteral("aaaaaaaa-0000-4000-8000-000000000000");

} // namespace

class TestMainWindowSync : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void changeMadeElsewhereShowsHere_data();
    void changeMadeElsewhereShowsHere();
    void changeMadeHereReachesTheFolder();
    void restoreAndImportReachTheFolderAtOnce();

private:
    // The note file of the only note, as the folder holds it.
    QString noteFile() const
    {
        const QStringList files =
            QDir(m_sync->path()).entryList({QStringLiteral("*.note")}, QDir::Files);
        return files.size() == 1 ? m_sync->filePath(files.first()) : QString();
    }
    SyncNote noteInFolder() const
    {
        QFile file(noteFile());
        if (!file.open(QIODevice::ReadOnly))
            return {};
        return SyncNoteFile::decode(file.readAll()).note.value_or(SyncNote());
    }
    // The notes the folder holds that are not deleted.
    int liveNotesInFolder() const
    {
        int live = 0;
        const QDir folder(m_sync->path());
        for (const QString &name : folder.entryList({QStringLiteral("*.note")}, QDir::Files)) {
            QFile file(folder.filePath(name));
            if (file.open(QIODevice::ReadOnly)) {
                const auto note = SyncNoteFile::decode(file.readAll()).note;
                live += note && !note->isDeleted();
            }
        }
        return live;
    }
    // A whole look of its own, after the one that may be running.
    void lookAtFolder()
    {
        for (int look = 0; look < 2; ++look) {
            QSignalSpy finished(m_window->syncService(), &SyncService::cycleFinished);
            m_window->syncService()->syncNow();
            QVERIFY(finished.wait(10000));
        }
    }

    std::unique_ptr<QTemporaryDir> m_folder;
    std::unique_ptr<QTemporaryDir> m_sync;
    std::unique_ptr<MainWindow> m_window;
    StickyWidget *m_note = nullptr;
};

void TestMainWindowSync::initTestCase()
{
    TrayIcon::setTrayAvailableForTesting(true);
    QCoreApplication::setOrganizationName(QString::fromLatin1(NativeSettings::kOrganization));
    QCoreApplication::setApplicationName(QString::fromLatin1(NativeSettings::kApplication));
    qputenv("USERNAME", "syncer");
}

void TestMainWindowSync::init()
{
    NativeSettings::remove(QString());
    m_folder = std::make_unique<QTemporaryDir>();
    m_sync = std::make_unique<QTemporaryDir>();
    AppPaths::setApplicationDirectoryForTesting(m_folder->path());
    m_window = std::make_unique<MainWindow>();
    m_window->setSyncFolder(m_sync->path());
    // The untouched welcome note stays here; a note made here goes out.
    lookAtFolder();
    QCOMPARE(QDir(m_sync->path()).entryList({QStringLiteral("*.note")}, QDir::Files).size(), 0);
    QCOMPARE(stickyList.size(), 1);
    MainWindowTestAccess::createSticky(*m_window, QStringLiteral("#FFFF99"),
                                       QStringLiteral("Yellow"));
    QTRY_VERIFY_WITH_TIMEOUT(!noteFile().isEmpty(), 10000);
    m_note = stickyList.last();
}

void TestMainWindowSync::cleanup()
{
    m_window.reset();
    m_sync.reset();
    m_folder.reset();
}

void TestMainWindowSync::changeMadeElsewhereShowsHere_data()
{
    QTest::addColumn<Change>("change");
    QTest::newRow("nothing, in a new version") << Change::Nothing;
    QTest::newRow("text") << Change::Text;
    QTest::newRow("colour") << Change::Colour;
    QTest::newRow("lock") << Change::Lock;
    QTest::newRow("reminder") << Change::Reminder;
    QTest::newRow("hidden") << Change::Hidden;
    QTest::newRow("place") << Change::Place;
    QTest::newRow("deleted") << Change::Deleted;
}

void TestMainWindowSync::changeMadeElsewhereShowsHere()
{
    QFETCH(Change, change);
    StickyWidget *sticky = m_note;
    sticky->show();
    lookAtFolder();
    SyncNote note = noteInFolder();
    QVERIFY(!note.uuid.isEmpty());
    note.version = note.version.changedBy(kElsewhere, note.version.highestCounter() + 1);
    note.machine = QStringLiteral("office");
    const QDateTime reminder = QDateTime::currentDateTime().addDays(2);
    switch (change) {
    case Change::Nothing:
        break;
    case Change::Text:
        note.record.message = QStringLiteral("<p>changed elsewhere</p>");
        break;
    case Change::Colour:
        note.record.colorRGB = QStringLiteral("#99CCFF");
        break;
    case Change::Lock:
        note.record.locked = true;
        break;
    case Change::Reminder:
        note.record.reminderDate = note.record.originalReminderDate =
            QDateTime::fromSecsSinceEpoch(reminder.toSecsSinceEpoch());
        break;
    case Change::Hidden:
        note.record.visible = false;
        break;
    case Change::Place:
        note.record.x = 123;
        note.record.y = 87;
        break;
    case Change::Deleted:
        note.deleted = QDateTime::currentDateTimeUtc();
        note.record = NoteRecord();
        break;
    }
    // As an engine delivers it: written aside, then renamed over the old.
    const QString target = noteFile();
    QFile file(target + QStringLiteral(".arriving"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(SyncNoteFile::encode(note));
    file.close();
    QCOMPARE(std::rename(QFile::encodeName(file.fileName()).constData(),
                         QFile::encodeName(target).constData()),
             0);

    switch (change) {
    case Change::Nothing:
        lookAtFolder();
        break;
    case Change::Text:
        QTRY_VERIFY(sticky->message().contains(QLatin1String("changed elsewhere")));
        QCOMPARE(sticky->windowTitle(), sticky->summaryText());
        break;
    case Change::Colour:
        QTRY_COMPARE(sticky->colorRGB(), QStringLiteral("#99CCFF"));
        break;
    case Change::Lock:
        QTRY_VERIFY(sticky->isLocked());
        QVERIFY(sticky->textBrowser()->isReadOnly());
        break;
    case Change::Reminder:
        QTRY_COMPARE(sticky->reminderDate().toSecsSinceEpoch(), reminder.toSecsSinceEpoch());
        break;
    case Change::Hidden:
        QTRY_VERIFY(!sticky->isVisible());
        break;
    case Change::Place:
        QTRY_COMPARE(sticky->pos(), QPoint(123, 87));
        break;
    case Change::Deleted:
        QTRY_COMPARE(stickyList.size(), 1);
        QCOMPARE(MainWindowTestAccess::trashedNotes(*m_window).size(), 1);
        return;
    }
    QCOMPARE(stickyList.size(), 2);
    // Taken in, nothing goes back out: the folder keeps the other's version.
    lookAtFolder();
    lookAtFolder();
    QCOMPARE(noteInFolder().version, note.version);
}

void TestMainWindowSync::changeMadeHereReachesTheFolder()
{
    StickyWidget *sticky = m_note;
    sticky->lockSticky(true);
    lookAtFolder();
    QVERIFY(noteInFolder().record.locked);
    const SyncVersion locked = noteInFolder().version;
    // Deleted here: a tombstone, and the note is in the trash.
    emit sticky->stickyDeleted(sticky);
    lookAtFolder();
    QVERIFY(noteInFolder().isDeleted());
    QVERIFY(noteInFolder().version.holds(locked));
    // Turned off: nothing more is written.
    m_window->setSyncFolder(QString());
    QCOMPARE(m_window->syncService()->status(), SyncService::Status::Off);
}

// Nothing looks for changes now and then any more: a restore and an import
// reach the folder within the second after them, as any change.
void TestMainWindowSync::restoreAndImportReachTheFolderAtOnce()
{
    emit m_note->stickyDeleted(m_note);
    lookAtFolder();
    QCOMPARE(liveNotesInFolder(), 0);
    const QList<TrashedNote> trashed = MainWindowTestAccess::trashedNotes(*m_window);
    QCOMPARE(trashed.size(), 1);
    MainWindowTestAccess::restoreFromTrash(*m_window, trashed);
    QTRY_COMPARE_WITH_TIMEOUT(liveNotesInFolder(), 1, 3000);
    NoteRecord imported = trashed.first().record;
    imported.message = QStringLiteral("<p>imported</p>");
    m_window->addNotes({imported});
    QTRY_COMPARE_WITH_TIMEOUT(liveNotesInFolder(), 2, 3000);
}

QTEST_MAIN(TestMainWindowSync)
#include "tst_mainwindowsync.moc"
