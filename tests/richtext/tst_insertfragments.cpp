#include "richtext/insertfragments.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using InsertFragments::ImagePathCheck;

Q_DECLARE_METATYPE(InsertFragments::ImagePathCheck)

class TestInsertFragments : public QObject
{
    Q_OBJECT

private slots:
    void hyperlink_data()
    {
        QTest::addColumn<QString>("address");
        QTest::addColumn<QString>("displayText");
        QTest::addColumn<QString>("expected");

        QTest::newRow("prefix only") << "http://"
                                     << "Notes"
                                     << "<a href=\"http://\">Notes</a>";
        QTest::newRow("percent-encoded address")
            << "http://example.org/a%2Fb%3Fc"
            << "Docs"
            << "<a href=\"http://example.org/a%2Fb%3Fc\">Docs</a>";
        QTest::newRow("placeholders in the text")
            << "mailto:me@example.org"
            << "%1 and %2"
            << "<a href=\"mailto:me@example.org\">%1 and %2</a>";
        QTest::newRow("markup kept as typed")
            << "file:/tmp/\"x\""
            << "a < b \"quoted\" & more"
            << "<a href=\"file:/tmp/\"x\"\">a < b \"quoted\" & more</a>";
        QTest::newRow("empty address") << ""
                                       << "Text"
                                       << "<a href=\"\">Text</a>";
    }

    void hyperlink()
    {
        QFETCH(QString, address);
        QFETCH(QString, displayText);
        QFETCH(QString, expected);
        QCOMPARE(InsertFragments::hyperlink(address, displayText), expected);
    }

    void image_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        QTest::addColumn<QString>("expected");

        QTest::newRow("no size") << "/p/a.png" << 0 << 0 << "<img src=\"/p/a.png\" />";
        QTest::newRow("width only")
            << "/p/a.png" << 40 << 0 << "<img src=\"/p/a.png\" width=\"40\" height=\"0\" />";
        QTest::newRow("height only")
            << "/p/a.png" << 0 << 7 << "<img src=\"/p/a.png\" width=\"0\" height=\"7\" />";
        QTest::newRow("placeholders in the path")
            << "/tmp/%2%3%1.png" << 5 << 99
            << "<img src=\"/tmp/%2%3%1.png\" width=\"5\" height=\"99\" />";
        QTest::newRow("placeholder in the path, no size")
            << "/tmp/100%2.gif" << 0 << 0 << "<img src=\"/tmp/100%2.gif\" />";
        QTest::newRow("quote kept") << "/tmp/a\"b.png" << 0 << 0 << "<img src=\"/tmp/a\"b.png\" />";
    }

    void image()
    {
        QFETCH(QString, path);
        QFETCH(int, width);
        QFETCH(int, height);
        QFETCH(QString, expected);
        QCOMPARE(InsertFragments::image(path, width, height), expected);
    }

    void checkImagePath_data()
    {
        QTest::addColumn<QString>("relativePath"); // "" and "C:/" are used as they are
        QTest::addColumn<ImagePathCheck>("expected");

        QTest::newRow("empty") << "" << ImagePathCheck::InvalidFileName;
        QTest::newRow("nothing chosen yet") << "C:/" << ImagePathCheck::InvalidFileName;
        QTest::newRow("png") << "@/pic.png" << ImagePathCheck::Acceptable;
        QTest::newRow("upper-case JPG") << "@/PHOTO.JPG" << ImagePathCheck::Acceptable;
        QTest::newRow("mixed-case gif") << "@/anim.GiF" << ImagePathCheck::Acceptable;
        QTest::newRow("xpm") << "@/icon.xpm" << ImagePathCheck::Acceptable;
        QTest::newRow("placeholder in name") << "@/a%2.png" << ImagePathCheck::Acceptable;
        QTest::newRow("bmp is checked before existence")
            << "@/photo.bmp" << ImagePathCheck::UnsupportedType;
        QTest::newRow("jpeg") << "@/missing.jpeg" << ImagePathCheck::UnsupportedType;
        QTest::newRow("suffix without dot") << "@/pngfile" << ImagePathCheck::UnsupportedType;
        QTest::newRow("missing file") << "@/missing.png" << ImagePathCheck::FileMissing;
        QTest::newRow("directory named like an image")
            << "@/folder.png" << ImagePathCheck::FileMissing;
    }

    void checkImagePath()
    {
        QFETCH(QString, relativePath);
        QFETCH(ImagePathCheck, expected);

        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        for (const char *name :
             {"pic.png", "PHOTO.JPG", "anim.GiF", "icon.xpm", "a%2.png", "photo.bmp", "pngfile"}) {
            QFile file(dir.filePath(QLatin1String(name)));
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("folder.png")));

        QString path = relativePath;
        path.replace(QLatin1Char('@'), dir.path());
        QCOMPARE(InsertFragments::checkImagePath(path), expected);
    }
};

QTEST_MAIN(TestInsertFragments)
#include "tst_insertfragments.moc"
