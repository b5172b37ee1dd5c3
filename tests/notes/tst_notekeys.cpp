#include "notes/notekeys.h"
#include "notes/notenames.h"

#include <QTest>

// The keys that work notes without a mouse, and a note's summary as a screen
// reader speaks it (the names of the list's cells: tst_notelist).
class TestNoteKeys : public QObject
{
    Q_OBJECT
private slots:
    void keys_data();
    void keys();
    void nextShown_data();
    void nextShown();
    void spokenSummary_data();
    void spokenSummary();
};

void TestNoteKeys::keys_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::addColumn<bool>("opensMenu");
    QTest::addColumn<int>("step");
    const Qt::KeyboardModifiers none;
    const auto ctrlShift = Qt::ControlModifier | Qt::ShiftModifier;
    QTest::newRow("Menu") << int(Qt::Key_Menu) << none << true << 0;
    QTest::newRow("Menu on the keypad")
        << int(Qt::Key_Menu) << Qt::KeyboardModifiers(Qt::KeypadModifier) << true << 0;
    QTest::newRow("Ctrl+Menu") << int(Qt::Key_Menu) << Qt::KeyboardModifiers(Qt::ControlModifier)
                               << false << 0;
    QTest::newRow("Shift+F10") << int(Qt::Key_F10) << Qt::KeyboardModifiers(Qt::ShiftModifier)
                               << true << 0;
    QTest::newRow("Ctrl+Shift+F10") << int(Qt::Key_F10) << ctrlShift << false << 0;
    QTest::newRow("Ctrl+Tab") << int(Qt::Key_Tab) << Qt::KeyboardModifiers(Qt::ControlModifier)
                              << false << 1;
    QTest::newRow("Ctrl+Shift+Backtab") << int(Qt::Key_Backtab) << ctrlShift << false << -1;
    QTest::newRow("Ctrl+Shift+Tab") << int(Qt::Key_Tab) << ctrlShift << false << -1;
    QTest::newRow("Shift+Backtab")
        << int(Qt::Key_Backtab) << Qt::KeyboardModifiers(Qt::ShiftModifier) << false << 0;
    QTest::newRow("Ctrl+Alt+Tab") << int(Qt::Key_Tab) << (Qt::ControlModifier | Qt::AltModifier)
                                  << false << 0;
}

void TestNoteKeys::keys()
{
    QFETCH(int, key);
    QFETCH(Qt::KeyboardModifiers, modifiers);
    QFETCH(bool, opensMenu);
    QFETCH(int, step);
    QCOMPARE(NoteKeys::opensMenu(key, modifiers), opensMenu);
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
    QTest::newRow("wrap skips hidden") << QList<bool>{false, true, true} << 2 << 1 << 1;
    QTest::newRow("only this one shown") << QList<bool>{true, false, false} << 0 << 1 << -1;
    QTest::newRow("from a hidden note") << QList<bool>{false, false, true} << 1 << 1 << 2;
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

QTEST_MAIN(TestNoteKeys)
#include "tst_notekeys.moc"
