// Notes stay where the user can reach them: stored sizes larger than the
// screen are clamped, and notes whose header is on no screen (a monitor
// unplugged, damaged positions) come back onto the nearest one. New notes
// open where no other note has its top-left corner.

#include "notes/noteplacement.h"
#include "platform/displayplatform.h"

#include <QtTest>

using NotePlacement::fitToScreens;
using NotePlacement::placeForNewNote;

namespace {
// The corners of the first `count` places of the run starting at `start`.
QList<QPoint> run(QPoint start, int count)
{
    QList<QPoint> corners;
    for (int i = 0; i < count; ++i)
        corners << start + QPoint(20 * i, 20 * i);
    return corners;
}
} // namespace

class TestNotePlacement : public QObject
{
    Q_OBJECT

private slots:
    void fitsNotesToScreens_data();
    void fitsNotesToScreens();
    void fittedNoteIsStable();
    void newNotesOpenAtAFreePlace_data();
    void newNotesOpenAtAFreePlace();
    void storedPlaceIsOverwrittenOnlyWhenKnown_data();
    void storedPlaceIsOverwrittenOnlyWhenKnown();
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

void TestNotePlacement::newNotesOpenAtAFreePlace_data()
{
    QTest::addColumn<QList<QPoint>>("taken");
    QTest::addColumn<QRect>("available");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QPoint>("place");

    const QRect screen(0, 0, 1280, 1000); // a run has 33 places: y = 200 .. 840
    const QSize note(210, 150);
    QTest::newRow("empty desktop") << QList<QPoint>() << screen << note << QPoint(200, 200);
    QTest::newRow("first place taken")
        << QList<QPoint>{{200, 200}} << screen << note << QPoint(220, 220);
    QTest::newRow("a run of places taken")
        << run({200, 200}, 5) << screen << note << QPoint(300, 300);
    QTest::newRow("a gap in the run is filled")
        << QList<QPoint>{{200, 200}, {220, 220}, {260, 260}, {280, 280}, {400, 400}} << screen
        << note << QPoint(240, 240);
    QTest::newRow("corners off the steps do not count")
        << QList<QPoint>{{201, 200}, {200, 199}, {0, 0}} << screen << note << QPoint(200, 200);
    QTest::newRow("last place of the run")
        << run({200, 200}, 32) << screen << note << QPoint(840, 840);
    QTest::newRow("the next step would leave the screen: next run")
        << run({200, 200}, 33) << screen << note << QPoint(220, 200);
    QTest::newRow("next step ends exactly at the bottom edge")
        << run({200, 200}, 33) << QRect(0, 0, 1280, 1010) << note << QPoint(860, 860);
    QTest::newRow("next step one pixel beyond the bottom edge")
        << run({200, 200}, 33) << QRect(0, 0, 1280, 1009) << note << QPoint(220, 200);
    QTest::newRow("second run taken too")
        << run({200, 200}, 33) + run({220, 200}, 33) << screen << note << QPoint(240, 200);
    // With 1280 pixels the last x is 1070: runs start at 200, 220, ..., 1060.
    QList<QPoint> all;
    for (int x = 200; x <= 1060; x += 20)
        all += run({x, 200}, 33);
    QTest::newRow("all places taken: the first place") << all << screen << note << QPoint(200, 200);
    QTest::newRow("one more run ends exactly at the right edge")
        << all << QRect(0, 0, 1290, 1000) << note << QPoint(1080, 200);
    QTest::newRow("one more run would pass the right edge by a pixel")
        << all << QRect(0, 0, 1289, 1000) << note << QPoint(200, 200);
    QTest::newRow("screen to the right and below")
        << QList<QPoint>{{1480, 300}} << QRect(1280, 100, 1920, 1080) << note << QPoint(1500, 320);
    QTest::newRow("small screen: first place moves in")
        << QList<QPoint>() << QRect(0, 0, 300, 250) << note << QPoint(90, 100);
    QTest::newRow("small screen, that place taken: the first place")
        << QList<QPoint>{{90, 100}} << QRect(0, 0, 300, 250) << note << QPoint(90, 100);
    QTest::newRow("note larger than the screen")
        << QList<QPoint>() << QRect(10, 20, 200, 100) << note << QPoint(10, 20);
    QTest::newRow("no screen") << QList<QPoint>{{200, 200}} << QRect() << note << QPoint(200, 200);
}

void TestNotePlacement::newNotesOpenAtAFreePlace()
{
    QFETCH(QList<QPoint>, taken);
    QFETCH(QRect, available);
    QFETCH(QSize, size);
    QFETCH(QPoint, place);
    QCOMPARE(placeForNewNote(taken, available, size), place);
}

// Under Wayland every window says it lies at (0,0); writing that would lose
// every note's place.
void TestNotePlacement::storedPlaceIsOverwrittenOnlyWhenKnown_data()
{
    QTest::addColumn<QString>("platform");
    QTest::addColumn<QPoint>("reported");
    QTest::addColumn<std::optional<QPoint>>("known");
    QTest::addColumn<QPoint>("stored");
    const std::optional<QPoint> none;
    QTest::newRow("X11: where the window is")
        << "xcb" << QPoint(320, 260) << std::optional(QPoint(200, 200)) << QPoint(320, 260);
    QTest::newRow("X11, never placed") << "xcb" << QPoint(5, 6) << none << QPoint(5, 6);
    QTest::newRow("offscreen reports too")
        << "offscreen" << QPoint(7, 8) << std::optional(QPoint(1, 2)) << QPoint(7, 8);
    QTest::newRow("Wayland: the known place")
        << "wayland" << QPoint(0, 0) << std::optional(QPoint(612, 408)) << QPoint(612, 408);
    QTest::newRow("Wayland EGL: the known place")
        << "wayland-egl" << QPoint(0, 0) << std::optional(QPoint(-40, 30)) << QPoint(-40, 30);
    QTest::newRow("Wayland, never placed") << "wayland" << QPoint(0, 0) << none << QPoint(0, 0);
}

void TestNotePlacement::storedPlaceIsOverwrittenOnlyWhenKnown()
{
    QFETCH(QString, platform);
    QFETCH(QPoint, reported);
    QFETCH(std::optional<QPoint>, known);
    QFETCH(QPoint, stored);
    QCOMPARE(NotePlacement::positionToStore(reported, known,
                                            DisplayPlatform::reportsWindowPositions(platform)),
             stored);
}

QTEST_GUILESS_MAIN(TestNotePlacement)
#include "tst_noteplacement.moc"
