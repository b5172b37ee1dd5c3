// Stored markup that Qt's layout cannot handle quickly is recognised without
// Qt's parser and shown as its plain text; image sources are read only from
// regular files of bounded size.

#include "platform/regularfile.h"
#include "richtext/elinktextbrowser.h"
#include "richtext/markupsafety.h"

#include <QImage>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextList>
#include <QTextTable>
#include <QtTest>

#include <sys/stat.h>

class TestMarkupSafety : public QObject
{
    Q_OBJECT

private slots:
    void measuresNesting_data();
    void measuresNesting();
    void readsTagsAsQtDoes_data();
    void readsTagsAsQtDoes();
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

// Nested tables, lists and quotes as Qt builds them from `html`.
struct Built
{
    int tables = 0;
    int lists = 0;
    int quotes = 0;
};

static int tableDepth(QTextFrame *frame)
{
    int deepest = 0;
    for (QTextFrame *child : frame->childFrames())
        deepest =
            std::max(deepest, tableDepth(child) + (qobject_cast<QTextTable *>(child) ? 1 : 0));
    return deepest;
}

static Built builtByQt(const QString &html)
{
    QTextDocument document;
    document.setHtml(html);
    Built built;
    built.tables = tableDepth(document.rootFrame());
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        if (block.textList())
            built.lists = std::max(built.lists, block.textList()->format().indent());
        // Each quote level indents by 40 pixels.
        built.quotes = std::max(built.quotes, int(block.blockFormat().leftMargin()) / 40);
    }
    return built;
}

void TestMarkupSafety::readsTagsAsQtDoes_data()
{
    QTest::addColumn<QString>("unit");
    QTest::addColumn<QString>("tail");
    QTest::addColumn<int>("tables");
    QTest::addColumn<int>("lists");
    QTest::addColumn<int>("quotes");
    QTest::addColumn<int>("elements");
    QTest::addColumn<bool>("nests");

    // Depths after three units, a letter and the tail.
    QTest::newRow("tables") << "<table><tr><td>"
                            << "" << 3 << 0 << 0 << 9 << true;
    QTest::newRow("blank after <") << "< table>< tr>< td>"
                                   << "" << 3 << 0 << 0 << 9 << true;
    QTest::newRow("tab, line break, blanks") << "<\tTABLE\n>< tr ><td\t>"
                                             << "" << 3 << 0 << 0 << 9 << true;
    QTest::newRow("mixed case") << "<TaBlE><tR><Td>"
                                << "" << 3 << 0 << 0 << 9 << true;
    QTest::newRow("character references in names") << "<t&#97;ble><&#x74;r><t&#100;>"
                                                   << "" << 3 << 0 << 0 << 9 << true;
    QTest::newRow("quoted names") << "<\"table\"><'tr'><\"td\">"
                                  << "" << 3 << 0 << 0 << 9 << true;
    QTest::newRow("unquoted attributes")
        << "<table border=1 width=100%><tr valign=top><td colspan=1>"
        << "" << 3 << 0 << 0 << 9 << true;
    QTest::newRow("quoted > in attributes") << "<table title=\"a>b\"><tr title='>'><td>"
                                            << "" << 3 << 0 << 0 << 9 << true;
    QTest::newRow("unquoted > ends the tag") << "<table title=a>b><tr><td>"
                                             << "" << 3 << 0 << 0 << 9 << true;
    QTest::newRow("missing > at the end") << "<table><tr><td>"
                                          << "<table><tr><td" << 4 << 0 << 0 << 12 << true;
    QTest::newRow("blank after </ closes nothing") << "<table><tr><td>x</ table>"
                                                   << "" << 3 << 0 << 0 << 9 << true;
    QTest::newRow("blank before / closes") << "<table><tr><td>x< /table>"
                                           << "" << 1 << 0 << 0 << 3 << false;
    QTest::newRow("closing name with a reference") << "<table><tr><td>x</t&#97;ble>"
                                                   << "" << 1 << 0 << 0 << 3 << false;
    QTest::newRow("closing tag with attributes") << "<table><tr><td>x</table class=\"a\">"
                                                 << "" << 1 << 0 << 0 << 3 << false;
    QTest::newRow("tables beside cells nest in the last one") << "<td></tr><td></table>"
                                                              << "" << 6 << 0 << 0 << 6 << true;
    QTest::newRow("cells after a closed row") << "<td></tr>"
                                              << "" << 3 << 0 << 0 << 5 << true;
    QTest::newRow("cells alone make one table") << "<td>"
                                                << "" << 1 << 0 << 0 << 3 << false;
    QTest::newRow("lists with blanks") << "< ul>< LI >"
                                       << "" << 0 << 3 << 0 << 6 << true;
    QTest::newRow("quotes") << "<BLOCKQUOTE >"
                            << "" << 0 << 0 << 3 << 3 << true;
    QTest::newRow("comment hides tags") << "<!-- <table><tr><td> --><ul><li>"
                                        << "" << 0 << 3 << 0 << 6 << true;
    QTest::newRow("declaration ends at the first >") << "<!x \"<table>\" ><ul><li>"
                                                     << "" << 0 << 3 << 0 << 6 << true;
    QTest::newRow("unterminated comment hides the rest")
        << "<ul><li>"
        << "<!--<table><tr><td>" << 0 << 3 << 0 << 6 << true;
    // A self-closed quote is an empty quote block, beside the others.
    QTest::newRow("self-closed") << "<ul/><blockquote x=1 /><table/>"
                                 << "" << 0 << 0 << 1 << 0 << false;
    QTest::newRow("slash in an unquoted value") << "<ul class=a/b><li>"
                                                << "" << 0 << 3 << 0 << 6 << true;
    QTest::newRow("input and col hold what follows") << "<input><col><ul><li>"
                                                     << "" << 0 << 3 << 0 << 12 << true;
    QTest::newRow("empty elements") << "<br><img src=x><hr><meta>"
                                    << "" << 0 << 0 << 0 << 0 << false;
    QTest::newRow("paragraph leaves inline elements") << "<p><b>"
                                                      << "" << 0 << 0 << 0 << 2 << false;
    QTest::newRow("list items side by side") << "<li>"
                                             << "" << 0 << 0 << 0 << 1 << false;
    QTest::newRow("paragraphs in cells") << "<table><tr><td><p>"
                                         << "" << 3 << 0 << 0 << 12 << true;
}

void TestMarkupSafety::readsTagsAsQtDoes()
{
    QFETCH(QString, unit);
    QFETCH(QString, tail);
    QFETCH(int, tables);
    QFETCH(int, lists);
    QFETCH(int, quotes);
    QFETCH(int, elements);
    QFETCH(bool, nests);

    const QString html = unit.repeated(3) + QStringLiteral("x") + tail;
    const Built built = builtByQt(html);
    QCOMPARE(built.tables, tables);
    QCOMPARE(built.lists, lists);
    QCOMPARE(built.quotes, quotes);
    const MarkupSafety::Nesting found = MarkupSafety::nesting(html);
    QCOMPARE(found.tables, tables);
    QCOMPARE(found.elements, elements);
    // Deep enough to hang or crash Qt: only the guard reads it.
    QCOMPARE(MarkupSafety::isSafeToLayOut(unit.repeated(3000) + tail), !nests);
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
    // Cells alone, each after the row before it closes, nest a table each.
    QVERIFY(!MarkupSafety::isSafeToLayOut(QStringLiteral("<td></tr>").repeated(7)));
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
    QTest::newRow("cells and definitions apart")
        << "<table><tr><td>one</td><th>two</th></tr></table><dl><dt>term</dt><dd>said</dd></dl>"
        << "one\ntwo\nterm\nsaid";
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
