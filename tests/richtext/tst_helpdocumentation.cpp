#include "reminders/periodicschedule.h"
#include "richtext/helplocation.h"

#include <QDateTime>
#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <QTextFragment>
#include <QtTest>

// Checks the help that ships with the program: the pages the program opens
// exist, every link between pages leads somewhere, and what the date format
// section promises is what the date formatting really does.
class TestHelpDocumentation : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void pagesOpenedByTheProgram_data();
    void pagesOpenedByTheProgram();
    void linksLeadSomewhere_data();
    void linksLeadSomewhere();
    void periodicSyntaxDocumented();
    void dateFormatExamples_data();
    void dateFormatExamples();

private:
    QString readPage(const QString &page) const;
    static QStringList anchorNames(const QString &html);

    QString helpFolder;
};

QString TestHelpDocumentation::readPage(const QString &page) const
{
    QFile file(HelpLocation::findPage(helpFolder, page));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll());
}

QStringList TestHelpDocumentation::anchorNames(const QString &html)
{
    QTextDocument document;
    document.setHtml(html);
    QStringList names;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        names += block.charFormat().anchorNames();
        for (auto it = block.begin(); !it.atEnd(); ++it)
            names += it.fragment().charFormat().anchorNames();
    }
    return names;
}

void TestHelpDocumentation::initTestCase()
{
    helpFolder = HelpLocation::findHelpFolder(QStringLiteral(NOTARELLA_APP_DIR) +
                                              QStringLiteral("/documentation/HELP.chm"));
    QVERIFY(!helpFolder.isEmpty());
}

void TestHelpDocumentation::pagesOpenedByTheProgram_data()
{
    QTest::addColumn<QString>("page");
    QTest::addColumn<QString>("anchor");
    QTest::newRow("start page") << HelpLocation::startPage() << "";
    QTest::newRow("editor") << "Additional Components/Rich Text Editor.html"
                            << "";
    QTest::newRow("reminders") << "Additional Components/Reminders.html"
                               << "";
    QTest::newRow("date format") << "Options/Formatting.html"
                                 << "DateFormatting";
}

void TestHelpDocumentation::pagesOpenedByTheProgram()
{
    QFETCH(QString, page);
    QFETCH(QString, anchor);
    const QString html = readPage(page);
    QVERIFY2(!html.isEmpty(), qPrintable(page));
    QTextDocument document;
    document.setHtml(html);
    QVERIFY(!document.metaInformation(QTextDocument::DocumentTitle).isEmpty());
    if (!anchor.isEmpty())
        QVERIFY(anchorNames(html).contains(anchor));
}

void TestHelpDocumentation::linksLeadSomewhere_data()
{
    QTest::addColumn<QString>("page");
    QDirIterator pages(helpFolder, {QStringLiteral("*.html")}, QDir::Files,
                       QDirIterator::Subdirectories);
    int count = 0;
    while (pages.hasNext()) {
        const QString page = QDir(helpFolder).relativeFilePath(pages.next());
        QTest::newRow(qPrintable(page)) << page;
        ++count;
    }
    QVERIFY(count >= 5);
}

void TestHelpDocumentation::linksLeadSomewhere()
{
    QFETCH(QString, page);
    QTextDocument document;
    document.setHtml(readPage(page));
    const QUrl pageUrl = QUrl::fromLocalFile(HelpLocation::findPage(helpFolder, page));

    int links = 0;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QString href = it.fragment().charFormat().anchorHref();
            if (href.isEmpty())
                continue;
            ++links;
            const QUrl target = pageUrl.resolved(QUrl(href));
            QVERIFY2(target.isLocalFile(), qPrintable(href)); // the help links to itself only
            const QString targetPage = QDir(helpFolder).relativeFilePath(target.toLocalFile());
            const QString targetFile = HelpLocation::findPage(helpFolder, targetPage);
            QVERIFY2(!targetFile.isEmpty(), qPrintable(page + " -> " + href));
            if (!target.fragment().isEmpty()) {
                QVERIFY2(anchorNames(readPage(targetPage)).contains(target.fragment()),
                         qPrintable(page + " -> " + href));
            }
        }
    }
    QVERIFY(links > 0);
}

void TestHelpDocumentation::periodicSyntaxDocumented()
{
    const QString html = readPage(QStringLiteral("Additional Components/Reminders.html"));
    const int heading = html.indexOf(QStringLiteral("Periodic patterns</h2>"));
    QVERIFY(heading > 0);
    // Each form of a field the program accepts is shown, and each example
    // is accepted in the minutes field.
    for (const QString &example : {QStringLiteral("*/15"), QStringLiteral("8-18/2"),
                                   QStringLiteral("1,15,30"), QStringLiteral("9-17")}) {
        QVERIFY2(html.indexOf(QStringLiteral("<tt>") + example + QStringLiteral("</tt>"), heading) >
                     0,
                 qPrintable(example));
        QStringList fields(PeriodicSchedule::FieldCount, QString());
        fields[PeriodicSchedule::Minutes] = example;
        QString error;
        QVERIFY2(PeriodicSchedule::fromFieldTexts(fields, &error).has_value(), qPrintable(error));
    }
}

void TestHelpDocumentation::dateFormatExamples_data()
{
    QTest::addColumn<QString>("format");
    QTest::addColumn<QString>("shown");

    const QString html = readPage(QStringLiteral("Options/Formatting.html"));
    static const QRegularExpression table(QStringLiteral("<table class=\"formats\">(.*?)</table>"),
                                          QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression row(
        QStringLiteral("<tr><td><code>(.*?)</code></td>(?:<td>.*?</td>)*?<td>([^<]*)</td></tr>"));
    int rows = 0;
    for (const QRegularExpressionMatch &tableMatch : table.globalMatch(html)) {
        for (const QRegularExpressionMatch &rowMatch : row.globalMatch(tableMatch.captured(1))) {
            const QString format =
                QTextDocumentFragment::fromHtml(rowMatch.captured(1)).toPlainText();
            const QString shown =
                QTextDocumentFragment::fromHtml(rowMatch.captured(2)).toPlainText();
            QTest::newRow(qPrintable(format)) << format << shown;
            ++rows;
        }
    }
    QVERIFY(rows >= 25);
}

// The help's sample moment is Wednesday, 5 March 2025, 14:07:09.
void TestHelpDocumentation::dateFormatExamples()
{
    QFETCH(QString, format);
    QFETCH(QString, shown);
    const QDateTime sample(QDate(2025, 3, 5), QTime(14, 7, 9));
    QCOMPARE(sample.toString(format), shown);
}

QTEST_MAIN(TestHelpDocumentation)
#include "tst_helpdocumentation.moc"
