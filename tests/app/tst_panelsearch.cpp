#include "app/mainwindow.h"
#include "app/noteexchangecommands.h"
#include "base/apppaths.h"
#include "mainwindowtestaccess.h"
#include "notes/stickywidget.h"
#include "panel/tablewidget.h"
#include "platform/nativesettings.h"
#include "settings/preferences.h"
#include "ui/standarddialogs.h"
#include "ui/userprompt.h"
#include "widgets/trayicon.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>

#include <memory>

// The search field of the control panel, driven by the keyboard as a user
// would: Ctrl+F, typing, Escape, and notes coming while a filter is set.
class TestPanelSearch : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void keyboardDrivesTheFilter();
    void filterOutlivesListRebuilds();
    void exportTakesTheNotesTheFilterShows();
    void deletedNotesAreNeitherFoundNorExported();

private:
    QLineEdit *field() const { return m_window->findChild<QLineEdit *>("noteFilterField"); }
    QString countText() const { return m_window->findChild<QLabel *>("noteFilterCount")->text(); }
    TableWidget *list() const
    {
        return qobject_cast<TableWidget *>(m_window->findChild<QScrollArea *>()->widget());
    }
    void addNote(const QString &text);

    std::unique_ptr<QTemporaryDir> m_folder;
    std::unique_ptr<MainWindow> m_window;
};

void TestPanelSearch::initTestCase()
{
    QCoreApplication::setOrganizationName(QString::fromLatin1(NativeSettings::kOrganization));
    QCoreApplication::setApplicationName(QString::fromLatin1(NativeSettings::kApplication));
    qputenv("USERNAME", "search");
}

void TestPanelSearch::init()
{
    TrayIcon::setTrayAvailableForTesting(true);
    NativeSettings::remove(QString());
    m_folder = std::make_unique<QTemporaryDir>();
    AppPaths::setApplicationDirectoryForTesting(m_folder->path());
    m_window = std::make_unique<MainWindow>();
    NativeSettings::setValue(Preferences::userKey(Preferences::Names::DeleteWarning), false);
    // The first start leaves a welcome note; the search starts from known notes.
    while (!stickyList.isEmpty()) {
        stickyList.constFirst()->lockSticky(false);
        stickyList.constFirst()->deleteSticky();
    }
    m_window->showControlPanel();
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
}

void TestPanelSearch::cleanup()
{
    m_window.reset();
}

void TestPanelSearch::addNote(const QString &text)
{
    m_window->createStickyDefault();
    stickyList.constLast()->textBrowser()->setPlainText(text);
    stickyList.constLast()->lostFocus();
}

void TestPanelSearch::keyboardDrivesTheFilter()
{
    addNote("Buy milk");
    addNote("Dentist, Tuesday");
    addNote("Milk for the café");
    QCOMPARE(list()->noteCount(), 3);
    m_window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    m_window->findChild<QPushButton *>()->setFocus();
    QVERIFY(!field()->hasFocus());
    QVERIFY(countText().isEmpty());

    QTest::keyClick(m_window.get(), Qt::Key_F, Qt::ControlModifier);
    QVERIFY(field()->hasFocus());
    QTest::keyClicks(field(), "MILK");
    QCOMPARE(list()->shownCount(), 2);
    QCOMPARE(countText(), QStringLiteral("2 of 3 notes"));
    QTest::keyClicks(field(), " cafe");
    QCOMPARE(countText(), QStringLiteral("1 of 3 notes"));

    QTest::keyClick(field(), Qt::Key_Escape);
    QVERIFY(field()->text().isEmpty());
    QCOMPARE(list()->shownCount(), 3);
    QVERIFY(countText().isEmpty());
    QVERIFY(m_window->isVisible()); // Escape clears; it does not close the panel
}

void TestPanelSearch::filterOutlivesListRebuilds()
{
    addNote("Buy milk");
    addNote("Dentist, Tuesday");
    field()->setText("milk");
    QCOMPARE(countText(), QStringLiteral("1 of 2 notes"));

    // A new note rebuilds the list; the filter stays and counts the new note.
    addNote("Oat milk");
    QCOMPARE(list()->noteCount(), 3);
    QCOMPARE(list()->shownCount(), 2);
    QCOMPARE(countText(), QStringLiteral("2 of 3 notes"));

    // An edit that makes a note match shows it and updates the count.
    StickyWidget *dentist = stickyList.at(1);
    dentist->textBrowser()->setPlainText("Dentist, then milk");
    dentist->lostFocus();
    QCOMPARE(countText(), QStringLiteral("3 of 3 notes"));

    // Hidden and shown again, the panel builds a new list, filtered alike.
    m_window->hide();
    dentist->deleteSticky();
    m_window->showControlPanel();
    QCOMPARE(list()->noteCount(), 2);
    QCOMPARE(countText(), QStringLiteral("2 of 2 notes"));
    field()->setText("dentist");
    QCOMPARE(list()->shownCount(), 0);
    QCOMPARE(countText(), QStringLiteral("0 of 2 notes"));
}

void TestPanelSearch::exportTakesTheNotesTheFilterShows()
{
    addNote("Buy milk");
    addNote("Dentist, Tuesday");
    addNote("Oat milk");
    auto *commands = m_window->findChild<NoteExchangeCommands *>();
    QVERIFY(commands);
    const auto exportedPages = [&](const QString &name) {
        const QString folder = m_folder->filePath(name);
        QDir().mkpath(folder);
        StandardDialogs::queueDirectory(folder);
        commands->exportAction()->trigger();
        return QDir(folder).entryList({QStringLiteral("note-*.html")}, QDir::Files, QDir::Name);
    };

    field()->setText("milk");
    const QStringList ids1 = {QStringLiteral("note-%1.html").arg(stickyList.at(0)->stickyID()),
                              QStringLiteral("note-%1.html").arg(stickyList.at(2)->stickyID())};
    UserPrompt::takeHistory();
    QStringList filtered = exportedPages("filtered");
    QStringList expected = ids1;
    expected.sort();
    QCOMPARE(filtered, expected);
    // The result says the search chose the notes.
    QList<UserPrompt::Record> prompts = UserPrompt::takeHistory();
    QCOMPARE(prompts.size(), 1);
    QVERIFY2(prompts.first().text.contains(QStringLiteral("2 of 3 notes, those the search shows")),
             qPrintable(prompts.first().text));

    // With the search cleared every note goes out again.
    field()->clear();
    QCOMPARE(exportedPages("all").size(), stickyList.size());
    prompts = UserPrompt::takeHistory();
    QCOMPARE(prompts.size(), 1);
    QVERIFY(!prompts.first().text.contains(QStringLiteral("search")));
    QVERIFY(prompts.first().text.contains(QStringLiteral("3 note(s) were exported")));
}

void TestPanelSearch::deletedNotesAreNeitherFoundNorExported()
{
    addNote("Buy milk");
    addNote("Milk the secret");
    const qsizetype inTrash = MainWindowTestAccess::trashedNotes(*m_window).size();
    stickyList.constLast()->deleteSticky();
    QCOMPARE(MainWindowTestAccess::trashedNotes(*m_window).size(), inTrash + 1);

    field()->setText("secret");
    QCOMPARE(list()->shownCount(), 0);
    QCOMPARE(countText(), QStringLiteral("0 of 1 notes"));
    field()->setText("milk");
    QCOMPARE(list()->shownCount(), 1);

    field()->clear();
    const QString folder = m_folder->filePath(QStringLiteral("out"));
    QDir().mkpath(folder);
    StandardDialogs::queueDirectory(folder);
    m_window->findChild<NoteExchangeCommands *>()->exportAction()->trigger();
    const QStringList pages =
        QDir(folder).entryList({QStringLiteral("*.html"), QStringLiteral("*.md")}, QDir::Files);
    QCOMPARE(pages.size(), 3); // the note's two files and the index
    for (const QString &page : pages) {
        QFile file(QDir(folder).filePath(page));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY2(!file.readAll().contains("secret"), qPrintable(page));
    }
}

QTEST_MAIN(TestPanelSearch)
#include "tst_panelsearch.moc"
