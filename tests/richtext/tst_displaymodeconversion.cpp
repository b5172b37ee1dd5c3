#include "richtext/displaymodeconversion.h"
#include "richtext/textstructure.h"

#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <QTextCursor>
#include <QTextDocument>

using namespace DisplayModeConversion;

namespace {
// Stands for the icon directory in the tables below.
const QString kIconDir = QStringLiteral("ICONS/");
// A stored picture's hash.
const QString kHash = QString(64, QLatin1Char('a'));

// The document as Qt exports it after reading `html`.
QString exported(const QString &html)
{
    QTextDocument document;
    document.setHtml(html);
    return document.toHtml();
}
} // namespace

class TestDisplayModeConversion : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir icons;
    QString iconDirectory;

    QString withIcons(QString text) const { return text.replace(kIconDir, iconDirectory); }

private slots:
    void initTestCase()
    {
        QVERIFY(icons.isValid());
        iconDirectory = icons.path() + QStringLiteral("/");
        for (const char *name :
             {"star.png", "smile.png", "photo.jpg", "two words.png", "a:b.png"}) {
            QFile file(iconDirectory + QLatin1String(name));
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
        QVERIFY(QFile::link(iconDirectory + QStringLiteral("star.png"),
                            iconDirectory + QStringLiteral("linked.png")));
    }

    void iconNamesAreTheTokenSafePngFiles()
    {
        const QSet<QString> names = iconNames(iconDirectory);
        QCOMPARE(names, QSet<QString>({QStringLiteral("star"), QStringLiteral("smile")}));
        QVERIFY(iconNames(iconDirectory + QStringLiteral("missing/")).isEmpty());
    }

    void conversion_data()
    {
        QTest::addColumn<bool>("toMarkupDirection");
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("expected");

        // Functional to markup.
        QTest::newRow("rule") << true << "<p>a</p>\n<hr />\n<p>b</p>"
                              << "<p>a</p>\n&lt;hr /&gt;\n<p>b</p>";
        QTest::newRow("icon") << true << "<p>x<img src=\"ICONS/smile.png\" />y</p>"
                              << "<p>x:smile:y</p>";
        QTest::newRow("icon by name") << true << "<p>x<img src=\"notarella-icon:smile.png\" />y</p>"
                                      << "<p>x:smile:y</p>";
        QTest::newRow("icon by name whose file is gone")
            << true << "<img src=\"notarella-icon:gone.png\" />"
            << "&lt;img src=\"notarella-icon:gone.png\" /&gt;";
        QTest::newRow("icon by name with a size of its own")
            << true << "<img src=\"notarella-icon:star.png\" width=\"9\" />"
            << "&lt;img src=\"notarella-icon:star.png\" width=\"9\" /&gt;";
        QTest::newRow("stored picture shows as its tag")
            << true << "<img src=\"notarella-image:" + kHash + "\" width=\"40\" height=\"30\" />"
            << "&lt;img src=\"notarella-image:" + kHash + "\" width=\"40\" height=\"30\" /&gt;";
        QTest::newRow("icon with a size of its own")
            << true << "<img src=\"ICONS/smile.png\" width=\"40\" height=\"40\" />"
            << "&lt;img src=\"ICONS/smile.png\" width=\"40\" height=\"40\" /&gt;";
        QTest::newRow("icon of another installation")
            << true << "<img src=\"/old/icons/smile.png\" />"
            << "&lt;img src=\"/old/icons/smile.png\" /&gt;";
        QTest::newRow("icon folder picture that is no png")
            << true << "<img src=\"ICONS/photo.jpg\" />"
            << "&lt;img src=\"ICONS/photo.jpg\" /&gt;";
        QTest::newRow("icon whose file is gone") << true << "<img src=\"ICONS/gone.png\" />"
                                                 << "&lt;img src=\"ICONS/gone.png\" /&gt;";
        QTest::newRow("image with size")
            << true << "<img src=\"/p/a.png\" width=\"40\" height=\"0\" />"
            << "&lt;img src=\"/p/a.png\" width=\"40\" height=\"0\" /&gt;";
        QTest::newRow("ampersand in a source shows as written")
            << true << "<img src=\"/p/a&amp;b.png\" />"
            << "&lt;img src=\"/p/a&amp;amp;b.png\" /&gt;";
        QTest::newRow("source not first stays live")
            << true << "<img width=\"3\" src=\"/p/a.png\" />"
            << "<img width=\"3\" src=\"/p/a.png\" />";
        QTest::newRow("two links in a paragraph")
            << true << "<p><a href=\"u1\"><span>one</span></a> and <a href=\"u2\">two</a></p>"
            << "<p>&lt;a href=\"u1\"&gt;<span>one</span>&lt;/a&gt; and "
               "&lt;a href=\"u2\"&gt;two&lt;/a&gt;</p>";
        QTest::newRow("link address with entities")
            << true << "<a href=\"http://h/?a=1&amp;b=&quot;2\">t</a>"
            << "&lt;a href=\"http://h/?a=1&amp;amp;b=&amp;quot;2\"&gt;t&lt;/a&gt;";

        // Markup to functional.
        QTest::newRow("token") << false << "<p>x:smile:y</p>"
                               << "<p>x<img src=\"notarella-icon:smile.png\">y</p>";
        QTest::newRow("time of day") << false << "<p>at 12:30:45</p>"
                                     << "<p>at 12:30:45</p>";
        QTest::newRow("unknown name") << false << "<p>:nosuch:</p>"
                                      << "<p>:nosuch:</p>";
        QTest::newRow("closing colon opens the next token")
            << false << "<p>a:b:star:</p>"
            << "<p>a:b<img src=\"notarella-icon:star.png\"></p>";
        QTest::newRow("two tokens in a row") << false << ":star::smile:"
                                             << "<img src=\"notarella-icon:star.png\"><img "
                                                "src=\"notarella-icon:smile.png\">";
        QTest::newRow("token in a style stays") << false << "<span style=\" x:star:y;\">t</span>"
                                                << "<span style=\" x:star:y;\">t</span>";
        QTest::newRow("token across a tag stays") << false << "<p>:st<b>ar:</b></p>"
                                                  << "<p>:st<b>ar:</b></p>";
        QTest::newRow("token in a restored address stays")
            << false << "&lt;a href=&quot;http://h/:star:/&quot;&gt;go&lt;/a&gt;"
            << "<a href=\"http://h/:star:/\">go</a>";
        QTest::newRow("rule paragraph")
            << false << "<p>a</p>\n<p style=\" margin:0px;\">&lt;hr /&gt;</p>\n<p>b</p>"
            << "<p>a</p>\n<hr />\n<p>b</p>";
        QTest::newRow("rule inside text") << false << "<p>abc&lt;hr /&gt;def</p>"
                                          << "<p>abc<hr />def</p>";
        // What follows a rule in its block is never written out: a picture
        // and the rest of the line start a paragraph of their own.
        QTest::newRow("rule before a picture")
            << false << "<p>a &lt;hr /&gt; &lt;img src=&quot;p.png&quot; /&gt; b</p>"
            << "<p>a <hr /><p> <img src=\"p.png\" /> b</p>";
        QTest::newRow("image tag without a source stays text")
            << false << "&lt;img sr=&quot;p.png&quot; /&gt;"
            << "&lt;img sr=&quot;p.png&quot; /&gt;";
        QTest::newRow("link tag without an address stays text")
            << false << "&lt;a hre=&quot;x&quot;&gt;t&lt;/a&gt;"
            << "&lt;a hre=&quot;x&quot;&gt;t&lt;/a&gt;";
        QTest::newRow("link written inside a picture's source")
            << false
            << "&lt;img src=&quot;p&amp;gt;&amp;lt;a href=&quot; /&gt;x &lt;a "
               "href=&quot;h&quot;&gt;t&lt;/a&gt;"
            << "<img src=\"p&gt;&lt;a href=\" />x <a href=\"h\">t</a>";
        QTest::newRow("link closing written inside a linked picture's source")
            << false
            << "&lt;a href=&quot;h&quot;&gt;&lt;img src=&quot;p&amp;lt;/a&amp;gt;q&quot; "
               "/&gt;&lt;/a&gt;"
            << "<a href=\"h\"><img src=\"p&lt;/a&gt;q\" /></a>";
        QTest::newRow("rule before an icon")
            << false << "<p>a&lt;hr /&gt;:star: b</p>"
            << "<p>a<hr /><p><img src=\"notarella-icon:star.png\"> b</p>";
        QTest::newRow("image") << false
                               << "&lt;img src=&quot;/p/a.png&quot; width=&quot;40&quot; /&gt;"
                               << "<img src=\"/p/a.png\" width=\"40\" />";
        QTest::newRow("stored picture comes back")
            << false
            << "&lt;img src=&quot;notarella-image:" + kHash + "&quot; width=&quot;40&quot; /&gt;"
            << "<img src=\"notarella-image:" + kHash + "\" width=\"40\" />";
        QTest::newRow("icon by name typed as markup")
            << false << "&lt;img src=&quot;notarella-icon:star.png&quot; /&gt;"
            << "<img src=\"notarella-icon:star.png\" />";
        QTest::newRow("link") << false << "&lt;a href=&quot;http://x&quot;&gt;text&lt;/a&gt;"
                              << "<a href=\"http://x\">text</a>";
        QTest::newRow("link address entities decoded once")
            << false << "&lt;a href=&quot;x&amp;amp;y&amp;quot;&quot;&gt;t&lt;/a&gt;"
            << "<a href=\"x&amp;y&quot;\">t</a>";
        QTest::newRow("empty link text stays text")
            << false << "&lt;a href=&quot;x&quot;&gt;&lt;/a&gt;"
            << "&lt;a href=&quot;x&quot;&gt;&lt;/a&gt;";
        QTest::newRow("one-character attributes stay text") << false << "&lt;a h&gt;t&lt;/a&gt;"
                                                            << "&lt;a h&gt;t&lt;/a&gt;";
        QTest::newRow("two links separately")
            << false
            << "&lt;a href=&quot;1&quot;&gt;one&lt;/a&gt; &lt;a href=&quot;2&quot;&gt;two&lt;/a&gt;"
            << "<a href=\"1\">one</a> <a href=\"2\">two</a>";
        QTest::newRow("link text across paragraphs")
            << false << "&lt;a href=&quot;1&quot;&gt;on</p>\n<p>e&lt;/a&gt;"
            << "<a href=\"1\">on</p>\n<p>e</a>";
    }

    void conversion()
    {
        QFETCH(bool, toMarkupDirection);
        QFETCH(QString, input);
        QFETCH(QString, expected);
        const QString html = withIcons(input);
        const QString result =
            toMarkupDirection ? toMarkup(html, iconDirectory) : toFunctional(html, iconDirectory);
        QCOMPARE(result, withIcons(expected));
    }

    // A note from before icons were kept by name: its icon becomes a token
    // and comes back by name, found wherever the program runs.
    void iconByOldPathComesBackByName()
    {
        const QString markup =
            toMarkup(withIcons("<p><img src=\"ICONS/star.png\" /></p>"), iconDirectory);
        QCOMPARE(markup, QStringLiteral("<p>:star:</p>"));
        QCOMPARE(toFunctional(markup, iconDirectory),
                 QStringLiteral("<p><img src=\"notarella-icon:star.png\"></p>"));
    }

    // Patterns that give up on long matches would leave these behind.
    void longMatchesConvert_data()
    {
        QTest::addColumn<QString>("functional");
        QTest::addColumn<QString>("markup");
        const QString text(200000, QLatin1Char('x'));
        QTest::newRow("long link text") << "<a href=\"u\">" + text + "</a>"
                                        << "&lt;a href=\"u\"&gt;" + text + "&lt;/a&gt;";
        QTest::newRow("long link address") << "<a href=\"" + text + "\">t</a>"
                                           << "&lt;a href=\"" + text + "\"&gt;t&lt;/a&gt;";
        QTest::newRow("long image source") << "<img src=\"" + text + "\" />"
                                           << "&lt;img src=\"" + text + "\" /&gt;";
    }

    void longMatchesConvert()
    {
        QFETCH(QString, functional);
        QFETCH(QString, markup);
        QCOMPARE(toMarkup(functional, iconDirectory), markup);
        // The export writes the visible quotes as entities.
        QString exportedMarkup = markup;
        exportedMarkup.replace(QLatin1String("\""), QLatin1String("&quot;"));
        QCOMPARE(toFunctional(exportedMarkup, iconDirectory), functional);
    }

    void manyObjectsConvert()
    {
        QString functional;
        QString markup;
        for (int i = 0; i < 5000; ++i) {
            functional += QStringLiteral("<a href=\"u%1\">l%1</a>:<img src=\"%2star.png\" /> ")
                              .arg(i)
                              .arg(iconDirectory);
            markup += QStringLiteral("&lt;a href=\"u%1\"&gt;l%1&lt;/a&gt;::star: ").arg(i);
        }
        QCOMPARE(toMarkup(functional, iconDirectory), markup);
        const QString back = toFunctional(
            QString(markup).replace(QLatin1String("\""), QLatin1String("&quot;")), iconDirectory);
        QCOMPARE(back.count(QLatin1String("<a href=")), 5000);
        QCOMPARE(back.count(QLatin1String("star.png\">")), 5000);
    }

    // Converting to markup and back gives the document Qt exported, for
    // documents made of text with colons and entities, links, icons, images
    // inside and outside the icon folder, and rules.
    void roundTripKeepsTheDocument()
    {
        const QStringList words = {QStringLiteral("milk"),
                                   QStringLiteral("12:30"),
                                   QStringLiteral("x:y:z"),
                                   QStringLiteral("&"),
                                   QStringLiteral("<3"),
                                   QStringLiteral("a > b"),
                                   QStringLiteral("\"q\""),
                                   QStringLiteral("it's"),
                                   QStringLiteral("::"),
                                   QStringLiteral("&amp;"),
                                   QStringLiteral("\u00e9t\u00e9"),
                                   QStringLiteral(":")};
        QRandomGenerator random(20261207);
        for (int round = 0; round < 60; ++round) {
            QTextDocument document;
            QTextCursor cursor(&document);
            const int parts = 1 + int(random.bounded(12));
            for (int part = 0; part < parts; ++part) {
                switch (random.bounded(8)) {
                case 0:
                    cursor.insertHtml(
                        QStringLiteral("<a href=\"http://h/%1?a=1&amp;b=%2:x\">%3</a>")
                            .arg(part)
                            .arg(words.at(int(random.bounded(words.size()))).toHtmlEscaped(),
                                 QStringLiteral("link %1").arg(round)));
                    cursor.insertText(QStringLiteral(" "), QTextCharFormat());
                    break;
                case 1:
                    cursor.insertImage(
                        QStringLiteral("notarella-icon:") +
                        (part % 2 ? QStringLiteral("star.png") : QStringLiteral("smile.png")));
                    break;
                case 2: {
                    QTextImageFormat image;
                    image.setName(part % 3 ? QStringLiteral("/pictures/photo %1&.png").arg(part)
                                           : QStringLiteral("notarella-image:") + kHash);
                    if (part % 2) {
                        image.setWidth(40);
                        image.setHeight(30);
                    }
                    cursor.insertImage(image);
                    break;
                }
                case 3: {
                    QTextImageFormat image;
                    image.setName(iconDirectory + (part % 2 ? QStringLiteral("photo.jpg")
                                                            : QStringLiteral("star.png")));
                    image.setWidth(32);
                    cursor.insertImage(image);
                    break;
                }
                case 4:
                    TextStructure::insertRule(cursor);
                    break;
                case 5:
                    cursor.insertBlock();
                    break;
                default: {
                    QTextCharFormat format;
                    format.setFontWeight(random.bounded(2) ? QFont::Bold : QFont::Normal);
                    cursor.insertText(
                        words.at(int(random.bounded(words.size()))) + QLatin1Char(' '), format);
                }
                }
            }
            const QString functional = document.toHtml();
            const QString markup = exported(toMarkup(functional, iconDirectory));
            QVERIFY2(!markup.contains(QLatin1String("<a ")) &&
                         !markup.contains(QLatin1String("<img")) &&
                         !markup.contains(QLatin1String("<hr")),
                     qPrintable(markup));
            QCOMPARE(exported(toFunctional(markup, iconDirectory)), functional);
        }
    }
};

QTEST_MAIN(TestDisplayModeConversion)
#include "tst_displaymodeconversion.moc"
