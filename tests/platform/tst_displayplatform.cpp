// In a Wayland session the program asks for XWayland, where notes keep their
// places, unless the user chose a platform or there is no XWayland.

#include "platform/displayplatform.h"

#include <QtTest>

class TestDisplayPlatform : public QObject
{
    Q_OBJECT

private slots:
    void platformForSession_data();
    void platformForSession();
};

void TestDisplayPlatform::platformForSession_data()
{
    QTest::addColumn<QByteArray>("chosen");
    QTest::addColumn<QByteArray>("wayland");
    QTest::addColumn<QByteArray>("display");
    QTest::addColumn<QByteArray>("sessionType");
    QTest::addColumn<QByteArray>("platform");
    const QByteArray xwayland = "xcb;wayland";
    QTest::newRow("Wayland with XWayland") << QByteArray() << QByteArray("wayland-0")
                                           << QByteArray(":1") << QByteArray("wayland") << xwayland;
    QTest::newRow("Wayland display alone names the session")
        << QByteArray() << QByteArray("wayland-0") << QByteArray(":1") << QByteArray() << xwayland;
    QTest::newRow("session type alone names it")
        << QByteArray() << QByteArray() << QByteArray(":0") << QByteArray(" Wayland ") << xwayland;
    QTest::newRow("no XWayland: left to Qt")
        << QByteArray() << QByteArray("wayland-0") << QByteArray() << QByteArray("wayland")
        << QByteArray();
    QTest::newRow("the user chose Wayland")
        << QByteArray("wayland") << QByteArray("wayland-0") << QByteArray(":1")
        << QByteArray("wayland") << QByteArray();
    QTest::newRow("the user chose offscreen") << QByteArray("offscreen") << QByteArray("wayland-0")
                                              << QByteArray(":1") << QByteArray() << QByteArray();
    QTest::newRow("a blank choice is no choice") << QByteArray(" ") << QByteArray("wayland-0")
                                                 << QByteArray(":1") << QByteArray() << xwayland;
    QTest::newRow("X11 session: left to Qt")
        << QByteArray() << QByteArray() << QByteArray(":0") << QByteArray("x11") << QByteArray();
    QTest::newRow("no display at all")
        << QByteArray() << QByteArray() << QByteArray() << QByteArray() << QByteArray();
}

void TestDisplayPlatform::platformForSession()
{
    QFETCH(QByteArray, chosen);
    QFETCH(QByteArray, wayland);
    QFETCH(QByteArray, display);
    QFETCH(QByteArray, sessionType);
    QFETCH(QByteArray, platform);
    QCOMPARE(DisplayPlatform::platformFor({chosen, wayland, display, sessionType}), platform);
}

QTEST_GUILESS_MAIN(TestDisplayPlatform)
#include "tst_displayplatform.moc"
