#include "notes/notetext.h"
#include "widgets/noteprinting.h"

#include <QTest>

class TestNoteText : public QObject
{
    Q_OBJECT
private slots:
    void summary_data();
    void summary();
    void reminderStatus_data();
    void reminderStatus();
    void printHeading_data();
    void printHeading();
    void overlongWord_data();
    void overlongWord();
};

void TestNoteText::summary_data()
{
    QTest::addColumn<QString>("plainText");
    QTest::addColumn<QString>("expected");

    QTest::newRow("empty") << QString() << QString();
    QTest::newRow("only digits") << QStringLiteral("2024") << QString();
    QTest::newRow("digits removed")
        << QStringLiteral("Call 555 1234 now") << QStringLiteral("\"Call now\"");
    QTest::newRow("whitespace simplified") << QStringLiteral("  Buy\tmilk\n\nand   bread  ")
                                           << QStringLiteral("\"Buy milk and bread\"");
    QTest::newRow("punctuation kept (first half)") << QStringLiteral("a!\"#$%&'()*+,-./:;<=>?")
                                                   << QStringLiteral("\"a!\"#$%&'()*+,-./:;<=>?\"");
    QTest::newRow("punctuation kept (second half)")
        << QStringLiteral("@[\\]^_`{|}~b") << QStringLiteral("\"@[\\]^_`{|}~b\"");
    QTest::newRow("non-ASCII removed")
        << QStringLiteral("Grüße, café") << QStringLiteral("\"Gre, caf\"");
    QTest::newRow("no-break space becomes nothing or blank")
        << QStringLiteral("a\u00A0b") << QStringLiteral("\"ab\"");
    QTest::newRow("exactly 30 kept") << QString(30, QLatin1Char('x'))
                                     << QStringLiteral("\"%1\"").arg(QString(30, QLatin1Char('x')));
    QTest::newRow("31 cut to 27 and dots")
        << QString(31, QLatin1Char('y'))
        << QStringLiteral("\"%1...\"").arg(QString(27, QLatin1Char('y')));
    QTest::newRow("length counted after filtering")
        << QStringLiteral("%1 1234567890").arg(QString(30, QLatin1Char('z')))
        << QStringLiteral("\"%1\"").arg(QString(30, QLatin1Char('z')));
    QTest::newRow("only symbols outside the set") << QStringLiteral("€ 42 ü") << QString();
}

void TestNoteText::summary()
{
    QFETCH(QString, plainText);
    QFETCH(QString, expected);
    QCOMPARE(NoteText::summary(plainText), expected);
}

void TestNoteText::reminderStatus_data()
{
    QTest::addColumn<QDateTime>("original");
    QTest::addColumn<QDateTime>("reminder");
    QTest::addColumn<QString>("mask");
    QTest::addColumn<QString>("expected");

    const QDateTime morning(QDate(2026, 3, 5), QTime(9, 7));
    const QDateTime evening(QDate(2026, 3, 5), QTime(21, 30));
    QTest::newRow("none") << QDateTime() << QDateTime() << QString()
                          << QStringLiteral("No reminder set.");
    QTest::newRow("none even with an original date")
        << morning << QDateTime() << QString() << QStringLiteral("No reminder set.");
    QTest::newRow("one-time") << morning << morning << QString()
                              << QStringLiteral("Reminder scheduled for: 05 Mar 2026 09:07 AM");
    QTest::newRow("periodic") << evening << evening << QStringLiteral("|*|9|*|*|*")
                              << QStringLiteral(
                                     "Periodic reminder next scheduled for: 05 Mar 2026 09:30 PM");
    QTest::newRow("mask without bar is one-time")
        << evening << evening << QStringLiteral("x|")
        << QStringLiteral("Reminder scheduled for: 05 Mar 2026 09:30 PM");
    QTest::newRow("snoozed") << morning << evening << QString()
                             << QStringLiteral(
                                    "Original reminder scheduled for: 05 Mar 2026 09:07 AM\n"
                                    "Snoozing until: 05 Mar 2026 09:30 PM");
}

void TestNoteText::reminderStatus()
{
    QFETCH(QDateTime, original);
    QFETCH(QDateTime, reminder);
    QFETCH(QString, mask);
    QFETCH(QString, expected);
    QCOMPARE(NoteText::reminderStatus(original, reminder, mask), expected);
}

void TestNoteText::printHeading_data()
{
    QTest::addColumn<QString>("summary");
    QTest::addColumn<QDateTime>("created");
    QTest::addColumn<QString>("expected");
    const QDateTime monday(QDate(2006, 3, 6), QTime(14, 5));
    QTest::newRow("ordinary") << "\"Shopping list\"" << monday
                              << "<hr /><b>Sticky:</b> \"Shopping list\"<br /><b>Created:</b> "
                                 "Monday, 06 March 2006, 2:05 PM<br /><br />";
    QTest::newRow("placeholders in the summary stay literal")
        << "\"%3 and %4 and %20\"" << monday
        << "<hr /><b>Sticky:</b> \"%3 and %4 and %20\"<br /><b>Created:</b> "
           "Monday, 06 March 2006, 2:05 PM<br /><br />";
    QTest::newRow("markup in the summary prints as text")
        << "\"<b>x</b> & y\"" << monday
        << "<hr /><b>Sticky:</b> \"&lt;b&gt;x&lt;/b&gt; &amp; y\"<br /><b>Created:</b> "
           "Monday, 06 March 2006, 2:05 PM<br /><br />";
    QTest::newRow("empty summary, morning")
        << QString() << QDateTime(QDate(2024, 12, 31), QTime(9, 0))
        << "<hr /><b>Sticky:</b> <br /><b>Created:</b> "
           "Tuesday, 31 December 2024, 9:00 AM<br /><br />";
}

void TestNoteText::printHeading()
{
    QFETCH(QString, summary);
    QFETCH(QDateTime, created);
    QFETCH(QString, expected);
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    QCOMPARE(NotePrinting::heading(summary, created), expected);
}

void TestNoteText::overlongWord_data()
{
    QTest::addColumn<QString>("plainText");
    QTest::addColumn<bool>("overlong");
    const QString limit(NoteText::kOverlongWord, QLatin1Char('x'));
    QTest::newRow("empty") << "" << false;
    QTest::newRow("just below the limit") << limit.left(limit.size() - 1) << false;
    QTest::newRow("at the limit") << limit << false;
    QTest::newRow("just above the limit") << limit + "x" << true;
    QTest::newRow("above, after other words") << "a b " + limit + "x" << true;
    QTest::newRow("a blank splits it") << limit + " x" << false;
    QTest::newRow("a line break splits it") << limit + "\nx" << false;
    QTest::newRow("many words at the limit") << limit + ' ' + limit + '\t' + limit << false;
}

void TestNoteText::overlongWord()
{
    QFETCH(QString, plainText);
    QFETCH(bool, overlong);
    QCOMPARE(NoteText::hasOverlongWord(plainText), overlong);
}

QTEST_GUILESS_MAIN(TestNoteText)
#include "tst_notetext.moc"
