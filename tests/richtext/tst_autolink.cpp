#include "richtext/autolink.h"

#include <QBrush>
#include <QTextBlock>
#include <QTextDocument>
#include <QtTest>

using AutoLink::Address;

Q_DECLARE_METATYPE(Address)

class TestAutoLink : public QObject
{
    Q_OBJECT

private slots:
    void addressBeforeEnd_data();
    void addressBeforeEnd();
    void addressesInText_data();
    void addressesInText();
    void linkedOnceAndNeverInsideALink_data();
    void linkedOnceAndNeverInsideALink();
};

void TestAutoLink::addressBeforeEnd_data()
{
    QTest::addColumn<QString>("text"); // the word ends at the end of it
    QTest::addColumn<int>("start");    // -1: no address
    QTest::addColumn<int>("length");
    QTest::addColumn<QString>("href");

    QTest::newRow("https") << "see https://example.org" << 4 << 19 << "https://example.org";
    QTest::newRow("http, path and query")
        << "http://example.org/a/b?c=1&d=2" << 0 << 30 << "http://example.org/a/b?c=1&d=2";
    QTest::newRow("ftp, capitals") << "FTP://Host/file" << 0 << 15 << "FTP://Host/file";
    QTest::newRow("mailto") << "mailto:me@example.org" << 0 << 21 << "mailto:me@example.org";
    QTest::newRow("file") << "file:///tmp/a b" << -1 << 0 << "";
    QTest::newRow("file path") << "open file:///tmp/list.txt" << 5 << 20 << "file:///tmp/list.txt";
    QTest::newRow("www gets http") << "www.example.org" << 0 << 15 << "http://www.example.org";
    QTest::newRow("WWW in capitals") << "WWW.Example.org" << 0 << 15 << "http://WWW.Example.org";
    QTest::newRow("full stop") << "https://example.org." << 0 << 19 << "https://example.org";
    QTest::newRow("comma, bracket, question mark")
        << "(see https://example.org)?," << 5 << 19 << "https://example.org";
    QTest::newRow("bracket the address opened") << "https://en.wikipedia.org/wiki/Foo_(bar)" << 0
                                                << 39 << "https://en.wikipedia.org/wiki/Foo_(bar)";
    QTest::newRow("closing brackets beyond the opened ones")
        << "https://a.org/x_(y))]." << 0 << 19 << "https://a.org/x_(y)";
    QTest::newRow("kinds of brackets counted apart")
        << "https://a.org/{x}])" << 0 << 17 << "https://a.org/{x}";
    QTest::newRow("a long run of closing brackets")
        << "(www.a.org/(b)" + QString(20000, QLatin1Char(')')) << 1 << 13 << "http://www.a.org/(b)";
    QTest::newRow("angle brackets") << "<https://example.org>" << 1 << 19 << "https://example.org";
    QTest::newRow("quotes") << "\"www.a.org\"" << 1 << 9 << "http://www.a.org";
    QTest::newRow("ampersand kept")
        << "https://a.org/?x=1&y=2" << 0 << 22 << "https://a.org/?x=1&y=2";
    QTest::newRow("after a line break")
        << QStringLiteral("one\u2028www.a.org") << 4 << 9 << "http://www.a.org";
    QTest::newRow("e.g.") << "e.g." << -1 << 0 << "";
    QTest::newRow("www. alone") << "www." << -1 << 0 << "";
    QTest::newRow("www.. only dots") << "www..." << -1 << 0 << "";
    QTest::newRow("www and one letter") << "www.a" << 0 << 5 << "http://www.a";
    QTest::newRow("mailto: alone") << "mailto:" << -1 << 0 << "";
    QTest::newRow("http:// alone") << "http://" << -1 << 0 << "";
    QTest::newRow("file: alone") << "file:" << -1 << 0 << "";
    QTest::newRow("httpx:") << "httpx://example.org" << -1 << 0 << "";
    QTest::newRow("http without slashes") << "http:example.org" << -1 << 0 << "";
    QTest::newRow("scheme inside a word") << "xhttp://example.org" << -1 << 0 << "";
    QTest::newRow("word glued before <") << "a<https://example.org" << -1 << 0 << "";
    QTest::newRow("ends in a blank") << "https://example.org " << -1 << 0 << "";
    QTest::newRow("empty") << "" << -1 << 0 << "";
}

void TestAutoLink::addressBeforeEnd()
{
    QFETCH(QString, text);
    QFETCH(int, start);
    QFETCH(int, length);
    QFETCH(QString, href);

    // "file:///tmp/a b" ends in the word "b": no address there.
    const auto found = AutoLink::addressBefore(text, text.size());
    QCOMPARE(found.has_value(), start >= 0);
    if (found)
        QCOMPARE(*found, (Address{start, length, href}));
}

void TestAutoLink::addressesInText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("hrefs");

    QTest::newRow("two, with punctuation") << "Go to www.a.org, then (mailto:x@b.org)."
                                           << QStringList{"http://www.a.org", "mailto:x@b.org"};
    QTest::newRow("tabs and line breaks")
        << QStringLiteral("https://a.org\tftp://b.org\u2028file:/c")
        << QStringList{"https://a.org", "ftp://b.org", "file:/c"};
    QTest::newRow("none") << "e.g. www. http:// i.e." << QStringList{};
    QTest::newRow("address at the very end") << "x www.z.org" << QStringList{"http://www.z.org"};
}

void TestAutoLink::addressesInText()
{
    QFETCH(QString, text);
    QFETCH(QStringList, hrefs);
    QStringList found;
    for (const Address &address : AutoLink::addressesIn(text)) {
        QVERIFY(address.href.endsWith(text.mid(address.start, address.length)));
        found << address.href;
    }
    QCOMPARE(found, hrefs);
}

void TestAutoLink::linkedOnceAndNeverInsideALink_data()
{
    QTest::addColumn<QString>("html");
    QTest::addColumn<QString>("word"); // the word whose end is given
    QTest::addColumn<QString>("href"); // of the character in its middle afterwards

    QTest::newRow("plain address") << "<p>see www.a.org now</p>"
                                   << "www.a.org"
                                   << "http://www.a.org";
    QTest::newRow("inside a link") << "<p><a href=\"http://other.org\">www.a.org</a> x</p>"
                                   << "www.a.org"
                                   << "http://other.org";
    QTest::newRow("partly a link") << "<p>www.<a href=\"http://other.org\">a.org</a> x</p>"
                                   << "www.a.org"
                                   << "";
    QTest::newRow("special characters") << "<p>&lt;https://a.org/?q=&amp;&gt;</p>"
                                        << "https://a.org/?q=&>"
                                        << "https://a.org/?q=&";
}

void TestAutoLink::linkedOnceAndNeverInsideALink()
{
    QFETCH(QString, html);
    QFETCH(QString, word);
    QFETCH(QString, href);

    QTextDocument document;
    document.setHtml(html);
    const int end = document.toPlainText().indexOf(word) + word.size();
    const bool expectLink = !href.isEmpty() && !html.contains(QLatin1String("other.org"));
    QCOMPARE(AutoLink::linkAddressBefore(&document, end, QBrush(Qt::blue)), expectLink);
    QTextCursor probe(&document);
    probe.setPosition(document.toPlainText().indexOf(word) + 3);
    QCOMPARE(probe.charFormat().anchorHref(), href);
    // Done once: the second time finds a link and leaves it.
    QVERIFY(!AutoLink::linkAddressBefore(&document, end, QBrush(Qt::blue)));
    // One undo step takes it back.
    if (expectLink) {
        document.undo();
        probe.setPosition(document.toPlainText().indexOf(word) + 3);
        QVERIFY(!probe.charFormat().isAnchor());
    }
}

QTEST_GUILESS_MAIN(TestAutoLink)
#include "tst_autolink.moc"
