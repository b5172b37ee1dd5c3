#include "dialogdriving.h"
#include "richtext/imagedialog.h"
#include "ui/standarddialogs.h"
#include "ui/userprompt.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QSpinBox>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using DialogDriving::button;

namespace {
QLineEdit *pathEdit(const QWidget *dialog)
{
    return dialog->findChild<QLineEdit *>(QStringLiteral("pathLineEdit"));
}
QSpinBox *widthBox(const QWidget *dialog)
{
    return dialog->findChild<QSpinBox *>(QStringLiteral("widthSpinBox"));
}
QSpinBox *heightBox(const QWidget *dialog)
{
    return dialog->findChild<QSpinBox *>(QStringLiteral("heightSpinBox"));
}
} // namespace

class TestImageDialog : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        StandardDialogs::setAnswerOnlyFromQueue(true);
        QVERIFY(m_images.isValid());
        for (const char *name : {"photo.PNG", "100%2 %3.jpg", "old.bmp"}) {
            QFile file(m_images.filePath(QLatin1String(name)));
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
    }

    void init()
    {
        StandardDialogs::clearAnswers();
        StandardDialogs::takeHistory();
        UserPrompt::takeHistory();
    }

    void cleanup() { QCOMPARE(StandardDialogs::pendingAnswers(), 0); }

    void contents()
    {
        const ImageDialog dialog;
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Insert Image"));
        for (const QSpinBox *box : {widthBox(&dialog), heightBox(&dialog)}) {
            QVERIFY(box);
            QCOMPARE(box->minimum(), 0);
            QCOMPARE(box->maximum(), 99);
            QCOMPARE(box->value(), 0);
        }
        QVERIFY(button(&dialog, QStringLiteral("&Browse...")));
        QVERIFY(button(&dialog, QStringLiteral("&OK")));
        QVERIFY(button(&dialog, QStringLiteral("&Cancel")));
    }

    // The dialog and its chooser start in the Pictures folder (where the
    // desktop's user-dirs.dirs puts it), else in the home folder.
    void startsInPicturesOrHome_data()
    {
        QTest::addColumn<QString>("picturesSetting"); // user-dirs.dirs line, empty for none
        QTest::addColumn<QString>("makeFolder");      // relative to HOME, empty for none
        QTest::addColumn<QString>("start");           // relative to HOME

        QTest::newRow("no Pictures folder") << ""
                                            << ""
                                            << "";
        QTest::newRow("Pictures folder") << ""
                                         << "Pictures"
                                         << "Pictures";
        QTest::newRow("a plain file named Pictures") << ""
                                                     << "@Pictures"
                                                     << "";
        QTest::newRow("desktop names it Bilder") << "XDG_PICTURES_DIR=\"$HOME/Bilder\""
                                                 << "Bilder"
                                                 << "Bilder";
        QTest::newRow("desktop names Bilder, not made") << "XDG_PICTURES_DIR=\"$HOME/Bilder\""
                                                        << "Pictures"
                                                        << "";
    }

    void startsInPicturesOrHome()
    {
        QFETCH(QString, picturesSetting);
        QFETCH(QString, makeFolder);
        QFETCH(QString, start);
        const QString home = QDir::homePath();
        QVERIFY2(qEnvironmentVariableIsSet("NOTARELLA_SANDBOX"), "runs only in a throw-away HOME");
        const QString userDirs =
            QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
            QStringLiteral("/user-dirs.dirs");
        QFile::remove(userDirs);
        for (const char *name : {"Pictures", "Bilder"}) {
            QDir(home + QLatin1Char('/') + QLatin1String(name)).removeRecursively();
            QFile::remove(home + QLatin1Char('/') + QLatin1String(name));
        }
        if (!picturesSetting.isEmpty()) {
            QFile file(userDirs);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(picturesSetting.toUtf8() + '\n');
        }
        if (makeFolder.startsWith(QLatin1Char('@'))) {
            QFile file(home + QLatin1Char('/') + makeFolder.mid(1));
            QVERIFY(file.open(QIODevice::WriteOnly));
        } else if (!makeFolder.isEmpty()) {
            QVERIFY(QDir(home).mkpath(makeFolder));
        }
        const QString expected = start.isEmpty() ? home : home + QLatin1Char('/') + start;

        ImageDialog dialog;
        QCOMPARE(pathEdit(&dialog)->text(), expected + QLatin1Char('/'));
        StandardDialogs::queueOpenFileName(QString());
        dialog.show();
        QTest::mouseClick(button(&dialog, QStringLiteral("&Browse...")), Qt::LeftButton);
        const QList<StandardDialogs::Request> asked = StandardDialogs::takeHistory();
        QCOMPARE(asked.size(), 1);
        QCOMPARE(asked.first().directory, expected);
        QFile::remove(userDirs);
    }

    void sizesAbove99CannotBeEntered()
    {
        ImageDialog dialog;
        dialog.show();
        QSpinBox *width = widthBox(&dialog);
        width->selectAll();
        QTest::keyClicks(width, QStringLiteral("150"));
        QVERIFY(width->value() <= 99);
        QTest::keyClick(width, Qt::Key_Up);
        QTest::keyClick(width, Qt::Key_Up);
        QVERIFY(width->value() <= 99);
        heightBox(&dialog)->setValue(500);
        QCOMPARE(heightBox(&dialog)->value(), 99);
    }

    void browse_data()
    {
        QTest::addColumn<QString>("chosen"); // empty: the chooser is cancelled
        QTest::addColumn<QString>("expectedPath");
        QTest::newRow("chosen") << "/pictures/cat.png"
                                << "/pictures/cat.png";
        QTest::newRow("cancelled") << ""
                                   << "/typed/before.gif";
    }

    void browse()
    {
        QFETCH(QString, chosen);
        QFETCH(QString, expectedPath);

        ImageDialog dialog;
        dialog.show();
        pathEdit(&dialog)->setText(QStringLiteral("/typed/before.gif"));
        StandardDialogs::queueOpenFileName(chosen);
        QTest::mouseClick(button(&dialog, QStringLiteral("&Browse...")), Qt::LeftButton);
        QCOMPARE(pathEdit(&dialog)->text(), expectedPath);

        const QList<StandardDialogs::Request> asked = StandardDialogs::takeHistory();
        QCOMPARE(asked.size(), 1);
        QCOMPARE(asked.first().kind, StandardDialogs::Kind::OpenFile);
        QCOMPARE(asked.first().caption, QStringLiteral("Choose an image to insert:"));
        QCOMPARE(asked.first().filter, QStringLiteral("Images ( *.gif *.jpg *.png *.xpm )"));
    }

    void checks_data()
    {
        QTest::addColumn<QString>("path"); // "@" stands for the folder of test images
        QTest::addColumn<QString>("expectedMessage");

        QTest::newRow("a folder: the starting path") << "@/"
                                                     << "<p>The file name is invalid.</p>";
        QTest::newRow("a Windows drive") << "C:/"
                                         << "<p>The file name is invalid.</p>";
        QTest::newRow("empty path") << ""
                                    << "<p>The file name is invalid.</p>";
        QTest::newRow("bmp") << "@/old.bmp"
                             << "<p>Supported image types are: *.gif, *.jpg, *.png, and *.xpm.</p>";
        QTest::newRow("missing file") << "@/missing.gif"
                                      << "<p>The image file entered does not exist.</p>";
    }

    void checks()
    {
        QFETCH(QString, path);
        QFETCH(QString, expectedMessage);
        path.replace(QLatin1Char('@'), m_images.path());

        ImageDialog dialog;
        bool stayedOpen = false;
        const int result = DialogDriving::runModal(dialog, [&](QDialog *shown) {
            pathEdit(shown)->setText(path);
            UserPrompt::queueAnswer(QMessageBox::Ok);
            QTest::mouseClick(button(shown, QStringLiteral("&OK")), Qt::LeftButton);
            stayedOpen = shown->isVisible();
            QTest::mouseClick(button(shown, QStringLiteral("&Cancel")), Qt::LeftButton);
        });
        QVERIFY(stayedOpen);
        QCOMPARE(result, int(QDialog::Rejected));
        const QList<UserPrompt::Record> shownBoxes = UserPrompt::takeHistory();
        QCOMPARE(shownBoxes.size(), 1);
        QCOMPARE(shownBoxes.first().title, QStringLiteral("Image Error"));
        QCOMPARE(shownBoxes.first().text, expectedMessage);
    }

    void accepted_data()
    {
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        QTest::addColumn<QString>("expectedHtml"); // "@" stands for the image path

        QTest::newRow("upper-case suffix, no size") << "photo.PNG" << 0 << 0 << "<img src=\"@\" />";
        QTest::newRow("width only")
            << "photo.PNG" << 40 << 0 << "<img src=\"@\" width=\"40\" height=\"0\" />";
        QTest::newRow("placeholders in the path")
            << "100%2 %3.jpg" << 12 << 34 << "<img src=\"@\" width=\"12\" height=\"34\" />";
    }

    void accepted()
    {
        QFETCH(QString, fileName);
        QFETCH(int, width);
        QFETCH(int, height);
        QFETCH(QString, expectedHtml);
        const QString path = m_images.filePath(fileName);

        ImageDialog dialog;
        const int result = DialogDriving::runModal(dialog, [&](QDialog *shown) {
            StandardDialogs::queueOpenFileName(path);
            QTest::mouseClick(button(shown, QStringLiteral("&Browse...")), Qt::LeftButton);
            widthBox(shown)->setValue(width);
            heightBox(shown)->setValue(height);
            QTest::mouseClick(button(shown, QStringLiteral("&OK")), Qt::LeftButton);
        });
        QCOMPARE(result, int(QDialog::Accepted));
        QVERIFY(UserPrompt::takeHistory().isEmpty());
        QCOMPARE(dialog.html(), QString(expectedHtml).replace(QLatin1Char('@'), path));
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
        ImageDialog dialog;
        const int result = DialogDriving::runModal(dialog, [&](QDialog *shown) {
            if (how == QLatin1String("cancel"))
                QTest::mouseClick(button(shown, QStringLiteral("&Cancel")), Qt::LeftButton);
            else if (how == QLatin1String("escape"))
                QTest::keyClick(shown, Qt::Key_Escape);
            else
                shown->close();
        });
        QCOMPARE(result, int(QDialog::Rejected));
        QVERIFY(UserPrompt::takeHistory().isEmpty());
    }

private:
    QTemporaryDir m_images;
};

QTEST_MAIN(TestImageDialog)
#include "tst_imagedialog.moc"
