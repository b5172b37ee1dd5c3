// Pictures taken into the notes: the rewriting of image sources (files become
// stored pictures, icons of any program folder become icons by name), their
// display in the text area, pasting and the image dialog of the editor.

#include "richtext/elinktextbrowser.h"
#include "richtext/pictureintake.h"
#include "richtext/pictureresources.h"
#include "richtext/rzrichtexteditor.h"
#include "store/picturestore.h"
#include "ui/userprompt.h"

#include "dialogdriving.h"

#include <QBuffer>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMimeData>
#include <QTemporaryDir>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextTable>
#include <QtTest>

#include <sys/stat.h>

namespace {

QByteArray pngOf(const QColor &color, int size = 6)
{
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(color);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QString hashOf(const QByteArray &bytes)
{
    return PictureStore::hashOf(bytes);
}

} // namespace

class TestPictureIntake : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir folder;
    QString dir;        // pictures of the user
    QString iconFolder; // the program's icons, with a trailing "/"
    QHash<QString, QByteArray> contents;
    QHash<QString, QString> hashes; // of each content, by name

    // Replaces "DIR" by the folder and "@name@" by the hash of that file's
    // content.
    QString filled(QString text) const
    {
        text.replace(QLatin1String("DIR"), dir);
        for (auto it = hashes.cbegin(); it != hashes.cend(); ++it)
            text.replace(QLatin1Char('@') + it.key() + QLatin1Char('@'), it.value());
        return text;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(folder.isValid());
        dir = folder.path() + QStringLiteral("/pictures");
        iconFolder = folder.path() + QStringLiteral("/app/icons/");
        contents.insert(QStringLiteral("sunset"), pngOf(Qt::red));
        contents.insert(QStringLiteral("amp"), pngOf(Qt::green));
        contents.insert(QStringLiteral("space"), pngOf(Qt::blue));
        contents.insert(QStringLiteral("percent"), pngOf(Qt::cyan));
        contents.insert(QStringLiteral("star"), pngOf(Qt::yellow));
        contents.insert(QStringLiteral("mystar"), pngOf(Qt::magenta));
        // Pictures at the bound and just above it: a real picture, padded.
        const auto padded = [](qint64 size) {
            QByteArray bytes = pngOf(Qt::white);
            bytes.append(QByteArray(size - bytes.size(), '\0'));
            return bytes;
        };
        contents.insert(QStringLiteral("limit"), padded(PictureIntake::kMaxPictureBytes));
        for (auto it = contents.cbegin(); it != contents.cend(); ++it)
            hashes.insert(it.key(), hashOf(it.value()));
        QVERIFY(writeFile(dir + QStringLiteral("/sunset.png"), contents.value("sunset")));
        QVERIFY(writeFile(dir + QStringLiteral("/a&b.png"), contents.value("amp")));
        QVERIFY(writeFile(dir + QStringLiteral("/with space.png"), contents.value("space")));
        QVERIFY(writeFile(dir + QStringLiteral("/100%25.png"), contents.value("percent")));
        QVERIFY(writeFile(iconFolder + QStringLiteral("star.png"), contents.value("star")));
        QVERIFY(writeFile(dir + QStringLiteral("/icons/star.png"), contents.value("mystar")));
        QVERIFY(writeFile(dir + QStringLiteral("/limit.png"), contents.value("limit")));
        QVERIFY(writeFile(dir + QStringLiteral("/over.png"),
                          padded(PictureIntake::kMaxPictureBytes + 1)));
        QVERIFY(QDir().mkpath(dir + QStringLiteral("/folder.png")));
        QCOMPARE(::mkfifo(QFile::encodeName(dir + QStringLiteral("/pipe.png")).constData(), 0600),
                 0);
    }

    void takeIn_data()
    {
        QTest::addColumn<QString>("html");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<int>("taken");
        QTest::addColumn<QStringList>("tooLarge");

        QTest::newRow("double quotes")
            << "<p>a<img src=\"DIR/sunset.png\">b</p>"
            << "<p>a<img src=\"notarella-image:@sunset@\">b</p>" << 1 << QStringList();
        QTest::newRow("single quotes, size kept")
            << "<img src='DIR/sunset.png' width=\"40\" height=\"30\" />"
            << "<img src='notarella-image:@sunset@' width=\"40\" height=\"30\" />" << 1
            << QStringList();
        QTest::newRow("ampersand as entity")
            << "<img src=\"DIR/a&amp;b.png\" />"
            << "<img src=\"notarella-image:@amp@\" />" << 1 << QStringList();
        QTest::newRow("blank in the name")
            << "<img src=\"DIR/with space.png\">"
            << "<img src=\"notarella-image:@space@\">" << 1 << QStringList();
        QTest::newRow("blank percent-encoded")
            << "<img src=\"DIR/with%20space.png\">"
            << "<img src=\"notarella-image:@space@\">" << 1 << QStringList();
        QTest::newRow("percent sign encoded")
            << "<img src=\"DIR/100%2525.png\">"
            << "<img src=\"notarella-image:@percent@\">" << 1 << QStringList();
        QTest::newRow("file address")
            << "<img src=\"file://DIR/with%20space.png\">"
            << "<img src=\"notarella-image:@space@\">" << 1 << QStringList();
        QTest::newRow("several images")
            << "<img src=\"DIR/sunset.png\"> and <img src=\"DIR/a&amp;b.png\"><img "
               "src=\"DIR/sunset.png\">"
            << "<img src=\"notarella-image:@sunset@\"> and <img src=\"notarella-image:@amp@\"><img "
               "src=\"notarella-image:@sunset@\">"
            << 3 << QStringList();
        QTest::newRow("image inside a link keeps the link")
            << "<a href=\"DIR/sunset.png\"><img src=\"DIR/sunset.png\"></a>"
            << "<a href=\"DIR/sunset.png\"><img src=\"notarella-image:@sunset@\"></a>" << 1
            << QStringList();
        QTest::newRow("missing file untouched")
            << "<img src=\"DIR/gone.png\">"
            << "<img src=\"DIR/gone.png\">" << 0 << QStringList();
        QTest::newRow("directory untouched")
            << "<img src=\"DIR/folder.png\">"
            << "<img src=\"DIR/folder.png\">" << 0 << QStringList();
        QTest::newRow("FIFO untouched, never waited for")
            << "<img src=\"DIR/pipe.png\">"
            << "<img src=\"DIR/pipe.png\">" << 0 << QStringList();
        QTest::newRow("exactly 20 MB taken")
            << "<img src=\"DIR/limit.png\">"
            << "<img src=\"notarella-image:@limit@\">" << 1 << QStringList();
        QTest::newRow("20 MB and one byte stays a link")
            << "<img src=\"DIR/over.png\"><img src=\"DIR/over.png\">"
            << "<img src=\"DIR/over.png\"><img src=\"DIR/over.png\">" << 0
            << QStringList{QStringLiteral("DIR/over.png")};
        QTest::newRow("web address untouched")
            << "<img src=\"http://example.org/a.png\">"
            << "<img src=\"http://example.org/a.png\">" << 0 << QStringList();
        QTest::newRow("relative path untouched")
            << "<img src=\"pictures/sunset.png\">"
            << "<img src=\"pictures/sunset.png\">" << 0 << QStringList();
        QTest::newRow("stored picture untouched")
            << "<img src=\"notarella-image:@sunset@\">"
            << "<img src=\"notarella-image:@sunset@\">" << 0 << QStringList();
        QTest::newRow("icon of a moved program folder")
            << "<img src=\"/old/place/icons/star.png\">"
            << "<img src=\"notarella-icon:star.png\">" << 1 << QStringList();
        QTest::newRow("icon of a moved folder unknown here")
            << "<img src=\"/old/place/icons/nosuch.png\">"
            << "<img src=\"/old/place/icons/nosuch.png\">" << 0 << QStringList();
        QTest::newRow("own icons folder with another picture is a picture")
            << "<img src=\"DIR/icons/star.png\">"
            << "<img src=\"notarella-image:@mystar@\">" << 1 << QStringList();
        QTest::newRow("text without images") << "<p>a &amp; b</p>"
                                             << "<p>a &amp; b</p>" << 0 << QStringList();
    }

    void takeIn()
    {
        QFETCH(QString, html);
        QFETCH(QString, expected);
        QFETCH(int, taken);
        QFETCH(QStringList, tooLarge);
        PictureStore::instance().clear();
        const PictureIntake::Result result = PictureIntake::takeIn(filled(html), iconFolder);
        QCOMPARE(result.html, filled(expected));
        QCOMPARE(result.taken, taken);
        for (QString &file : tooLarge)
            file = filled(file);
        QCOMPARE(result.tooLarge, tooLarge);
        // Every reference made has its picture in the store, byte for byte.
        const QSet<QString> made =
            PictureStore::referencedIn(result.html) - PictureStore::referencedIn(filled(html));
        QCOMPARE(made.size(), PictureStore::instance().size());
        for (const QString &hash : made) {
            const QString name = hashes.key(hash);
            QVERIFY(!name.isEmpty());
            QCOMPARE(PictureStore::instance().bytes(hash), contents.value(name));
        }
    }

    void tooLargeMessageNamesEachFile()
    {
        const QString message = PictureIntake::tooLargeMessage({QStringLiteral("/p/a<b>&.png")});
        QVERIFY(message.contains(QStringLiteral("/p/a&lt;b&gt;&amp;.png")));
    }

    // The text area shows a stored picture from the store, an icon from the
    // program's icons folder, and the placeholder for an unknown one.
    void textAreaShowsStoredPictures()
    {
        PictureStore::instance().clear();
        const QString hash = PictureStore::instance().add(pngOf(Qt::red, 7));
        ELinkTextBrowser browser;
        browser.setHtml(QStringLiteral("<img src=\"notarella-image:%1\">").arg(hash));
        const QImage shown =
            browser
                .loadResource(QTextDocument::ImageResource, QUrl(PictureStore::imageSource(hash)))
                .value<QImage>();
        QCOMPARE(shown.size(), QSize(7, 7));
        QCOMPARE(shown.pixelColor(3, 3), QColor(Qt::red));
        const QImage unknown =
            browser
                .loadResource(QTextDocument::ImageResource,
                              QUrl(PictureStore::imageSource(QString(64, QLatin1Char('0')))))
                .value<QImage>();
        QCOMPARE(unknown, ELinkTextBrowser::placeholderPicture());

        const std::optional<QImage> icon =
            PictureResources::picture(QUrl(QStringLiteral("notarella-icon:star.png")), iconFolder);
        QVERIFY(icon && !icon->isNull());
        QCOMPARE(icon->pixelColor(0, 0), QColor(Qt::yellow));
    }

    void iconNamesCannotLeaveTheIconsFolder_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("parent") << "../icons/star.png";
        QTest::newRow("dot dot") << "..";
        QTest::newRow("absolute") << "/etc/passwd";
        QTest::newRow("empty") << "";
        QTest::newRow("missing") << "nosuch.png";
    }

    void iconNamesCannotLeaveTheIconsFolder()
    {
        QFETCH(QString, name);
        const std::optional<QImage> icon =
            PictureResources::picture(QUrl(QStringLiteral("notarella-icon:") + name), iconFolder);
        QVERIFY(icon);
        QVERIFY(icon->isNull());
        QVERIFY(!PictureResources::picture(QUrl(QStringLiteral("/x/star.png")), iconFolder));
    }

    // A print-out of several notes has no text area: its document is given
    // the pictures directly.
    void documentsWithoutTextAreaShowStoredPictures()
    {
        const QString hash = PictureStore::instance().add(pngOf(Qt::blue, 5));
        QTextDocument document;
        PictureResources::provideTo(document);
        const QImage shown =
            document.resource(QTextDocument::ImageResource, QUrl(PictureStore::imageSource(hash)))
                .value<QImage>();
        QCOMPARE(shown.size(), QSize(5, 5));
    }

    void pastedPictureDataIsKept()
    {
        PictureStore::instance().clear();
        ELinkTextBrowser browser;
        QMimeData data;
        QImage image(4, 3, QImage::Format_RGB32);
        image.fill(Qt::green);
        data.setImageData(image);
        QVERIFY(browser.canInsertFromMimeData(&data));
        browser.insertFromMimeData(&data);
        const QSet<QString> hashes = PictureStore::referencedIn(browser.toHtml());
        QCOMPARE(hashes.size(), 1);
        const QImage stored = QImage::fromData(PictureStore::instance().bytes(*hashes.begin()));
        QCOMPARE(stored.size(), QSize(4, 3));
    }

    void pastedMarkupTooDeepGoesInAsText_data()
    {
        QTest::addColumn<QString>("html");
        QTest::addColumn<int>("tables");
        const QString deep = QStringLiteral("< table><tr><td>").repeated(3000);
        QTest::newRow("tables nested deeper than the layout takes") << deep + "deep words" << 0;
        QTest::newRow("the same with a picture")
            << deep + "deep words<img src=\"DIR/sunset.png\">" << 0;
        QTest::newRow("one table stays a table")
            << "<table><tr><td>deep words</td></tr></table>" << 1;
    }

    void pastedMarkupTooDeepGoesInAsText()
    {
        QFETCH(QString, html);
        QFETCH(int, tables);
        ELinkTextBrowser browser;
        QMimeData data;
        data.setHtml(filled(html));
        browser.insertFromMimeData(&data);
        QVERIFY(browser.toPlainText().contains(QLatin1String("deep words")));
        int found = 0;
        for (QTextFrame::iterator it = browser.document()->rootFrame()->begin(); !it.atEnd(); ++it)
            found += qobject_cast<QTextTable *>(it.currentFrame()) ? 1 : 0;
        QCOMPARE(found, tables);
    }

    void pastedPictureFilesAreKept_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<bool>("kept");
        QTest::newRow("small file") << "DIR/sunset.png" << true;
        QTest::newRow("20 MB and one byte stays a link") << "DIR/over.png" << false;
    }

    void pastedPictureFilesAreKept()
    {
        QFETCH(QString, file);
        QFETCH(bool, kept);
        PictureStore::instance().clear();
        UserPrompt::takeHistory();
        ELinkTextBrowser browser;
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(filled(file))});
        browser.insertFromMimeData(&data);
        const QString html = browser.toHtml();
        QCOMPARE(PictureStore::referencedIn(html).size(), kept ? 1 : 0);
        const QList<UserPrompt::Record> told = UserPrompt::takeHistory();
        if (kept) {
            QVERIFY(told.isEmpty());
            QVERIFY(!html.contains(filled(file)));
        } else {
            QVERIFY(html.contains(filled(file).toHtmlEscaped()));
            QCOMPARE(told.size(), 1);
            QCOMPARE(told.first().title, PictureIntake::tooLargeTitle());
        }
    }

    // As a person does it: the editor's "Image" item, the dialog filled in
    // and accepted; the note then shows the picture kept with it.
    void editorImageDialogKeepsThePicture_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<bool>("kept");
        QTest::newRow("small file") << "DIR/sunset.png" << true;
        QTest::newRow("20 MB and one byte stays a link") << "DIR/over.png" << false;
    }

    void editorImageDialogKeepsThePicture()
    {
        QFETCH(QString, file);
        QFETCH(bool, kept);
        PictureStore::instance().clear();
        UserPrompt::takeHistory();
        rz_RichTextEditor editor;
        editor.show();
        auto *items = editor.findChild<QComboBox *>(QStringLiteral("insertItemComboBox"));
        QVERIFY(items);
        bool answered = false;
        QTimer::singleShot(0, &editor, [&] {
            auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            dialog->findChild<QLineEdit *>(QStringLiteral("pathLineEdit"))->setText(filled(file));
            DialogDriving::button(dialog, QStringLiteral("&OK"))->click();
            answered = true;
        });
        DialogDriving::pickItem(items, items->findText(QStringLiteral("Image")));
        QVERIFY(answered);
        const QString html = editor.html();
        QCOMPARE(PictureStore::referencedIn(html).size(), kept ? 1 : 0);
        const QList<UserPrompt::Record> told = UserPrompt::takeHistory();
        QCOMPARE(told.size(), kept ? 0 : 1);
        if (kept)
            QCOMPARE(*PictureStore::referencedIn(html).begin(), hashes.value("sunset"));
    }
};

QTEST_MAIN(TestPictureIntake)
#include "tst_pictureintake.moc"
