#include "dialogdriving.h"
#include "platform/nativesettings.h"
#include "widgets/rztogglemessagebox.h"

#include <QCheckBox>
#include <QLabel>
#include <QLayout>
#include <QTest>

using DialogDriving::button;

namespace {
const QString kCloseWarning = QStringLiteral("UserDefinedVariables/CloseWarning");
const QString kHideWarning = QStringLiteral("UserDefinedVariables/HideWarning");
const QString kDeleteWarning = QStringLiteral("UserDefinedVariables/DeleteWarning");

QCheckBox *checkBox(const QWidget *box)
{
    return box->findChild<QCheckBox *>();
}

QLabel *messageLabel(const QWidget *box)
{
    const QList<QLabel *> labels = box->findChildren<QLabel *>();
    for (QLabel *label : labels) {
        if (!label->text().isEmpty())
            return label;
    }
    return nullptr;
}
} // namespace

class TestRZToggleMessageBox : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        for (const QString &key : {kCloseWarning, kHideWarning, kDeleteWarning})
            NativeSettings::remove(key);
    }

    void contents()
    {
        RZToggleMessageBox box(QStringLiteral("Hide Note"), QStringLiteral("<p>Really hide?</p>"),
                               kHideWarning);
        QCOMPARE(box.windowTitle(), QStringLiteral("Hide Note"));
        QVERIFY(checkBox(&box));
        QCOMPARE(checkBox(&box)->text(), QStringLiteral("Do not show this message again."));
        QVERIFY(!checkBox(&box)->isChecked());
        QVERIFY(button(&box, QStringLiteral("&Yes")));
        QVERIFY(button(&box, QStringLiteral("&Cancel")));
        QCOMPARE(messageLabel(&box)->text(), QStringLiteral("<p>Really hide?</p>"));
        QCOMPARE(messageLabel(&box)->textFormat(), Qt::AutoText);
        // Constructing the box writes nothing.
        QVERIFY(!NativeSettings::contains(kHideWarning));
    }

    void fixedSizeAndWrapping()
    {
        const QString longMessage =
            QStringLiteral("<p>%1</p>").arg(QStringLiteral("word ").repeated(200));
        RZToggleMessageBox box(QStringLiteral("Delete Note"), longMessage, kDeleteWarning);
        box.show();
        QVERIFY(QTest::qWaitForWindowExposed(&box));
        QCOMPARE(box.layout()->sizeConstraint(), QLayout::SetFixedSize);
        QCOMPARE(box.minimumSize(), box.maximumSize());
        QLabel *label = messageLabel(&box);
        QVERIFY(label->wordWrap());
        const int oneLineWidth =
            label->fontMetrics().horizontalAdvance(QStringLiteral("word ").repeated(200));
        QVERIFY2(box.width() < oneLineWidth / 2, "the message must wrap, not widen the box");
        QVERIFY(label->height() > 3 * label->fontMetrics().height());
    }

    void toggleSequence_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<int>("clicks");
        QTest::addColumn<bool>("expectedFlag");

        QTest::newRow("tick") << kCloseWarning << 1 << false;
        QTest::newRow("tick untick") << kHideWarning << 2 << true;
        QTest::newRow("tick untick tick") << kDeleteWarning << 3 << false;
        QTest::newRow("tick untick tick untick") << kCloseWarning << 4 << true;
        QTest::newRow("any key") << QStringLiteral("SomeGroup/SomeWarning") << 5 << false;
    }

    void toggleSequence()
    {
        QFETCH(QString, key);
        QFETCH(int, clicks);
        QFETCH(bool, expectedFlag);

        RZToggleMessageBox box(QStringLiteral("Title"), QStringLiteral("<p>Text</p>"), key);
        box.show();
        for (int click = 0; click < clicks; ++click) {
            QTest::mouseClick(checkBox(&box), Qt::LeftButton);
            // The flag follows every toggle at once, while the box is open.
            QCOMPARE(NativeSettings::boolValue(key), click % 2 == 1);
        }
        QVERIFY(NativeSettings::contains(key));
        QCOMPARE(NativeSettings::boolValue(key), expectedFlag);
        NativeSettings::remove(key);
    }

    void partialStateWritesNothing()
    {
        RZToggleMessageBox box(QStringLiteral("Title"), QStringLiteral("<p>Text</p>"),
                               kCloseWarning);
        checkBox(&box)->setTristate(true);
        checkBox(&box)->setCheckState(Qt::PartiallyChecked);
        QVERIFY(!NativeSettings::contains(kCloseWarning));
    }

    void closing_data()
    {
        QTest::addColumn<bool>("flagBefore");
        QTest::addColumn<bool>("tick");
        QTest::addColumn<QString>("closeBy");
        QTest::addColumn<int>("expectedResult");
        QTest::addColumn<bool>("expectedFlag");

        const int accepted = QDialog::Accepted;
        const int rejected = QDialog::Rejected;
        QTest::newRow("yes") << true << false << "yes" << accepted << true;
        QTest::newRow("tick, yes") << true << true << "yes" << accepted << false;
        QTest::newRow("tick, cancel") << true << true << "cancel" << rejected << true;
        QTest::newRow("cancel writes true") << false << false << "cancel" << rejected << true;
        QTest::newRow("tick, escape") << true << true << "escape" << rejected << false;
        QTest::newRow("escape writes nothing") << false << false << "escape" << rejected << false;
        QTest::newRow("tick, title-bar close") << true << true << "close" << rejected << false;
        QTest::newRow("title-bar close writes nothing")
            << false << false << "close" << rejected << false;
    }

    void closing()
    {
        QFETCH(bool, flagBefore);
        QFETCH(bool, tick);
        QFETCH(QString, closeBy);
        QFETCH(int, expectedResult);
        QFETCH(bool, expectedFlag);

        NativeSettings::setValue(kDeleteWarning, flagBefore);
        auto *box =
            new RZToggleMessageBox(QStringLiteral("Delete Note"),
                                   QStringLiteral("<p>Delete this note?</p>"), kDeleteWarning);
        const int result = DialogDriving::runModal(*box, [&](QDialog *dialog) {
            if (tick)
                QTest::mouseClick(checkBox(dialog), Qt::LeftButton);
            if (closeBy == QLatin1String("yes"))
                button(dialog, QStringLiteral("&Yes"))->click();
            else if (closeBy == QLatin1String("cancel"))
                button(dialog, QStringLiteral("&Cancel"))->click();
            else if (closeBy == QLatin1String("escape"))
                QTest::keyClick(dialog, Qt::Key_Escape);
            else
                dialog->close();
        });
        delete box;

        QCOMPARE(result, expectedResult);
        QCOMPARE(NativeSettings::boolValue(kDeleteWarning), expectedFlag);
    }
};

QTEST_MAIN(TestRZToggleMessageBox)
#include "tst_rztogglemessagebox.moc"
