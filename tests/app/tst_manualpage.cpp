// The manual page: written from the text --help prints, it names every
// option with its whole description, and roff reads its texts back as they
// were.

#include "app/manualpage.h"
#include "app/programarguments.h"

#include <QCommandLineParser>
#include <QProcess>
#include <QRegularExpression>
#include <QtTest>

namespace {

// `roff` as plain text through groff, without hyphenation, on lines long
// enough for any entry: a text alone is not filled either, so every line
// comes out as it went in; a manual page is read with the man macros.
QString rendered(const QString &roff, bool manual = false)
{
    QProcess groff;
    QStringList arguments{QStringLiteral("-Tascii"), QStringLiteral("-P-cbou"),
                          QStringLiteral("-rLL=300n")};
    if (manual)
        arguments.append(QStringLiteral("-man"));
    groff.start(QStringLiteral("groff"), arguments);
    if (!groff.waitForStarted())
        return QStringLiteral("<groff did not start>");
    const QString setUp = manual ? QStringLiteral(".nh\n") : QStringLiteral(".ll 300\n.nf\n.nh\n");
    groff.write((setUp + roff + QLatin1Char('\n')).toUtf8());
    groff.closeWriteChannel();
    groff.waitForFinished();
    QString text = QString::fromUtf8(groff.readAllStandardOutput());
    while (text.endsWith(QLatin1Char('\n')))
        text.chop(1);
    return text.trimmed();
}

const char *const kUsage = "Usage: /some/where/notarella-build [options] [TEXT]\n"
                           "Sticky notes.\n"
                           "\n"
                           "Options:\n"
                           "  -h, --help          Shows this help.\n"
                           "  --export <DIR>      Exports every note to the folder DIR and\n"
                           "                      leaves.\n"
                           "  --dry-run           .dots and 'quotes at the start, a \\ too.\n"
                           "\n"
                           "Arguments:\n"
                           "  TEXT                The text of the new note.\n";

ManualPage::Page testPage()
{
    ManualPage::Page page;
    page.name = QStringLiteral("notarella");
    page.summary = QStringLiteral("sticky notes");
    page.date = QStringLiteral("2026-12-08");
    page.source = QStringLiteral("Notarella 1.7.0");
    page.description = {QStringLiteral("More."), QStringLiteral("And more.")};
    page.sections = {
        {QStringLiteral("Files"), {QStringLiteral("First."), QStringLiteral("Second.")}}};
    return page;
}

} // namespace

class TestManualPage : public QObject
{
    Q_OBJECT

private slots:
    void escapedReadsBack_data();
    void escapedReadsBack();
    void entriesFromTheUsage();
    void sectionsAndHeader();
    void readsWhatTheParserWrites();
    void namesEveryOptionOfTheProgram();
};

void TestManualPage::escapedReadsBack_data()
{
    QTest::addColumn<QString>("text");

    QTest::newRow("plain") << "sticky notes";
    QTest::newRow("dashes") << "--new-note -h a-b";
    QTest::newRow("backslash") << "C:\\notes\\ and \\fB not bold";
    QTest::newRow("dot first") << ".SH not a heading";
    QTest::newRow("apostrophe first") << "'br not a request";
    QTest::newRow("dot on a later line") << "one\n.TP\ntwo";
    QTest::newRow("dot inside") << "a.b .c";
    QTest::newRow("percent and quotes") << "100% \"quoted\" <DIR> [TEXT]";
}

void TestManualPage::escapedReadsBack()
{
    QFETCH(QString, text);
    QCOMPARE(rendered(ManualPage::escaped(text)), text);
}

void TestManualPage::entriesFromTheUsage()
{
    const QString roff = ManualPage::fromUsage(QString::fromLatin1(kUsage), testPage());

    QVERIFY2(roff.contains(QStringLiteral(".TP\n\\fB\\-h, \\-\\-help\\fR\nShows this help.\n")),
             qPrintable(roff));
    // The description's second line joins the first; the value is in italics.
    QVERIFY2(roff.contains(QStringLiteral(".TP\n\\fB\\-\\-export\\fR \\fIDIR\\fR\n"
                                          "Exports every note to the folder DIR and leaves.\n")),
             qPrintable(roff));
    QVERIFY2(roff.contains(QStringLiteral("\\fB\\-\\-dry\\-run\\fR\n"
                                          "\\&.dots and 'quotes at the start, a \\e too.\n")),
             qPrintable(roff));
    QVERIFY2(roff.contains(QStringLiteral(".SH ARGUMENTS\n.TP\n\\fITEXT\\fR\n"
                                          "The text of the new note.\n")),
             qPrintable(roff));
    QCOMPARE(roff.count(QStringLiteral(".TP\n")), 4);
}

void TestManualPage::sectionsAndHeader()
{
    const QString roff = ManualPage::fromUsage(QString::fromLatin1(kUsage), testPage());
    const QStringList lines = roff.split(QLatin1Char('\n'));

    QCOMPARE(lines.value(0),
             QStringLiteral(".TH \"NOTARELLA\" 1 \"2026\\-12\\-08\" \"Notarella 1.7.0\" "
                            "\"User Commands\""));
    // The synopsis names the command, not the path the parser was run from.
    QCOMPARE(lines.mid(1, 6),
             (QStringList{".SH NAME", "notarella \\- sticky notes", ".SH SYNOPSIS", ".B notarella",
                          "[\\fIoptions\\fR] [\\fITEXT\\fR]", ".SH DESCRIPTION"}));
    // The description of --help comes first, then the page's own paragraphs.
    QCOMPARE(lines.mid(7, 5), (QStringList{"Sticky notes.", ".PP", "More.", ".PP", "And more."}));
    QVERIFY2(roff.endsWith(QStringLiteral(".SH FILES\nFirst.\n.PP\nSecond.\n")), qPrintable(roff));
    QVERIFY(roff.indexOf(QStringLiteral(".SH OPTIONS")) <
            roff.indexOf(QStringLiteral(".SH ARGUMENTS")));
}

// Terms longer than the parser's column of 50 characters, and descriptions
// over several lines, as QCommandLineParser itself lays them out.
void TestManualPage::readsWhatTheParserWrites()
{
    const QString longName =
        QStringLiteral("an-option-whose-name-is-longer-than-the-column-of-names");
    const QString longText = QStringLiteral("Words ").repeated(30).trimmed();
    QCommandLineParser parser;
    parser.addOption({longName, QStringLiteral("Short.")});
    parser.addOption({QStringLiteral("long-text"), longText});
    parser.addOption({{QStringLiteral("b"), longName + QStringLiteral("-too")},
                      longText,
                      QStringLiteral("VALUE")});
    parser.addOption({QStringLiteral("last"), QStringLiteral("The end.")});
    const QString roff = ManualPage::fromUsage(parser.helpText(), testPage());

    QVERIFY2(roff.contains(QStringLiteral(".TP\n\\fB\\-\\-") + ManualPage::escaped(longName) +
                           QStringLiteral("\\fR\nShort.\n.TP\n")),
             qPrintable(roff));
    QVERIFY2(roff.contains(QStringLiteral(".TP\n\\fB\\-\\-long\\-text\\fR\n") + longText +
                           QStringLiteral("\n")),
             qPrintable(roff));
    QVERIFY2(roff.contains(QStringLiteral(".TP\n\\fB\\-b, \\-\\-") + ManualPage::escaped(longName) +
                           QStringLiteral("\\-too\\fR \\fIVALUE\\fR\n") + longText +
                           QStringLiteral("\n")),
             qPrintable(roff));
    QVERIFY2(roff.contains(QStringLiteral(".TP\n\\fB\\-\\-last\\fR\nThe end.\n")),
             qPrintable(roff));
    QCOMPARE(roff.count(QStringLiteral(".TP\n")), 4);
}

void TestManualPage::namesEveryOptionOfTheProgram()
{
    const QString usage = CommandLine::programUsageText();
    const QString page = rendered(ManualPage::fromUsage(usage, testPage()), true);

    static const QRegularExpression option(QStringLiteral("(?<![\\w-])--[a-z][a-z-]*"));
    QStringList options;
    for (const QRegularExpressionMatch &match : option.globalMatch(usage))
        options.append(match.captured());
    QVERIFY(options.contains(QStringLiteral("--help")));
    QVERIFY(options.contains(QStringLiteral("--export")));
    // Every option begins an entry of its own, on a line of its own.
    for (const QString &name : std::as_const(options))
        QVERIFY2(
            QRegularExpression(QStringLiteral("(^|\\n) *(-\\w, )?") + name + QStringLiteral("\\b"))
                .match(page)
                .hasMatch(),
            qPrintable(name + QStringLiteral(" is not an entry in:\n") + page));
}

QTEST_GUILESS_MAIN(TestManualPage)
#include "tst_manualpage.moc"
