// Notes stay where the user can reach them: stored sizes larger than the
// screen are clamped, and notes whose header is on no screen (a monitor
// unplugged, damaged positions) come back onto the nearest one.

#include "notes/noteplacement.h"

#include <QtTest>

using NotePlacement::fitToScreens;

class TestNotePlacement : public QObject
{
    Q_OBJECT

private slots:
    void fitsNotesToScreens_data();
    void fitsNotesToScreens();
    void fittedNoteIsStable();
};

void TestNotePlacement::fitsNotesToScreens_data()
{
    QTest::addColumn<QRect>("note");
    QTest::addColumn<QList<QRect>>("screens");
    QTest::addColumn<QRect>("fitted");

    const QRect left(0, 0, 1280, 1000); // available area: a panel takes the bottom
    const QRect right(1280, 0, 1920, 1080);
    const QList<QRect> one = {left};
    const QList<QRect> two = {left, right};

    QTest::newRow("inside stays") << QRect(200, 200, 210, 150) << one << QRect(200, 200, 210, 150);
    QTest::newRow("partly off the right, header reachable")
        << QRect(1200, 300, 210, 150) << one << QRect(1200, 300, 210, 150);
    QTest::newRow("width 10^9") << QRect(100, 100, 1000000000, 150) << one
                                << QRect(0, 100, 1280, 150);
    QTest::newRow("height 30000") << QRect(100, 100, 210, 30000) << one << QRect(100, 0, 210, 1000);
    QTest::newRow("both huge") << QRect(0, 0, 30000, 1000000000) << one << left;
    QTest::newRow("far right and below")
        << QRect(5000, 5000, 210, 150) << one << QRect(1070, 850, 210, 150);
    QTest::newRow("header above the screen")
        << QRect(300, -50, 210, 150) << one << QRect(300, 0, 210, 150);
    QTest::newRow("only 30 pixels of header showing")
        << QRect(1250, 300, 210, 150) << one << QRect(1070, 300, 210, 150);
    QTest::newRow("40 pixels of header showing")
        << QRect(1240, 300, 210, 150) << one << QRect(1240, 300, 210, 150);
    QTest::newRow("header below the bottom")
        << QRect(300, 990, 210, 150) << one << QRect(300, 850, 210, 150);
    QTest::newRow("extreme negative position")
        << QRect(INT_MIN / 2, INT_MIN / 2, 210, 150) << one << QRect(0, 0, 210, 150);
    QTest::newRow("on the second monitor")
        << QRect(1500, 100, 210, 150) << two << QRect(1500, 100, 210, 150);
    QTest::newRow("second monitor unplugged")
        << QRect(1500, 100, 210, 150) << one << QRect(1070, 100, 210, 150);
    QTest::newRow("across both monitors")
        << QRect(1200, 100, 210, 150) << two << QRect(1200, 100, 210, 150);
    QTest::newRow("clamped to its own monitor")
        << QRect(1300, 10, 3000, 3000) << two << QRect(1280, 0, 1920, 1080);
    QTest::newRow("past the second monitor")
        << QRect(4000, 500, 210, 150) << two << QRect(2990, 500, 210, 150);
    QTest::newRow("no screens known")
        << QRect(5000, 5000, 210, 150) << QList<QRect>() << QRect(5000, 5000, 210, 150);
}

void TestNotePlacement::fitsNotesToScreens()
{
    QFETCH(QRect, note);
    QFETCH(QList<QRect>, screens);
    QFETCH(QRect, fitted);
    QCOMPARE(fitToScreens(note, screens), fitted);
}

void TestNotePlacement::fittedNoteIsStable()
{
    // Fitting again changes nothing, so screen changes never make notes wander.
    const QList<QRect> screens = {QRect(0, 0, 1280, 1000), QRect(1280, 200, 1024, 768)};
    for (const QRect &note :
         {QRect(-3000, 5, 300, 200), QRect(2000, 1500, 5000, 40), QRect(1270, 100, 210, 150)}) {
        const QRect once = fitToScreens(note, screens);
        QCOMPARE(fitToScreens(once, screens), once);
    }
}

QTEST_GUILESS_MAIN(TestNotePlacement)
#include "tst_noteplacement.moc"
