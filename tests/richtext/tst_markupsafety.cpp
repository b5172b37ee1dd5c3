// Stored markup that Qt's layout cannot handle quickly is recognised without
// Qt's parser and shown as its plain text; image sources are read only from
// regular files of bounded size.

#include "platform/regularfile.h"
#include "richtext/elinktextbrowser.h"
#include "richtext/markupsafety.h"

#include <QImage>
#include <QTemporaryDir>
#include <QTextDocument>
#include <QtTest>

#include <sys/stat.h>

class TestMarkupSafety : public QObject
{
    Q_OBJECT

private slots:
    void measuresNesting_data();
    void measuresNesting();
    void boundsAllowOrdinaryNotes();
    void plainTextOfMarkup_data();
    void plainTextOfMarkup();
    void deepNoteShownAsTextUntilEdited();
    void readsOnlyRegularFilesOfBoundedSize_data();
    void readsOnlyRegularFilesOfBoundedSize();
    void textAreaLoadsPicturesThroughTheChecks();
};

void TestMarkupSafety::measuresNesting_data()
{
    QTest::addColumn<QString>("html");
    QTest::addColumn<int>("elements");
    QTest::addColumn<int>("tables");

    const auto repeated = [](const char *open, const char *close, int times) {
        return QString::fromLatin1(open).repeated(times) + QStringLiteral("x") +
               QString::fromLatin1(close).repeated(times);
    };
    QTest::newRow("plain text") << "hello" << 0 << 0;
    QTest::newRow("paragraph") << "<p>a</p><p>b</p>" << 1 << 0;
    QTest::newRow("empty elements do not nest") << "<p>a<br>b<img src=x><hr/></p>" << 1 << 0;
    QTest::newRow("self-closed") << "<p><span/><span/>x</p>" << 1 << 0;
    QTest::newRow("unclosed paragraphs close each other") << "<p>a<p>b<p>c" << 1 << 0;
    QTest::newRow("unclosed cells and rows") << "<table><tr><td>a<td>b<tr><td>c</table>" << 3 << 1;
    QTest::newRow("closing tag closes inner ones") << "<div><b><i>x</div><div>y</div>" << 3 << 0;
    QTest::newRow("stray closing tags ignored") << "</b></table><b>x</b>" << 1 << 0;
    QTest::newRow("comments and doctype")
        << "<!DOCTYPE html><!-- <table><table> --><p>x</p>" << 1 << 0;
    QTest::newRow("quoted > in attribute") << "<a title=\"a>b\"><b>x</b></a>" << 2 << 0;
    QTest::newRow("case") << "<TABLE><tr><td><table></TABLE></table>" << 4 << 2;
    QTest::newRow("30 tables") << repeated("<table><tr><td>", "</td></tr></table>", 30) << 90 << 30;
    QTest::newRow("100000 bold, unclosed") << QStringLiteral("<b>").repeated(100000) << 100000 << 0;
    QTest::newRow("50000 divs") << repeated("<div>", "</div>", 50000) << 50000 << 0;
}

void TestMarkupSafety::measuresNesting()
{
    QFETCH(QString, html);
    QFETCH(int, elements);
    QFETCH(int, tables);
    const MarkupSafety::Nesting found = MarkupSafety::nesting(html);
    QCOMPARE(found.elements, elements);
    QCOMPARE(found.tables, tables);
}

void TestMarkupSafety::boundsAllowOrdinaryNotes()
{
    // What Qt itself exports, with a table and a list, is within the bounds.
    QTextDocument document;
    document.setHtml(QStringLiteral("<p><b>Shopping</b></p><ul><li>milk<ul><li>skimmed</li></ul>"
                                    "</li></ul><table><tr><td><table><tr><td>x</td></tr></table>"
                                    "</td></tr></table><p><img src=\"/nowhere.png\"/></p>"));
    QVERIFY(MarkupSafety::isSafeToLayOut(document.toHtml()));
    const QString deepTables =
        QStringLiteral("<table><tr><td>").repeated(MarkupSafety::kMaxTableDepth);
    QVERIFY(MarkupSafety::isSafeToLayOut(deepTables));
    QVERIFY(!MarkupSafety::isSafeToLayOut(deepTables + QStringLiteral("<table>")));
    const QString deepSpans = QStringLiteral("<span>").repeated(MarkupSafety::kMaxElementDepth);
    QVERIFY(MarkupSafety::isSafeToLayOut(deepSpans));
    QVERIFY(!MarkupSafety::isSafeToLayOut(deepSpans + QStringLiteral("<b>")));
    // Many tags or tables side by side are no nesting.
    QVERIFY(MarkupSafety::isSafeToLayOut(QStringLiteral("<p>line</p>").repeated(500)));
    QVERIFY(MarkupSafety::isSafeToLayOut(
        QStringLiteral("<table><tr><td>x</td></tr></table>").repeated(20)));
    QVERIFY(!MarkupSafety::isSafeToLayOut(QStringLiteral("<p>x</p>").repeated(200) + deepTables +
                                          QStringLiteral("<TABLE>")));
}

void TestMarkupSafety::plainTextOfMarkup_data()
{
    QTest::addColumn<QString>("html");
    QTest::addColumn<QString>("text");
    QTest::newRow("tags dropped") << "<b>bold</b> and <i>italic</i>"
                                  << "bold and italic";
    QTest::newRow("blocks and breaks") << "<p>one</p><p>two<br>three</p><div>four</div>"
                                       << "one\ntwo\nthree\nfour";
    QTest::newRow("head and style hidden")
        << "<html><head><title>t</title><style>p {}</style></head><body>x</body></html>"
        << "x";
    QTest::newRow("entities") << "a &lt;b&gt; &amp; &quot;c&quot; &#65;&#x42; &bogus; &#0;"
                              << "a <b> & \"c\" AB &bogus; &#0;";
    QTest::newRow("lone angle bracket") << "1 < 2 and 3 > 2"
                                        << "1 < 2 and 3 > 2";
    QTest::newRow("deep nesting") << QStringLiteral("<table><tr><td>").repeated(3000) + "deep"
                                  << "deep";
}

void TestMarkupSafety::plainTextOfMarkup()
{
    QFETCH(QString, html);
    QFETCH(QString, text);
    QCOMPARE(MarkupSafety::plainText(html), text);
}

void TestMarkupSafety::deepNoteShownAsTextUntilEdited()
{
    const QString hostile = QStringLiteral("<p>Keep me</p>") +
                            QStringLiteral("<table><tr><td>").repeated(30) +
                            QStringLiteral("inside");
    ELinkTextBrowser browser;
    QVERIFY(!browser.showStoredHtml(hostile));
    QCOMPARE(browser.toPlainText(), QStringLiteral("Keep me\ninside"));
    QVERIFY(!browser.toolTip().isEmpty());

    QVERIFY(browser.showStoredHtml(QStringLiteral("<p><b>fine</b></p>")));
    QCOMPARE(browser.toPlainText(), QStringLiteral("fine"));
    QVERIFY(browser.toolTip().isEmpty());
}

void TestMarkupSafety::readsOnlyRegularFilesOfBoundedSize_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<bool>("read");
    QTest::newRow("regular file") << "regular" << true;
    QTest::newRow("link to a regular file") << "link" << true;
    QTest::newRow("file at the limit") << "limit" << true;
    QTest::newRow("file over the limit") << "large" << false;
    QTest::newRow("endless device") << "/dev/zero" << false;
    QTest::newRow("link to a device") << "devlink" << false;
    QTest::newRow("fifo without writer") << "fifo" << false;
    QTest::newRow("directory") << "directory" << false;
    QTest::newRow("missing") << "missing" << false;
}

void TestMarkupSafety::readsOnlyRegularFilesOfBoundedSize()
{
    QFETCH(QString, kind);
    QFETCH(bool, read);
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    const QString regular = folder.filePath(QStringLiteral("regular"));
    QFile file(regular);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("0123456789");
    file.close();
    QVERIFY(QFile::link(regular, folder.filePath(QStringLiteral("link"))));
    QVERIFY(QFile::link(QStringLiteral("/dev/zero"), folder.filePath(QStringLiteral("devlink"))));
    QVERIFY(::mkfifo(QFile::encodeName(folder.filePath(QStringLiteral("fifo"))).constData(),
                     0600) == 0);
    QVERIFY(QDir(folder.path()).mkdir(QStringLiteral("directory")));
    QFile::copy(regular, folder.filePath(QStringLiteral("limit")));
    QFile::copy(regular, folder.filePath(QStringLiteral("large")));
    QFile large(folder.filePath(QStringLiteral("large")));
    QVERIFY(large.resize(11));

    const QString path = kind.startsWith(u'/') ? kind : folder.filePath(kind);
    const std::optional<QByteArray> data = RegularFile::read(path, 10);
    QCOMPARE(data.has_value(), read);
    if (read)
        QCOMPARE(*data, QByteArray("0123456789"));
}

void TestMarkupSafety::textAreaLoadsPicturesThroughTheChecks()
{
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    const QString picture = folder.filePath(QStringLiteral("dot.png"));
    QImage image(7, 5, QImage::Format_RGB32);
    image.fill(Qt::red);
    QVERIFY(image.save(picture));
    const QString fifo = folder.filePath(QStringLiteral("fifo.png"));
    QVERIFY(::mkfifo(QFile::encodeName(fifo).constData(), 0600) == 0);
    const QString oversized = folder.filePath(QStringLiteral("huge.png"));
    QFile huge(oversized);
    QVERIFY(huge.open(QIODevice::WriteOnly));
    QVERIFY(huge.resize(RegularFile::kDefaultMaxBytes + 1)); // sparse: takes no disk space
    huge.close();

    ELinkTextBrowser browser;
    QVERIFY(browser.showStoredHtml(
        QStringLiteral("<p><img src=\"%1\"/><img src=\"file://%1\"/><img src=\"/dev/zero\"/>"
                       "<img src=\"%2\"/><img src=\"%3\"/></p>")
            .arg(picture, fifo, oversized)));
    browser.resize(300, 200);
    browser.show(); // lays the text out, which loads the pictures
    QVERIFY(QTest::qWaitForWindowExposed(&browser));

    const auto loaded = [&browser](const QString &source) {
        return browser.document()
            ->resource(QTextDocument::ImageResource, QUrl(source))
            .value<QImage>()
            .size();
    };
    QCOMPARE(loaded(picture), QSize(7, 5));
    QCOMPARE(loaded(QStringLiteral("file://") + picture), QSize(7, 5));
    const QImage placeholder = ELinkTextBrowser::placeholderPicture();
    for (const QString &refused : {QStringLiteral("/dev/zero"), fifo, oversized}) {
        QCOMPARE(loaded(refused), placeholder.size());
        QCOMPARE(browser.loadResource(QTextDocument::ImageResource, QUrl(refused)).value<QImage>(),
                 placeholder);
    }
    // Other kinds of resources from such sources are empty, never read.
    QCOMPARE(browser.loadResource(QTextDocument::StyleSheetResource, QUrl(fifo)),
             QVariant(QByteArray("")));
}

QTEST_MAIN(TestMarkupSafety)
#include "tst_markupsafety.moc"
