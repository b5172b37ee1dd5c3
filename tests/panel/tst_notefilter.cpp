#include "app/mainwindow.h"
#include "notes/stickywidget.h"
#include "panel/notefilter.h"
#include "panel/tablelabel.h"
#include "panel/tablewidget.h"
#include "platform/nativesettings.h"
#include "settings/preferences.h"
#include "testnotes.h"

#include <QMenu>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QTextBrowser>

namespace {

StickyWidget *addNote(const QString &name, const QString &text,
                      const QDateTime &reminder = QDateTime())
{
    const int id = int(stickyList.size()) + 1;
    auto *note =
        newTestNote(id, QStringLiteral("#FFFF00"), name, QDateTime(QDate(2026, 3, 4), QTime(9, 15)),
                    reminder, reminder, QString(), false, QStringLiteral("<p>%1</p>").arg(text));
    stickyList.append(note);
    return note;
}

// Which notes' rows the list shows, by index, read from the cells themselves.
QList<int> shownRows(TableWidget &list)
{
    QList<int> shown;
    for (int i = 0; i < list.noteCount(); ++i) {
        const auto *message = qobject_cast<TableLabel *>(list.cell(i, TableWidget::MessageColumn));
        if (!message)
            continue;
        if (message->isHidden() || message->stickyWidget() != stickyList.at(i))
            return {-1}; // a row showing another note, or not at all
        shown << i;
    }
    return shown;
}

} // namespace

class TestNoteFilter : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void matching_data();
    void matching();
    void listShowsOnlyMatchingRows_data();
    void listShowsOnlyMatchingRows();
    void changedNoteIsSearchedAgain();
    void noteChangedWhileTextsAreReadIsSearchedAsItIsNow();
    void shownRowsKeepTheirCommands();
    void rowsAreHiddenNotRebuilt();
    void narrowing_data();
    void narrowing();
    void typingOnFindsWhatAFreshSearchFinds();
    void longListFiltersAtOnce();
};

void TestNoteFilter::init()
{
    using namespace Preferences;
    for (const Preference &entry : allPreferences())
        NativeSettings::setValue(userKey(entry.name), entry.factoryDefault);
}

void TestNoteFilter::cleanup()
{
    qDeleteAll(std::exchange(stickyList, {}));
}

void TestNoteFilter::matching_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("colour");
    QTest::addColumn<QString>("reminder");
    QTest::addColumn<QString>("query");
    QTest::addColumn<bool>("match");

    const QString plain = QStringLiteral("Water the plants");
    QTest::newRow("word inside a word") << plain << "Yellow"
                                        << ""
                                        << "ant" << true;
    QTest::newRow("other case") << plain << "Yellow"
                                << ""
                                << "WATER" << true;
    QTest::newRow("absent word") << plain << "Yellow"
                                 << ""
                                 << "coffee" << false;
    QTest::newRow("words in any order") << plain << "Yellow"
                                        << ""
                                        << "plants water" << true;
    QTest::newRow("every word needed") << plain << "Yellow"
                                       << ""
                                       << "water coffee" << false;
    QTest::newRow("blanks around and between") << plain << "Yellow"
                                               << ""
                                               << "  \tplants \n the  " << true;
    QTest::newRow("blank query") << plain << "Yellow"
                                 << ""
                                 << "   " << true;
    QTest::newRow("empty note") << ""
                                << "Yellow"
                                << ""
                                << "water" << false;
    QTest::newRow("phrase is words, not one string") << "plants, then water"
                                                     << "Yellow"
                                                     << ""
                                                     << "water plants" << true;

    QTest::newRow("accent in text") << "Meet at the Café"
                                    << "Pink"
                                    << ""
                                    << "cafe" << true;
    QTest::newRow("accent in query") << "meet at the cafe"
                                     << "Pink"
                                     << ""
                                     << "CAFÉ" << true;
    QTest::newRow("decomposed accent") << QString("cafe\u0301") << "Pink"
                                       << ""
                                       << "café" << true;
    QTest::newRow("several accents") << "ÅNGSTRÖM Ärger"
                                     << "Pink"
                                     << ""
                                     << "angstrom arger" << true;
    QTest::newRow("other letter, not an accent") << "Straße"
                                                 << "Pink"
                                                 << ""
                                                 << "strase" << false;
    QTest::newRow("ligature") << QString("\uFB01le the report") << "Pink"
                              << ""
                              << "file" << true;
    QTest::newRow("capitals beside accents") << "ÉCOLE de Zoë"
                                             << "Pink"
                                             << ""
                                             << "ecole ZOE" << true;
    QTest::newRow("mark after a plain letter") << QString("Ame\u0301lie") << "Pink"
                                               << ""
                                               << "amelie" << true;
    QTest::newRow("pictures between words") << QString("buy \U0001F95B milk") << "Pink"
                                            << ""
                                            << "buy \U0001F95B milk" << true;
    QTest::newRow("final sigma folds") << "σοφός"
                                       << "Pink"
                                       << ""
                                       << "ΣΟΦΟΣ" << true;

    QTest::newRow("colour name") << plain << "Light Blue"
                                 << ""
                                 << "blue" << true;
    QTest::newRow("colour and text words") << plain << "Light Blue"
                                           << ""
                                           << "blue water" << true;
    QTest::newRow("reminder text") << plain << "Yellow"
                                   << "Reminder scheduled for: 06 May 2026 07:30 AM"
                                   << "may 2026" << true;
    QTest::newRow("no word across two fields") << "call Bob"
                                               << "Green"
                                               << ""
                                               << "bobgreen" << false;

    // Long texts are searched sixteen places at a time: words on either side
    // of each block's edge, in the last bytes, and near misses.
    for (const int offset : {0, 1, 14, 15, 16, 17, 31, 32, 33}) {
        QTest::addRow("word at %d", offset)
            << QString(offset, u'x') + "quokka" + QString(40, u'y') << "Grey"
            << ""
            << "quokka" << true;
    }
    QTest::newRow("word in the last bytes") << QString(100, u'x') << "Grey"
                                            << "quokka"
                                            << "quokka" << true;
    QTest::newRow("first and last letters only") << QString(50, u'x') + "qxxxxa quokk uokka"
                                                 << "Grey"
                                                 << ""
                                                 << "quokka" << false;
    QTest::newRow("two letters, nowhere") << QString(100, u'k') + QString(100, u'i') << "Grey"
                                          << ""
                                          << "ik" << false;
    QTest::newRow("two letters, far in") << QString(100, u'k') + QString(100, u'i') << "Grey"
                                         << ""
                                         << "ki" << true;
    QTest::newRow("word longer than the note") << "ab"
                                               << ""
                                               << ""
                                               << "abcdefgh" << false;
}

void TestNoteFilter::matching()
{
    QFETCH(QString, text);
    QFETCH(QString, colour);
    QFETCH(QString, reminder);
    QFETCH(QString, query);
    QFETCH(bool, match);
    const QByteArray folded = NoteFilter::matchText(text, colour, reminder);
    QCOMPARE(NoteFilter::matches(folded, NoteFilter::queryWords(query)), match);
}

void TestNoteFilter::listShowsOnlyMatchingRows_data()
{
    QTest::addColumn<QString>("query");
    QTest::addColumn<QList<int>>("shown");
    QTest::newRow("none typed") << "" << QList<int>{0, 1, 2, 3};
    QTest::newRow("by text") << "dentist" << QList<int>{1};
    QTest::newRow("by colour") << "pink" << QList<int>{2, 3};
    QTest::newRow("by reminder") << "2027" << QList<int>{3};
    QTest::newRow("reminder words of a note without one") << "scheduled" << QList<int>{3};
    QTest::newRow("nothing") << "zebra" << QList<int>{};
}

void TestNoteFilter::listShowsOnlyMatchingRows()
{
    QFETCH(QString, query);
    QFETCH(QList<int>, shown);
    addNote("Yellow", "buy milk");
    addNote("Light Blue", "Dentist on Tuesday");
    addNote("Pink", "birthday cake");
    addNote("Pink", "pay rent", QDateTime(QDate(2027, 1, 2), QTime(8, 0)));

    TableWidget list;
    list.show();
    QCOMPARE(list.applyFilter(query), shown.size());
    QCOMPARE(shownRows(list), shown);
    QCOMPARE(list.shownCount(), shown.size());
    // Clearing brings every row back.
    QCOMPARE(list.applyFilter(QString()), 4);
    QCOMPARE(shownRows(list), QList<int>({0, 1, 2, 3}));
}

void TestNoteFilter::changedNoteIsSearchedAgain()
{
    addNote("Yellow", "buy milk");
    StickyWidget *note = addNote("Yellow", "call the plumber");
    TableWidget list;
    QSignalSpy counts(&list, &TableWidget::shownCountChanged);
    QCOMPARE(list.applyFilter("milk"), 1);

    note->textBrowser()->setPlainText("milk for the cat");
    emit note->updateTableWidgetItems();
    QCOMPARE(shownRows(list), QList<int>({0, 1}));
    QCOMPARE(counts.size(), 1);
    QCOMPARE(counts.takeFirst().at(0).toInt(), 2);
    // Taking a letter back and typing it again finds the changed note too.
    QCOMPARE(list.applyFilter("mil"), 2);
    QCOMPARE(list.applyFilter("milk"), 2);

    note->textBrowser()->setPlainText("nothing to buy");
    emit note->updateTableWidgetItems();
    QCOMPARE(shownRows(list), QList<int>({0}));
    QCOMPARE(list.shownCount(), 1);

    // A change that leaves the count alone says nothing.
    note->textBrowser()->setPlainText("still nothing");
    emit note->updateTableWidgetItems();
    QCOMPARE(counts.size(), 1);
}

// The texts of the search are read on a worker thread from the notes as they
// were when the search field took the focus; a note changed meanwhile is
// searched as it is now.
void TestNoteFilter::noteChangedWhileTextsAreReadIsSearchedAsItIsNow()
{
    for (int i = 0; i < 300; ++i)
        addNote("Yellow", QStringLiteral("errand number %1").arg(i));
    StickyWidget *changed = addNote("Yellow", "buy milk");
    TableWidget list;
    list.prepareFilter();
    QVERIFY(list.isPreparingFilter());
    changed->textBrowser()->setPlainText("call the plumber");
    emit changed->updateTableWidgetItems();
    QCOMPARE(list.applyFilter("milk"), 0);
    QVERIFY(!list.isPreparingFilter());
    QCOMPARE(list.applyFilter("plumber"), 1);
    QCOMPARE(list.applyFilter("errand"), 300);
}

void TestNoteFilter::shownRowsKeepTheirCommands()
{
    addNote("Yellow", "buy milk");
    StickyWidget *kept = addNote("Yellow", "dentist");
    TableWidget list;
    list.show();
    list.applyFilter("dentist");
    auto *message = qobject_cast<TableLabel *>(list.cell(1, TableWidget::MessageColumn));
    QVERIFY(message->isVisible());
    QCOMPARE(message->stickyWidget(), kept);
    const std::unique_ptr<QMenu> menu = message->createContextMenu();
    QVERIFY(menu);
    QCOMPARE(menu->actions().constFirst()->text(), QStringLiteral("&Delete"));
    kept->hide();
    QTest::mouseClick(message, Qt::LeftButton);
    QVERIFY(kept->isVisible());
}

void TestNoteFilter::rowsAreHiddenNotRebuilt()
{
    for (int i = 0; i < 20; ++i)
        addNote("Yellow", QStringLiteral("note %1").arg(i));
    TableWidget list;
    QWidget *kept = list.cell(1, TableWidget::MessageColumn);
    QVERIFY(list.cell(2, TableWidget::MessageColumn));
    list.applyFilter("note 1");
    QCOMPARE(list.shownCount(), 11); // 1 and 10 to 19
    QVERIFY(!list.cell(2, TableWidget::MessageColumn));
    QCOMPARE(list.cell(1, TableWidget::MessageColumn), kept);
    list.applyFilter("");
    QCOMPARE(list.cell(1, TableWidget::MessageColumn), kept);
}

void TestNoteFilter::narrowing_data()
{
    QTest::addColumn<QString>("earlier");
    QTest::addColumn<QString>("now");
    QTest::addColumn<bool>("narrows");
    QTest::newRow("a letter typed") << "ki"
                                    << "kil" << true;
    QTest::newRow("a word added") << "project"
                                  << "project k" << true;
    QTest::newRow("words in another order") << "b a"
                                            << "a bc" << true;
    QTest::newRow("from nothing") << ""
                                  << "x" << true;
    QTest::newRow("a letter taken back") << "kil"
                                         << "ki" << false;
    QTest::newRow("cleared") << "x"
                             << "" << false;
    QTest::newRow("a word replaced") << "bread"
                                     << "milk" << false;
    QTest::newRow("a letter typed inside a word") << "mlk"
                                                  << "milk" << false;
}

void TestNoteFilter::narrowing()
{
    QFETCH(QString, earlier);
    QFETCH(QString, now);
    QFETCH(bool, narrows);
    QCOMPARE(NoteFilter::narrows(NoteFilter::queryWords(now), NoteFilter::queryWords(earlier)),
             narrows);
}

void TestNoteFilter::typingOnFindsWhatAFreshSearchFinds()
{
    const QStringList texts = {"milk and bread", "kilo of flour", "Kiwi", "call Kim", "milkshake"};
    for (const QString &text : texts)
        addNote("Yellow", text);
    TableWidget typed;
    const QStringList queries = {"k",  "ki",  "kil", "kilo", "kil", "ki",      "k",     "",
                                 "mi", "mil", "mi",  "m",    "mk",  "milk ki", "milk k"};
    for (const QString &query : queries) {
        typed.applyFilter(query);
        TableWidget fresh;
        fresh.applyFilter(query);
        QVERIFY2(shownRows(typed) == shownRows(fresh), qPrintable(query));
        QCOMPARE(typed.shownCount(), fresh.shownCount());
    }
}

void TestNoteFilter::longListFiltersAtOnce()
{
    // Far more rows than any screen holds; every third note has the word.
    constexpr int kNotes = 600;
    QList<int> withWord;
    for (int i = 0; i < kNotes; ++i) {
        addNote("Yellow",
                i % 3 == 0 ? QStringLiteral("apples %1").arg(i) : QStringLiteral("pears"));
        if (i % 3 == 0)
            withWord << i;
    }
    QScrollArea area;
    area.setWidgetResizable(true);
    auto *list = new TableWidget;
    area.setWidget(list);
    area.resize(400, 300);
    area.show();
    QVERIFY(QTest::qWaitForWindowExposed(&area));
    area.verticalScrollBar()->setValue(area.verticalScrollBar()->maximum());

    QCOMPARE(list->applyFilter("apples"), withWord.size());
    QCOMPARE(area.verticalScrollBar()->value(), 0);
    const auto cellShown = [list](int note) {
        return list->cell(note, TableWidget::MessageColumn) != nullptr;
    };
    for (int i = 0; i < 30; ++i)
        QCOMPARE(cellShown(i), i % 3 == 0);
    // A note far down and one at the top change: both end up as the search
    // says.
    stickyList.at(kNotes - 2)->textBrowser()->setPlainText("apples too");
    emit stickyList.at(kNotes - 2)->updateTableWidgetItems();
    stickyList.at(0)->textBrowser()->setPlainText("no more");
    emit stickyList.at(0)->updateTableWidgetItems();
    withWord.removeFirst();
    withWord << kNotes - 2;
    QCOMPARE(list->shownCount(), withWord.size());
    QVERIFY(!cellShown(0));
    QCOMPARE(shownRows(*list), withWord);
    QCOMPARE(list->shownNotes().size(), withWord.size());

    // Typing on without changing the rows leaves the list where it is.
    area.verticalScrollBar()->setValue(area.verticalScrollBar()->maximum());
    const int scrolled = area.verticalScrollBar()->value();
    QVERIFY(scrolled > 0);
    QCOMPARE(list->applyFilter("apples "), withWord.size());
    QCOMPARE(area.verticalScrollBar()->value(), scrolled);

    list->applyFilter(QString());
    list->applyFilter("pears");
    QCOMPARE(shownRows(*list).size(), kNotes - kNotes / 3 - 1);
}

QTEST_MAIN(TestNoteFilter)
#include "tst_notefilter.moc"
