#include "dialogdriving.h"
#include "richtext/hyperlinkdialog.h"
#include "ui/standarddialogs.h"

#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

using DialogDriving::button;
using StandardDialogs::Kind;

namespace {
QComboBox *kindList(const QWidget *dialog)
{
    return dialog->findChild<QComboBox *>(QStringLiteral("urlTypeComboBox"));
}
QLineEdit *displayEdit(const QWidget *dialog)
{
    return dialog->findChild<QLineEdit *>(QStringLiteral("displayTextLineEdit"));
}
QLineEdit *addressEdit(const QWidget *dialog)
{
    return dialog->findChild<QLineEdit *>(QStringLiteral("addressLineEdit"));
}
QLabel *addressPrompt(const QWidget *dialog)
{
    return dialog->findChild<QLabel *>(QStringLiteral("addressLabel"));
}
} // namespace

class TestHyperlinkDialog : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { StandardDialogs::setAnswerOnlyFromQueue(true); }
    void init()
    {
        StandardDialogs::clearAnswers();
        StandardDialogs::takeHistory();
    }
    void cleanup() { QCOMPARE(StandardDialogs::pendingAnswers(), 0); }

    void contents()
    {
        const HyperlinkDialog dialog(QStringLiteral("Notes"));
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Insert Hyperlink"));
        QComboBox *combo = kindList(&dialog);
        QVERIFY(combo);
        QVERIFY(!combo->isEditable());
        QStringList items;
        for (int i = 0; i < combo->count(); ++i)
            items << combo->itemText(i);
        QCOMPARE(items,
                 (QStringList{"Webpage URL", "Email Address", "Local File", "Local Directory"}));
        QCOMPARE(displayEdit(&dialog)->text(), QStringLiteral("Notes"));
        QCOMPARE(addressPrompt(&dialog)->text(), QStringLiteral("Enter the webpage address:"));
        QCOMPARE(addressEdit(&dialog)->text(), QStringLiteral("http://"));
        QVERIFY(button(&dialog, QStringLiteral("&OK")));
        QVERIFY(button(&dialog, QStringLiteral("&Cancel")));
    }

    void kinds_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("chooserAnswer"); // empty: the chooser is cancelled
        QTest::addColumn<QString>("expectedPrompt");
        QTest::addColumn<QString>("expectedAddress");
        QTest::addColumn<int>("expectedChooser"); // -1: none

        const QString typed = QStringLiteral("http://typed.example.org/a%2Fb");
        QTest::newRow("webpage again replaces the address") << 0 << ""
                                                            << "Enter the webpage address:"
                                                            << "http://" << -1;
        QTest::newRow("email") << 1 << ""
                               << "Enter the email address:"
                               << "mailto:" << -1;
        QTest::newRow("local file chosen") << 2 << "/home/me/plan %2.txt"
                                           << "Enter the absolute file name:"
                                           << "file:/home/me/plan %2.txt" << int(Kind::OpenFile);
        QTest::newRow("local file cancelled keeps the address")
            << 2 << ""
            << "Enter the absolute file name:" << typed << int(Kind::OpenFile);
        QTest::newRow("local directory chosen") << 3 << "/srv/shared"
                                                << "Enter the full directory path:"
                                                << "file:/srv/shared" << int(Kind::Directory);
        QTest::newRow("local directory cancelled keeps the address")
            << 3 << ""
            << "Enter the full directory path:" << typed << int(Kind::Directory);
    }

    void kinds()
    {
        QFETCH(int, kind);
        QFETCH(QString, chooserAnswer);
        QFETCH(QString, expectedPrompt);
        QFETCH(QString, expectedAddress);
        QFETCH(int, expectedChooser);

        HyperlinkDialog dialog(QStringLiteral("Notes"));
        dialog.show();
        // Start from another kind, then type an address over its prefix.
        DialogDriving::pickItem(kindList(&dialog), kind == 1 ? 0 : 1);
        addressEdit(&dialog)->setText(QStringLiteral("http://typed.example.org/a%2Fb"));
        if (expectedChooser == int(Kind::OpenFile))
            StandardDialogs::queueOpenFileName(chooserAnswer);
        else if (expectedChooser == int(Kind::Directory))
            StandardDialogs::queueDirectory(chooserAnswer);

        DialogDriving::pickItem(kindList(&dialog), kind);

        QCOMPARE(addressPrompt(&dialog)->text(), expectedPrompt);
        QCOMPARE(addressEdit(&dialog)->text(), expectedAddress);
        QCOMPARE(displayEdit(&dialog)->text(), QStringLiteral("Notes"));

        const QList<StandardDialogs::Request> asked = StandardDialogs::takeHistory();
        if (expectedChooser < 0) {
            QVERIFY(asked.isEmpty());
            return;
        }
        QCOMPARE(asked.size(), 1);
        QCOMPARE(int(asked.first().kind), expectedChooser);
        QCOMPARE(asked.first().directory, QDir::homePath());
        QCOMPARE(asked.first().filter, QString());
        QCOMPARE(asked.first().caption,
                 expectedChooser == int(Kind::OpenFile)
                     ? QStringLiteral("Select a target file:")
                     : QStringLiteral("Select a target directory for the hyperlink:"));
    }

    void sameKindAgainStartsOver()
    {
        HyperlinkDialog dialog(QStringLiteral("Mail me"));
        dialog.show();
        DialogDriving::pickItem(kindList(&dialog), 1);
        addressEdit(&dialog)->setText(QStringLiteral("mailto:me@example.org"));
        DialogDriving::pickItem(kindList(&dialog), 1);
        QCOMPARE(addressEdit(&dialog)->text(), QStringLiteral("mailto:"));
    }

    void accepting_data()
    {
        QTest::addColumn<QString>("displayText");
        QTest::addColumn<QString>("address");
        QTest::addColumn<QString>("expectedHtml");

        QTest::newRow("selected word, bare prefix") << "Notes"
                                                    << "http://"
                                                    << "<a href=\"http://\">Notes</a>";
        QTest::newRow("markup and quotes as typed")
            << "a < b \"quoted\""
            << "http://x.org/?q=\"1\""
            << "<a href=\"http://x.org/?q=\"1\"\">a < b \"quoted\"</a>";
        QTest::newRow("percent signs as typed")
            << "50%2 off %1"
            << "http://x.org/a%2Fb%3F"
            << "<a href=\"http://x.org/a%2Fb%3F\">50%2 off %1</a>";
    }

    void accepting()
    {
        QFETCH(QString, displayText);
        QFETCH(QString, address);
        QFETCH(QString, expectedHtml);

        HyperlinkDialog dialog(displayText);
        const int result = DialogDriving::runModal(dialog, [&](QDialog *shown) {
            QTest::keyClick(addressEdit(shown), Qt::Key_A, Qt::ControlModifier);
            QTest::keyClicks(addressEdit(shown), address);
            QTest::mouseClick(button(shown, QStringLiteral("&OK")), Qt::LeftButton);
        });
        QCOMPARE(result, int(QDialog::Accepted));
        QCOMPARE(dialog.html(), expectedHtml);
    }

    void emptyDisplayTextKeepsDialogOpen()
    {
        HyperlinkDialog dialog{QString()};
        bool stayedOpen = false;
        bool focusMoved = false;
        bool active = false;
        const int result = DialogDriving::runModal(dialog, [&](QDialog *shown) {
            active = QTest::qWaitForWindowActive(shown);
            addressEdit(shown)->setFocus();
            QTest::mouseClick(button(shown, QStringLiteral("&OK")), Qt::LeftButton);
            stayedOpen = shown->isVisible();
            focusMoved = displayEdit(shown)->hasFocus();
            QTest::keyClicks(displayEdit(shown), QStringLiteral("Now with text"));
            QTest::mouseClick(button(shown, QStringLiteral("&OK")), Qt::LeftButton);
        });
        QVERIFY(active);
        QVERIFY(stayedOpen);
        QVERIFY(focusMoved);
        QCOMPARE(result, int(QDialog::Accepted));
        QCOMPARE(dialog.html(), QStringLiteral("<a href=\"http://\">Now with text</a>"));
    }

    void rejecting_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("cancel") << "cancel";
        QTest::newRow("escape") << "escape";
        QTest::newRow("close") << "close";
    }

    void rejecting()
    {
        QFETCH(QString, how);
        HyperlinkDialog dialog(QStringLiteral("Notes"));
        const int result = DialogDriving::runModal(dialog, [&](QDialog *shown) {
            if (how == QLatin1String("cancel"))
                QTest::mouseClick(button(shown, QStringLiteral("&Cancel")), Qt::LeftButton);
            else if (how == QLatin1String("escape"))
                QTest::keyClick(shown, Qt::Key_Escape);
            else
                shown->close();
        });
        QCOMPARE(result, int(QDialog::Rejected));
    }
};

QTEST_MAIN(TestHyperlinkDialog)
#include "tst_hyperlinkdialog.moc"
