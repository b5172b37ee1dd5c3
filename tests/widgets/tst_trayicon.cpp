#include "app/mainwindow.h"
#include "base/apppaths.h"
#include "notes/stickywidget.h"
#include "platform/nativesettings.h"
#include "widgets/trayicon.h"
#include "widgets/traypicture.h"

#include <QMenu>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

class TestTrayIcon : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanup();
    void toolTipIsCutForTheTray_data();
    void toolTipIsCutForTheTray();
    void valuesSetBeforeShowAreUsedByIt();
    void showAndHideAreIdempotent();
    void trayActivations_data();
    void trayActivations();
    void rightReleaseWithoutMenuDoesNothing();
    void trayPicture_data();
    void trayPicture();

private:
    std::unique_ptr<QTemporaryDir> m_folder;
    std::unique_ptr<MainWindow> m_window;
};

void TestTrayIcon::initTestCase()
{
    QCoreApplication::setOrganizationName(QString::fromLatin1(NativeSettings::kOrganization));
    QCoreApplication::setApplicationName(QString::fromLatin1(NativeSettings::kApplication));
    qputenv("USERNAME", "tray");
    TrayIcon::setTrayAvailableForTesting(true);
    m_folder = std::make_unique<QTemporaryDir>();
    AppPaths::setApplicationDirectoryForTesting(m_folder->path());
}

void TestTrayIcon::cleanup()
{
    m_window.reset();
}

void TestTrayIcon::toolTipIsCutForTheTray_data()
{
    QTest::addColumn<QString>("toolTip");
    QTest::addColumn<QString>("shown");
    const QString sixtyThree = QString(60, QLatin1Char('n')) + QStringLiteral("end");
    QTest::newRow("short") << "Notarella"
                           << "Notarella";
    QTest::newRow("63 characters") << sixtyThree << sixtyThree;
    QTest::newRow("64 characters") << sixtyThree + QLatin1Char('X') << sixtyThree;
    QTest::newRow("long, not ASCII") << QString(100, QChar(0x00E9)) << QString(63, QChar(0x00E9));
    QTest::newRow("empty") << QString() << QString();
}

void TestTrayIcon::toolTipIsCutForTheTray()
{
    QFETCH(QString, toolTip);
    QFETCH(QString, shown);
    TrayIcon icon(::trayPicture(), QStringLiteral("first"), nullptr, nullptr);
    QVERIFY(icon.show());
    icon.setToolTip(toolTip);
    QCOMPARE(icon.toolTip(), toolTip); // the whole text is kept
    QCOMPARE(icon.backendForTesting()->toolTip(), shown);
    QCOMPARE(icon.property("toolTip").toString(), toolTip);
}

void TestTrayIcon::valuesSetBeforeShowAreUsedByIt()
{
    TrayIcon icon(::trayPicture(), QStringLiteral("text-set-in-changeLanguage"), nullptr, nullptr);
    QPixmap red(16, 16);
    red.fill(Qt::red);
    icon.setToolTip(QStringLiteral("Notarella"));
    icon.setIcon(red);
    QVERIFY(!icon.isInTray());
    QVERIFY(icon.backendForTesting() == nullptr);

    icon.show();
    QCOMPARE(icon.backendForTesting()->toolTip(), QStringLiteral("Notarella"));
    const QImage shown = icon.backendForTesting()->icon().pixmap(16, 16).toImage();
    QCOMPARE(shown.pixelColor(8, 8), QColor(Qt::red));

    QPixmap blue(16, 16);
    blue.fill(Qt::blue);
    icon.setIcon(blue); // in the tray: shown at once
    QCOMPARE(icon.backendForTesting()->icon().pixmap(16, 16).toImage().pixelColor(8, 8),
             QColor(Qt::blue));
}

void TestTrayIcon::showAndHideAreIdempotent()
{
    TrayIcon icon(::trayPicture(), QStringLiteral("Notarella"), nullptr, nullptr);
    QVERIFY(icon.hide()); // never shown: nothing to do
    QVERIFY(!icon.isInTray());
    QVERIFY(icon.show());
    QSystemTrayIcon *backend = icon.backendForTesting();
    QVERIFY(icon.show());
    QCOMPARE(icon.backendForTesting(), backend); // added once
    QCOMPARE(icon.findChildren<QSystemTrayIcon *>().size(), 1);

    icon.newTrayOwner();
    QVERIFY(icon.isInTray());
    QCOMPARE(icon.findChildren<QSystemTrayIcon *>().size(), 1);
    QCOMPARE(icon.backendForTesting()->toolTip(), QStringLiteral("Notarella"));
    QVERIFY(icon.hide());
    QVERIFY(!icon.isInTray());
    QVERIFY(icon.findChildren<QSystemTrayIcon *>().isEmpty());
}

void TestTrayIcon::trayActivations_data()
{
    QTest::addColumn<QList<int>>("reasons");
    QTest::addColumn<int>("newNotes");
    QTest::addColumn<bool>("menuShown");
    QTest::addColumn<int>("middleClicks");
    QTest::addColumn<int>("doubleClicks");
    using R = QSystemTrayIcon;
    QTest::newRow("left click") << QList<int>{R::Trigger} << 1 << false << 0 << 0;
    QTest::newRow("right click") << QList<int>{R::Context} << 0 << true << 0 << 0;
    QTest::newRow("middle click") << QList<int>{R::MiddleClick} << 0 << false << 1 << 0;
    // The tray reports a double click as a click and then the double click.
    QTest::newRow("double click") << QList<int>{R::Trigger, R::DoubleClick} << 1 << false << 0 << 1;
    QTest::newRow("unknown") << QList<int>{R::Unknown} << 0 << false << 0 << 0;
}

void TestTrayIcon::trayActivations()
{
    QFETCH(QList<int>, reasons);
    QFETCH(int, newNotes);
    QFETCH(bool, menuShown);
    QFETCH(int, middleClicks);
    QFETCH(int, doubleClicks);

    m_window = std::make_unique<MainWindow>();
    TrayIcon *icon = m_window->trayIcon();
    QVERIFY(icon && icon->isInTray());
    QSignalSpy middle(icon, &TrayIcon::clicked);
    QSignalSpy twice(icon, &TrayIcon::doubleClicked);
    const qsizetype notesBefore = stickyList.size();

    for (const int reason : reasons)
        emit icon->backendForTesting()->activated(QSystemTrayIcon::ActivationReason(reason));

    QCOMPARE(stickyList.size() - notesBefore, newNotes);
    if (newNotes) {
        const StickyWidget *created = stickyList.last();
        QCOMPARE(created->colorRGB(), QStringLiteral("#FFFF00"));
        QCOMPARE(created->colorName(), QStringLiteral("Yellow"));
        // Beside the notes there (the welcome note at 200,200 and the notes
        // earlier rows wrote at once), not over one of them.
        QCOMPARE(created->pos(), QPoint(200, 200) + QPoint(20, 20) * int(notesBefore));
    }
    const auto menus = QApplication::topLevelWidgets();
    const bool anyMenuVisible = std::any_of(menus.cbegin(), menus.cend(), [](QWidget *widget) {
        return qobject_cast<QMenu *>(widget) && widget->isVisible();
    });
    QCOMPARE(anyMenuVisible, menuShown);
    QCOMPARE(middle.size(), middleClicks);
    if (middleClicks)
        QCOMPARE(middle.first().at(1).toInt(), 4);
    QCOMPARE(twice.size(), doubleClicks);
    for (QWidget *widget : menus) {
        if (qobject_cast<QMenu *>(widget))
            widget->hide();
    }
}

void TestTrayIcon::rightReleaseWithoutMenuDoesNothing()
{
    TrayIcon icon(::trayPicture(), QStringLiteral("Notarella"), nullptr, nullptr);
    icon.show();
    emit icon.backendForTesting()->activated(QSystemTrayIcon::Context);
    emit icon.backendForTesting()->activated(QSystemTrayIcon::Trigger); // no owner: no note
    const auto widgets = QApplication::topLevelWidgets();
    QVERIFY(std::none_of(widgets.cbegin(), widgets.cend(),
                         [](QWidget *widget) { return widget->isVisible(); }));
}

void TestTrayIcon::trayPicture_data()
{
    QTest::addColumn<QPoint>("pixel");
    QTest::addColumn<QColor>("colour");
    const QColor none(Qt::transparent);
    const QColor orange(QStringLiteral("#FFB624"));
    const QColor yellow(QStringLiteral("#FFFF00"));
    QTest::newRow("top rows clear") << QPoint(7, 1) << none;
    QTest::newRow("top edge") << QPoint(0, 2) << orange;
    QTest::newRow("left edge") << QPoint(0, 6) << orange;
    QTest::newRow("body") << QPoint(8, 7) << yellow;
    QTest::newRow("fold crease") << QPoint(5, 10) << orange;
    QTest::newRow("inside the fold") << QPoint(2, 9) << yellow;
    QTest::newRow("cut-off corner") << QPoint(0, 10) << none;
    QTest::newRow("bottom edge") << QPoint(15, 13) << orange;
    QTest::newRow("bottom rows clear") << QPoint(8, 15) << none;
}

void TestTrayIcon::trayPicture()
{
    QFETCH(QPoint, pixel);
    QFETCH(QColor, colour);
    const QImage picture = ::trayPicture().toImage().convertToFormat(QImage::Format_ARGB32);
    QCOMPARE(picture.size(), QSize(16, 16));
    const QColor found = picture.pixelColor(pixel);
    if (colour.alpha() == 0)
        QCOMPARE(found.alpha(), 0);
    else
        QCOMPARE(found, colour);
}

QTEST_MAIN(TestTrayIcon)
#include "tst_trayicon.moc"
