#include "notes/notekeys.h"
#include "notes/notenames.h"

#include <QTest>

// The keys that work notes without a mouse, and the names a screen reader
// speaks for a note and its row in the list.
class TestNoteKeys : public QObject
{
    Q_OBJECT
private slots:
    void opensMenu_data();
    void opensMenu();
    void noteStep_data();
    void noteStep();
    void nextShown_data();
    void nextShown();
    void spokenSummary_data();
    void spokenSummary();
    void cellNames();
};

void TestNoteKeys::opensMenu_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::addColumn<bool>("opens");
    QTest::newRow("Menu") << int(Qt::Key_Menu) << Qt::KeyboardModifiers() << true;
    QTest::newRow("Menu on the keypad")
        << int(Qt::Key_Menu) << Qt::KeyboardModifiers(Qt::KeypadModifier) << true;
    QTest::newRow("Ctrl+Menu") << int(Qt::Key_Menu) << Qt::KeyboardModifiers(Qt::ControlModifier)
                               << false;
    QTest::newRow("Shift+F10") << int(Qt::Key_F10) << Qt::KeyboardModifiers(Qt::ShiftModifier)
                               << true;
    QTest::newRow("F10") << int(Qt::Key_F10) << Qt::KeyboardModifiers() << false;
    QTest::newRow("Ctrl+Shift+F10")
        << int(Qt::Key_F10) << (Qt::ControlModifier | Qt::ShiftModifier) << false;
    QTest::newRow("Shift+F9") << int(Qt::Key_F9) << Qt::KeyboardModifiers(Qt::ShiftModifier)
                              << false;
}

void TestNoteKeys::opensMenu()
{
    QFETCH(int, key);
    QFETCH(Qt::KeyboardModifiers, modifiers);
    QFETCH(bool, opens);
    QCOMPARE(NoteKeys::opensMenu(key, modifiers), opens);
}

void TestNoteKeys::noteStep_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::addColumn<int>("step");
    const auto ctrlShift = Qt::ControlModifier | Qt::ShiftModifier;
    QTest::newRow("Ctrl+Tab") << int(Qt::Key_Tab) << Qt::KeyboardModifiers(Qt::ControlModifier)
                              << 1;
    QTest::newRow("Tab") << int(Qt::Key_Tab) << Qt::KeyboardModifiers() << 0;
    QTest::newRow("Ctrl+Shift+Backtab") << int(Qt::Key_Backtab) << ctrlShift << -1;
    QTest::newRow("Ctrl+Shift+Tab") << int(Qt::Key_Tab) << ctrlShift << -1;
    QTest::newRow("Shift+Backtab")
        << int(Qt::Key_Backtab) << Qt::KeyboardModifiers(Qt::ShiftModifier) << 0;
    QTest::newRow("Ctrl+Alt+Tab") << int(Qt::Key_Tab) << (Qt::ControlModifier | Qt::AltModifier)
                                  << 0;
    QTest::newRow("Ctrl+Space") << int(Qt::Key_Space) << Qt::KeyboardModifiers(Qt::ControlModifier)
                                << 0;
}

void TestNoteKeys::noteStep()
{
    QFETCH(int, key);
    QFETCH(Qt::KeyboardModifiers, modifiers);
    QFETCH(int, step);
    QCOMPARE(NoteKeys::noteStep(key, modifiers), step);
}

void TestNoteKeys::nextShown_data()
{
    QTest::addColumn<QList<bool>>("shown");
    QTest::addColumn<int>("current");
    QTest::addColumn<int>("step");
    QTest::addColumn<int>("next");
    const QList<bool> all{true, true, true};
    QTest::newRow("forward") << all << 0 << 1 << 1;
    QTest::newRow("forward from the last wraps") << all << 2 << 1 << 0;
    QTest::newRow("back") << all << 2 << -1 << 1;
    QTest::newRow("back from the first wraps") << all << 0 << -1 << 2;
    QTest::newRow("hidden skipped") << QList<bool>{true, false, true} << 0 << 1 << 2;
    QTest::newRow("hidden skipped back") << QList<bool>{true, false, true} << 2 << -1 << 0;
    QTest::newRow("wrap skips hidden") << QList<bool>{false, true, true} << 2 << 1 << 1;
    QTest::newRow("only this one shown") << QList<bool>{true, false, false} << 0 << 1 << -1;
    QTest::newRow("from a hidden note") << QList<bool>{false, false, true} << 1 << 1 << 2;
    QTest::newRow("none shown") << QList<bool>{false, false} << 0 << -1 << -1;
    QTest::newRow("no notes") << QList<bool>{} << 0 << 1 << -1;
    QTest::newRow("not in the list") << all << -1 << 1 << -1;
    QTest::newRow("past the end") << all << 3 << 1 << -1;
    QTest::newRow("no step") << all << 0 << 0 << -1;
}

void TestNoteKeys::nextShown()
{
    QFETCH(QList<bool>, shown);
    QFETCH(int, current);
    QFETCH(int, step);
    QFETCH(int, next);
    QCOMPARE(NoteKeys::nextShown(shown, current, step), next);
}

void TestNoteKeys::spokenSummary_data()
{
    QTest::addColumn<QString>("summary");
    QTest::addColumn<QString>("spoken");
    QTest::newRow("quoted") << "\"Buy milk\""
                            << "Buy milk";
    QTest::newRow("not quoted") << "Buy milk"
                                << "Buy milk";
    QTest::newRow("quotes inside kept") << "\"a \"big\" day\""
                                        << "a \"big\" day";
    QTest::newRow("one quote") << "\""
                               << "\"";
    QTest::newRow("empty quotes") << "\"\""
                                  << "Empty note";
    QTest::newRow("blank") << " "
                           << "Empty note";
    QTest::newRow("empty") << ""
                           << "Empty note";
}

void TestNoteKeys::spokenSummary()
{
    QFETCH(QString, summary);
    QFETCH(QString, spoken);
    QCOMPARE(NoteNames::spokenSummary(summary), spoken);
}

void TestNoteKeys::cellNames()
{
    const QString summary = QStringLiteral("\"Buy milk\"");
    QCOMPARE(NoteNames::shownCell(summary), QStringLiteral("Shown: Buy milk"));
    // A colour name of the user's may hold a placeholder of its own.
    QCOMPARE(NoteNames::colorCell(summary, QStringLiteral("%1 red")),
             QStringLiteral("Color of Buy milk: %1 red"));
    QCOMPARE(NoteNames::dateCell(summary, QStringLiteral("4 Mar 2026")),
             QStringLiteral("Created Buy milk: 4 Mar 2026"));
    QCOMPARE(NoteNames::reminderCell(summary, QString()),
             QStringLiteral("No reminder for Buy milk"));
    QCOMPARE(NoteNames::reminderCell(summary, QStringLiteral("Due soon")),
             QStringLiteral("Reminder of Buy milk: Due soon"));
    QCOMPARE(NoteNames::messageCell(QString()), QStringLiteral("Note: Empty note"));
}

QTEST_MAIN(TestNoteKeys)
#include "tst_notekeys.moc"
