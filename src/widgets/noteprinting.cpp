#include "widgets/noteprinting.h"

#include "base/localdatetext.h"
#include "base/tracing.h"
#include "richtext/elinktextbrowser.h"
#include "richtext/markupsafety.h"
#include "ui/standarddialogs.h"
#include "ui/userprompt.h"

#include <QPrinter>
#include <QTextCursor>
#include <QTextDocument>

QString NotePrinting::heading(const QString &summary, const QDateTime &created)
{
    // The summary keeps "<", ">" and "&" of the note's text: they must print
    // as themselves, not as markup.
    QString printableSummary = summary;
    printableSummary.replace(QLatin1Char('&'), QLatin1String("&amp;"))
        .replace(QLatin1Char('<'), QLatin1String("&lt;"))
        .replace(QLatin1Char('>'), QLatin1String("&gt;"));
    return QStringLiteral("<hr /><b>%1:</b> %2<br /><b>%3:</b> %4<br /><br />")
        .arg(tr("Sticky"), printableSummary, tr("Created"),
             localDateText(created, QLatin1String(kDateFormat)));
}

void NotePrinting::appendNotes(QTextDocument &document, const QList<Note> &notes)
{
    QTextCursor cursor(&document);
    for (const Note &note : notes) {
        cursor.movePosition(QTextCursor::End);
        cursor.insertHtml(heading(note.summary, note.created));
        cursor.movePosition(QTextCursor::End);
        MarkupSafety::insertHtmlOrText(cursor, note.html);
    }
}

bool NotePrinting::print(QWidget *parent, const QList<Note> &notes)
{
    qCDebug(lcWidgets) << "NotePrinting::print()" << notes.size() << "notes";
    QPrinter printer(QPrinter::HighResolution);
    printer.setFullPage(true);
    if (!StandardDialogs::runPrintDialog(printer, parent))
        return false;
    // The pages load their pictures through a text area of their own, the
    // way a note's text area loads them.
    ELinkTextBrowser pictures;
    QTextDocument pages(&pictures);
    pages.setDefaultFont(pictures.document()->defaultFont());
    appendNotes(pages, notes);
    pages.print(&printer);
    if (printer.printerState() != QPrinter::Error)
        return true;
    UserPrompt::warning(parent, tr("Printing Failed"),
                        notes.size() == 1 ? tr("<p>This sticky could not be printed.</p>")
                                          : tr("<p>The stickies could not be printed.</p>"),
                        QMessageBox::Ok, QMessageBox::Ok);
    return false;
}
