// Loading the stored notes at start-up: how the notes come on screen, which
// preferences they are built with and what the first show of a note costs.

#include "../support/mainwindowtestaccess.h"
#include "../support/sqlrows.h"
#include "app/mainwindow.h"
#include "base/apppaths.h"
#include "notes/notesettings.h"
#include "notes/stickywidget.h"
#include "platform/nativesettings.h"
#include "reminders/reminderqueue.h"
#include "settings/preferences.h"
#include "store/notedatabase.h"
#include "testnotes.h"
#include "ui/standarddialogs.h"
#include "widgets/trayicon.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QFileInfo>
#include <QLabel>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QWindow>

#include <functional>
#include <memory>

namespace {

// What a reader of a note gets from it, as text to compare.
using Reader = std::function<QString(MainWindow &, StickyWidget &)>;

const QDateTime kCreated(QDate(2026, 1, 2), QTime(3, 4));

QString longText()
{
    QString html;
    for (int line = 0; line < 40; ++line)
        html += QStringLiteral("<p>Line %1 of a note far longer than its window</p>").arg(line);
    return html;
}

NoteRecord storedNote(int id, bool visible)
{
    NoteRecord record;
    record.id = id;
    record.visible = visible;
    record.colorRGB = QStringLiteral("#FFFF00");
    record.colorName = QStringLiteral("Yellow");
    record.creationDate = kCreated;
    record.message = QStringLiteral("<p>Note number %1</p>").arg(id);
    record.x = 50 + 30 * id;
    record.y = 60;
    record.width = 220;
    record.height = 160;
    return record;
}

// The header label that shows the creation date, found by its text.
bool showsCreationDate(const StickyWidget &note, const QString &format)
{
    const QString expected = kCreated.toString(format);
    note.textBrowser(); // the header of a note not shown yet is made now
    const QList<QLabel *> labels = note.findChildren<QLabel *>();
    return std::any_of(labels.begin(), labels.end(),
                       [&](const QLabel *label) { return label->text() == expected; });
}

} // namespace

Q_DECLARE_METATYPE(Reader)

class TestNoteLoad : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void visibleNotesComeUpAndLastIsActive();
    void translationAfterLoadStillReachesNotes();
    void noteUsesThePreferencesItIsGiven();
    void firstShowLaysOutOnce_data();
    void firstShowLaysOutOnce();
    void hiddenNoteReadsAsOneWithContents_data();
    void hiddenNoteReadsAsOneWithContents();

private:
    void startWith(const QList<NoteRecord> &records);

    std::unique_ptr<QTemporaryDir> m_folder;
    std::unique_ptr<MainWindow> m_window;
};

void TestNoteLoad::initTestCase()
{
    // As on a desktop with a tray: the control panel starts hidden and no
    // notice about a missing tray takes the focus.
    TrayIcon::setTrayAvailableForTesting(true);
    QCoreApplication::setOrganizationName(QString::fromLatin1(NativeSettings::kOrganization));
    QCoreApplication::setApplicationName(QString::fromLatin1(NativeSettings::kApplication));
    qputenv("USERNAME", "loader");
}

void TestNoteLoad::init()
{
    NativeSettings::remove(QString());
    m_folder = std::make_unique<QTemporaryDir>();
    AppPaths::setApplicationDirectoryForTesting(m_folder->path());
}

void TestNoteLoad::cleanup()
{
    m_window.reset();
    m_folder.reset();
}

void TestNoteLoad::startWith(const QList<NoteRecord> &records)
{
    {
        const QString dataDirectory = m_folder->path() + QStringLiteral("/.NotarellaData/");
        NoteDatabase database;
        QCOMPARE(database.open(dataDirectory, dataDirectory + QStringLiteral("loader")),
                 NoteDatabase::OpenResult::Opened);
        database.save(records);
    }
    m_window = std::make_unique<MainWindow>();
    QVERIFY(!m_window->startupFailed());
    QCOMPARE(stickyList.size(), records.size());
}

void TestNoteLoad::visibleNotesComeUpAndLastIsActive()
{
    startWith(
        {storedNote(1, true), storedNote(2, false), storedNote(3, true), storedNote(4, true)});
    // Shown notes are made first, yet the list keeps the stored order.
    for (int i = 0; i < 4; ++i)
        QCOMPARE(stickyList.at(i)->stickyID(), i + 1);
    QCOMPARE(stickyList.at(0)->isVisible(), true);
    QCOMPARE(stickyList.at(1)->isVisible(), false);
    QCOMPARE(stickyList.at(3)->isVisible(), true);
    QTRY_COMPARE(QApplication::activeWindow(), stickyList.at(3));
    // Coming up without the focus is for the load only: any later show of a
    // note (from the tray, the list, a reminder) takes it as before.
    for (const StickyWidget *note : std::as_const(stickyList)) {
        QVERIFY(!note->testAttribute(Qt::WA_ShowWithoutActivating));
        if (const QWindow *window = note->windowHandle())
            QVERIFY(!window->property("_q_showWithoutActivating").toBool());
    }
}

void TestNoteLoad::translationAfterLoadStillReachesNotes()
{
    startWith({storedNote(1, true), storedNote(2, false)});
    const QString storedFormat =
        Preferences::userString(Preferences::Names::DateFormat); // set by the first start
    QVERIFY(!storedFormat.isEmpty());
    QVERIFY(showsCreationDate(*stickyList.at(0), storedFormat));

    // The load spares the notes one translation, not every later one.
    NativeSettings::setValue(Preferences::userKey(Preferences::Names::DateFormat),
                             QStringLiteral("yyyy/MM/dd"));
    m_window->changeLanguage();
    for (const StickyWidget *note : std::as_const(stickyList))
        QVERIFY(showsCreationDate(*note, QStringLiteral("yyyy/MM/dd")));
}

void TestNoteLoad::noteUsesThePreferencesItIsGiven()
{
    NativeSettings::setValue(Preferences::userKey(Preferences::Names::DateFormat),
                             QStringLiteral("d MMM yyyy"));
    NativeSettings::setValue(Preferences::userKey(Preferences::Names::DefaultWidth), 210);
    NativeSettings::setValue(Preferences::userKey(Preferences::Names::DefaultHeight), 150);
    const NoteSettings given{QStringLiteral("yyyy-MM-dd hh:mm"), QSize(310, 205)};
    const std::unique_ptr<StickyWidget> noteWindow(
        newTestNote(5, QStringLiteral("#FFFF00"), QStringLiteral("Yellow"), kCreated, QDateTime(),
                    QDateTime(), QString(), false, QStringLiteral("<p>Buy milk</p>"), given));
    StickyWidget &note = *noteWindow;
    QCOMPARE(note.size(), QSize(310, 205));
    QVERIFY(showsCreationDate(note, given.dateFormat));
    QCOMPARE(note.windowTitle(), QStringLiteral("\"Buy milk\"")); // made with the header

    // A translation of its own reads the store again.
    note.changeLanguage();
    QVERIFY(showsCreationDate(note, QStringLiteral("d MMM yyyy")));
}

void TestNoteLoad::firstShowLaysOutOnce_data()
{
    QTest::addColumn<QString>("html");
    QTest::addColumn<bool>("scrollBar");
    QTest::newRow("longer than the note") << longText() << true;
    QTest::newRow("short") << QStringLiteral("<p>Buy milk</p>") << false;
}

void TestNoteLoad::firstShowLaysOutOnce()
{
    QFETCH(QString, html);
    QFETCH(bool, scrollBar);
    const std::unique_ptr<StickyWidget> noteWindow(newTestNote(
        5, QStringLiteral("#FFFF00"), QStringLiteral("Yellow"), kCreated, QDateTime(), QDateTime(),
        QString(), false, html, NoteSettings{QStringLiteral("d MMM yyyy"), QSize(210, 150)}));
    StickyWidget &note = *noteWindow;
    int layouts = 0;
    connect(note.textBrowser()->document()->documentLayout(),
            &QAbstractTextDocumentLayout::documentSizeChanged, this, [&layouts] { ++layouts; });
    note.show();
    QVERIFY(QTest::qWaitForWindowExposed(&note));
    QCOMPARE(note.textBrowser()->verticalScrollBar()->isVisible(), scrollBar);
    QCOMPARE(note.textBrowser()->verticalScrollBarPolicy(), Qt::ScrollBarAsNeeded);
    if (scrollBar)
        QCOMPARE(layouts, 1); // not once more for the scroll bar that came with it

    // From now on the scroll bar follows the text.
    note.textBrowser()->setHtml(scrollBar ? QStringLiteral("<p>Short now</p>") : longText());
    QTRY_COMPARE(note.textBrowser()->verticalScrollBar()->isVisible(), !scrollBar);
}

void TestNoteLoad::hiddenNoteReadsAsOneWithContents_data()
{
    QTest::addColumn<Reader>("reader");
    QTest::addColumn<bool>("showsNote"); // otherwise the note must stay a record
    const auto words = [](const QString &text) {
        return text.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts)
            .join(u' ');
    };
    const auto shown = [](StickyWidget &note) {
        return QStringLiteral("%1|%2|%3|%4")
            .arg(note.isVisible())
            .arg(note.windowTitle(), note.textBrowser()->toPlainText())
            .arg(note.palette().color(QPalette::Window).name());
    };
    QTest::newRow("summary in the list")
        << Reader([](MainWindow &, StickyWidget &note) { return note.summaryText(); }) << false;
    QTest::newRow("words the search finds")
        << Reader([words](MainWindow &, StickyWidget &note) { return words(note.plainText()); })
        << false;
    // Export and the search's results read the same records as the save.
    QTest::newRow("saved row") << Reader([](MainWindow &window, StickyWidget &note) {
        window.saveStickies();
        const QList<QVariantList> rows = queryRows(
            MainWindowTestAccess::database(window),
            QStringLiteral("SELECT visible, colorRGB, colorName, creationDate, reminderDate, "
                           "periodicMask, locked, message, xPos, yPos, width, height FROM "
                           "stickies WHERE id = %1")
                .arg(note.stickyID()));
        QStringList values;
        for (const QVariant &value : rows.value(0))
            values << value.toString();
        return values.join(u'|');
    }) << false;
    QTest::newRow("show all") << Reader([shown](MainWindow &window, StickyWidget &note) {
        QMetaObject::invokeMethod(&window, "stickiesShowAll");
        return shown(note);
    }) << true;
    QTest::newRow("reminder due while hidden") << Reader([shown](MainWindow &, StickyWidget &note) {
        const QDateTime due = QDateTime::currentDateTime().addSecs(-120);
        note.setReminder(due, due, QString());
        const int open = ReminderQueue::instance().openCount();
        note.reminderCheck();
        return shown(note) + QString::number(ReminderQueue::instance().openCount() - open);
    }) << true;
    QTest::newRow("colour from the list") << Reader([shown](MainWindow &, StickyWidget &note) {
        note.changeToColorOne();
        note.show();
        return note.colorName() + shown(note);
    }) << true;
    QTest::newRow("lock from the list") << Reader([shown](MainWindow &, StickyWidget &note) {
        note.lockSticky(true);
        note.show();
        return shown(note) + (note.textBrowser()->isReadOnly() ? QStringLiteral("read-only")
                                                               : QStringLiteral("editable"));
    }) << true;
    QTest::newRow("print") << Reader([](MainWindow &, StickyWidget &note) {
        const QString pdf =
            QDir::temp().filePath(QStringLiteral("notarella-print-%1.pdf").arg(note.stickyID()));
        StandardDialogs::queuePrintToFile(pdf);
        note.print();
        const QString printed = QFileInfo(pdf).size() > 1000 ? QStringLiteral("printed")
                                                             : QStringLiteral("not printed");
        QFile::remove(pdf);
        return printed + note.summaryText();
    }) << false;
}

// Every reader of a note gets the same from a note held as its record as from
// one whose window contents exist, and only the readers that show a note make
// those contents.
void TestNoteLoad::hiddenNoteReadsAsOneWithContents()
{
    QFETCH(Reader, reader);
    QFETCH(bool, showsNote);
    const QString html = QStringLiteral(
        "<p>Call <b>Zoë</b> &amp; <i>the office</i> about &quot;rates&quot; &lt;now&gt;<br>"
        "then <a href=\"https://example.org\">the site</a></p><ul><li>milk 2 l</li>"
        "<li>café au lait</li></ul><table><tr><td>cell one</td><td>cell two</td></tr></table>");
    NoteRecord record = storedNote(1, false);
    record.message = html;
    NoteRecord other = record; // in the same place too
    other.id = 2;
    startWith({record, other});
    StickyWidget &asRecord = *stickyList.at(0);
    StickyWidget &withContents = *stickyList.at(1);
    QVERIFY(!asRecord.hasContents());
    withContents.textBrowser(); // as every note had before, though never shown

    const QString fromRecord = reader(*m_window, asRecord);
    QCOMPARE(asRecord.hasContents(), showsNote);
    const QString fromContents = reader(*m_window, withContents);
    QCOMPARE(fromRecord, fromContents);
    ReminderQueue::instance().abandonAll();
}

QTEST_MAIN(TestNoteLoad)
#include "tst_noteload.moc"
