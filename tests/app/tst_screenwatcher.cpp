// Screens added, removed or resized lead to one refit of the notes per burst.

#include "app/screenwatcher.h"

#include <QGuiApplication>
#include <QScreen>
#include <QtTest>

class TestScreenWatcher : public QObject
{
    Q_OBJECT

private slots:
    void burstsOfScreenChangesGiveOneCall();
};

void TestScreenWatcher::burstsOfScreenChangesGiveOneCall()
{
    int calls = 0;
    ScreenWatcher watcher([&calls] { ++calls; });
    QScreen *screen = QGuiApplication::primaryScreen();
    QVERIFY(screen);

    // A monitor unplugged: its removal and the others' new areas come together.
    emit qApp->screenRemoved(screen);
    emit screen->geometryChanged(QRect(0, 0, 640, 480));
    emit screen->availableGeometryChanged(QRect(0, 0, 640, 450));
    QCOMPARE(calls, 0); // settles in the event loop first
    QTRY_COMPARE(calls, 1);
    QTest::qWait(20);
    QCOMPARE(calls, 1);

    // A panel moved on one screen.
    emit screen->availableGeometryChanged(QRect(0, 30, 640, 450));
    QTRY_COMPARE(calls, 2);

    // A screen plugged in is watched from then on.
    emit qApp->screenAdded(screen);
    QTRY_COMPARE(calls, 3);
}

QTEST_MAIN(TestScreenWatcher)
#include "tst_screenwatcher.moc"
