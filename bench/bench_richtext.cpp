#include "../tests/support/testnotes.h"
#include "benchmarks.h"
#include "figures.h"

#include "notes/stickywidget.h"
#include "richtext/displaymodeconversion.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QTextDocument>

#include <algorithm>
#include <cstdio>

namespace {

// Paragraphs of everyday note text with links, icons, pictures, rules and
// times of day, until the exported document holds about `bytes` characters.
QString noteDocument(int bytes, const QString &iconDirectory)
{
    QString body;
    for (int paragraph = 0; body.size() < bytes; ++paragraph) {
        body +=
            QStringLiteral("<p>Line %1 at 12:%2: <b>buy milk</b> &amp; call <a "
                           "href=\"https://example.org/?n=%1&amp;x=1\">the office</a> <img "
                           "src=\"%3star.png\" /> about <img src=\"/home/me/pictures/plan %1.png\" "
                           "width=\"40\" height=\"30\" /> and <i>water the plants</i>.</p>")
                .arg(paragraph)
                .arg(paragraph % 60, 2, 10, QLatin1Char('0'))
                .arg(iconDirectory);
        if (paragraph % 20 == 19)
            body += QStringLiteral("<hr />");
    }
    QTextDocument document;
    document.setHtml(body);
    return document.toHtml();
}

QString linkDocument(int links)
{
    QString body = QStringLiteral("<p>");
    for (int i = 0; i < links; ++i)
        body += QStringLiteral("<a href=\"https://example.org/%1\">link %1</a> ").arg(i);
    QTextDocument document;
    document.setHtml(body + QStringLiteral("</p>"));
    return document.toHtml();
}

// Median of `rounds` runs of `work`, in milliseconds.
template <typename Work> double medianMs(int rounds, Work work)
{
    QList<double> times;
    for (int i = 0; i < rounds; ++i) {
        QElapsedTimer timer;
        timer.start();
        work();
        times << timer.nsecsElapsed() / 1e6;
    }
    std::sort(times.begin(), times.end());
    return times.at(times.size() / 2);
}

void benchConversion(const QString &label, const QString &functional, const QString &iconDirectory)
{
    const QSet<QString> icons = DisplayModeConversion::iconNames(iconDirectory);
    QString markup;
    const double toMarkupMs = medianMs(
        5, [&] { markup = DisplayModeConversion::toMarkup(functional, iconDirectory, icons); });
    QTextDocument shown;
    shown.setHtml(markup);
    const QString exportedMarkup = shown.toHtml();
    QString back;
    const double toFunctionalMs = medianMs(5, [&] {
        back = DisplayModeConversion::toFunctional(exportedMarkup, iconDirectory, icons);
    });
    printFigure(QStringLiteral("richtext_to_markup_%1").arg(label), toMarkupMs, "ms");
    printFigure(QStringLiteral("richtext_to_functional_%1").arg(label), toFunctionalMs, "ms");
}

} // namespace

void benchRichText()
{
    QTemporaryDir folder;
    const QString iconDirectory = folder.path() + QStringLiteral("/icons/");
    QDir().mkpath(iconDirectory);
    QFile star(iconDirectory + QStringLiteral("star.png"));
    star.open(QIODevice::WriteOnly);

    for (const auto &[label, bytes] :
         {std::pair{"10kb", 10'000}, std::pair{"100kb", 100'000}, std::pair{"1mb", 1'000'000}})
        benchConversion(QLatin1String(label), noteDocument(bytes, iconDirectory), iconDirectory);
    benchConversion(QStringLiteral("5000_links"), linkDocument(5000), iconDirectory);
    QString colons = QStringLiteral("<p>");
    while (colons.size() < 1'000'000)
        colons += QStringLiteral("12:30:45 a:b ::star: ");
    QTextDocument colonDocument;
    colonDocument.setHtml(colons + QStringLiteral("</p>"));
    benchConversion(QStringLiteral("1mb_colons"), colonDocument.toHtml(), iconDirectory);

    // One typed character at the end of a note that holds about 1 MB of
    // text: in everyday paragraphs, and in one single paragraph, which Qt
    // lays out again as a whole after each change.
    QString oneParagraph = QStringLiteral("<p>");
    while (oneParagraph.size() < 1'000'000)
        oneParagraph += QStringLiteral("word and another word ");
    for (const auto &[label, message] :
         {std::pair{"1mb_note", noteDocument(1'000'000, iconDirectory)},
          std::pair{"1mb_paragraph", oneParagraph + QStringLiteral("</p>")}}) {
        const std::unique_ptr<StickyWidget> noteWindow(newTestNote(
            1, QStringLiteral("#FFFF00"), QStringLiteral("Yellow"), QDateTime::currentDateTime(),
            QDateTime(), QDateTime(), QString(), false, message));
        StickyWidget &note = *noteWindow;
        note.show();
        QApplication::processEvents();
        QTextBrowser *text = note.textBrowser();
        text->setFocus();
        text->moveCursor(QTextCursor::End);
        QApplication::processEvents();
        const double keystrokeMs = medianMs(5, [&] {
            QTest::keyClick(text, Qt::Key_X);
            QApplication::processEvents();
        });
        printFigure(QStringLiteral("richtext_keystroke_%1").arg(QLatin1String(label)), keystrokeMs,
                    "ms");
    }
}
