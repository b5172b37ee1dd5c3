// Pictures in notes as a person meets them: inserted with the image dialog
// of a note's editor, kept through a restart after the original file moved
// away; pictures and icons of notes from earlier versions taken in at load.

#include "app/mainwindow.h"
#include "base/apppaths.h"
#include "dialogdriving.h"
#include "mainwindowtestaccess.h"
#include "notes/stickywidget.h"
#include "platform/nativesettings.h"
#include "richtext/elinktextbrowser.h"
#include "richtext/rzrichtexteditor.h"
#include "store/notedatabase.h"
#include "store/picturestore.h"
#include "widgets/trayicon.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QTextFragment>
#include <QTimer>

#include <memory>

namespace {

struct Shown
{
    QString source;
    QImage image;
};

// Every picture a note's text shows, as its text area loads it.
QList<Shown> picturesShown(const StickyWidget &note)
{
    QList<Shown> shown;
    QTextDocument *document = note.textBrowser()->document();
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat format = it.fragment().charFormat();
            if (!format.isImageFormat())
                continue;
            const QString name = format.toImageFormat().name();
            shown.append(
                {name,
                 document->resource(QTextDocument::ImageResource, QUrl(name)).value<QImage>()});
        }
    }
    return shown;
}

bool writePicture(const QString &path, const QColor &color)
{
    QImage image(8, 8, QImage::Format_RGB32);
    image.fill(color);
    return image.save(path, "PNG");
}

} // namespace

class TestNotePictures : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> m_folder;
    std::unique_ptr<MainWindow> m_window;

    QString dataDirectory() const { return m_folder->path() + QStringLiteral("/.NotarellaData/"); }

    // Ends the program as at log-out and starts it again, in a process that
    // holds no picture yet.
    void restart()
    {
        MainWindowTestAccess::saveAtExit(*m_window);
        m_window.reset();
        PictureStore::instance().clear();
        m_window = std::make_unique<MainWindow>();
        QVERIFY(!m_window->startupFailed());
    }

private slots:
    void initTestCase()
    {
        TrayIcon::setTrayAvailableForTesting(true);
        QCoreApplication::setOrganizationName(QString::fromLatin1(NativeSettings::kOrganization));
        QCoreApplication::setApplicationName(QString::fromLatin1(NativeSettings::kApplication));
        qputenv("USERNAME", "pictures");
    }

    void init()
    {
        NativeSettings::remove(QString());
        PictureStore::instance().clear();
        m_folder = std::make_unique<QTemporaryDir>();
        QVERIFY(m_folder->isValid());
        AppPaths::setApplicationDirectoryForTesting(m_folder->path());
    }

    void cleanup()
    {
        m_window.reset();
        m_folder.reset();
    }

    void pictureInsertedWithTheDialogSurvivesItsFile()
    {
        const QString picture = m_folder->path() + QStringLiteral("/holiday/sunset.png");
        QVERIFY(QDir().mkpath(QFileInfo(picture).absolutePath()));
        QVERIFY(writePicture(picture, Qt::red));
        m_window = std::make_unique<MainWindow>();
        QVERIFY(!m_window->startupFailed());
        MainWindowTestAccess::createSticky(*m_window, QStringLiteral("#FFFF00"),
                                           QStringLiteral("Yellow"));
        StickyWidget *note = stickyList.last();

        // The note's editor: "Insert..." > "Image", the file typed into the
        // dialog, OK; then OK in the editor.
        bool inserted = false;
        QTimer::singleShot(0, note, [&] {
            auto *editor = qobject_cast<rz_RichTextEditor *>(QApplication::activeModalWidget());
            if (!editor)
                return;
            QTimer::singleShot(0, editor, [&] {
                auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
                if (!dialog || dialog == editor)
                    return;
                dialog->findChild<QLineEdit *>(QStringLiteral("pathLineEdit"))->setText(picture);
                DialogDriving::button(dialog, QStringLiteral("&OK"))->click();
                inserted = true;
            });
            auto *items = editor->findChild<QComboBox *>(QStringLiteral("insertItemComboBox"));
            DialogDriving::pickItem(items, items->findText(QStringLiteral("Image")));
            editor->accept();
        });
        QTimer watchdog;
        QObject::connect(&watchdog, &QTimer::timeout, note, [] {
            if (auto *stuck = qobject_cast<QDialog *>(QApplication::activeModalWidget()))
                stuck->reject();
        });
        watchdog.start(5000);
        QMetaObject::invokeMethod(note, "showRichTextEditor");
        QVERIFY(inserted);
        QCOMPARE(picturesShown(*note).size(), 1);

        QVERIFY(QFile::rename(picture, picture + QStringLiteral(".moved")));
        restart();
        QCOMPARE(stickyList.size(), 2);
        const QList<Shown> shown = picturesShown(*stickyList.last());
        QCOMPARE(shown.size(), 1);
        QVERIFY(!shown.first().image.isNull());
        QCOMPARE(shown.first().image.size(), QSize(8, 8));
        QCOMPARE(shown.first().image.pixelColor(4, 4), QColor(Qt::red));
    }

    // A note of an earlier version shows pictures by their paths: a readable
    // one is kept with the note from the first load on, a missing one keeps
    // its path, and an icon of the program's old folder is found in the
    // program's folder of today.
    void picturesOfOldNotesAreTakenInAtLoad()
    {
        const QString picture = m_folder->path() + QStringLiteral("/my pictures/cat & dog.png");
        QVERIFY(QDir().mkpath(QFileInfo(picture).absolutePath()));
        QVERIFY(writePicture(picture, Qt::blue));
        QVERIFY(QDir().mkpath(m_folder->path() + QStringLiteral("/icons")));
        QVERIFY(writePicture(m_folder->path() + QStringLiteral("/icons/star.png"), Qt::yellow));
        const QString missing = m_folder->path() + QStringLiteral("/gone.png");
        const QString oldIcon = QStringLiteral("/opt/old place/icons/star.png");

        NoteRecord record;
        record.id = 4;
        record.visible = true;
        record.colorRGB = QStringLiteral("#FFFF00");
        record.colorName = QStringLiteral("Yellow");
        record.creationDate = QDateTime::currentDateTime();
        record.message = QStringLiteral("<p><img src=\"%1\"> <img src=\"%2\"> <img src=\"%3\"></p>")
                             .arg(picture.toHtmlEscaped(), missing, oldIcon);
        record.width = 300;
        record.height = 200;
        {
            NoteDatabase database;
            QCOMPARE(database.open(dataDirectory(), dataDirectory() + QStringLiteral("pictures")),
                     NoteDatabase::OpenResult::Opened);
            QVERIFY(database.save({record}));
        }
        m_window = std::make_unique<MainWindow>();
        QVERIFY(!m_window->startupFailed());
        QCOMPARE(stickyList.size(), 1);
        const QString message = stickyList.first()->message();
        QVERIFY(!message.contains(QStringLiteral("cat &amp; dog")));
        QVERIFY(message.contains(missing));
        QVERIFY(message.contains(QStringLiteral("notarella-icon:star.png")));

        QVERIFY(QFile::remove(picture));
        restart();
        const QList<Shown> shown = picturesShown(*stickyList.first());
        QCOMPARE(shown.size(), 3);
        QCOMPARE(shown.at(0).image.pixelColor(4, 4), QColor(Qt::blue));
        QCOMPARE(shown.at(1).source, missing);
        QCOMPARE(shown.at(1).image, ELinkTextBrowser::placeholderPicture());
        QCOMPARE(shown.at(2).image.pixelColor(4, 4), QColor(Qt::yellow));
    }
};

QTEST_MAIN(TestNotePictures)
#include "tst_notepictures.moc"
