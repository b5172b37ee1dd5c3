#include "store/welcomenote.h"

#include <QCoreApplication>

namespace WelcomeNote {

QString document()
{
    const QString paragraph =
        QStringLiteral("margin-top:12px; margin-bottom:12px; margin-left:0px; margin-right:0px; "
                       "-qt-block-indent:0; text-indent:0px;");
    const QString pristina = QStringLiteral("font-family:'Pristina'; font-size:14pt;");
    // The texts are written in the language of the start that creates the
    // file; the translator keeps the <b> marks, which become the bold spans.
    const QString title =
        QCoreApplication::translate("WelcomeNote", "Welcome to Notarella!").toHtmlEscaped();
    QString instruction =
        QCoreApplication::translate("WelcomeNote",
                                    "To get started, please open the context menu (usually by "
                                    "<b>right-clicking</b>) on the top portion of this sticky, "
                                    "and then select <b>Sticky Control Panel</b>.")
            .toHtmlEscaped();
    instruction.replace(
        QLatin1String("&lt;b&gt;"),
        QStringLiteral("</span><span style=\" %1 font-weight:600;\">").arg(pristina));
    instruction.replace(QLatin1String("&lt;/b&gt;"),
                        QStringLiteral("</span><span style=\" %1\">").arg(pristina));
    return QStringLiteral(
               "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.0//EN\" "
               "\"http://www.w3.org/TR/REC-html40/strict.dtd\">\n"
               "<html><head><meta name=\"qrichtext\" content=\"1\" />"
               "<style type=\"text/css\">\np, li { white-space: pre-wrap; }\n</style></head>"
               "<body style=\" white-space: pre-wrap; font-family:'MS Shell Dlg'; "
               "font-weight:400; font-style:normal; text-decoration:none;\">\n"
               "<p align=\"center\" style=\" %1\"><span style=\" font-size:14pt; "
               "font-weight:600; font-style:italic; color:#ff0000;\">%3</span></p>\n"
               "<p style=\" %1\"><span style=\" %2\">%4</span></p></body></html>")
        .arg(paragraph, pristina, title, instruction);
}

NoteRecord record(const QDateTime &created)
{
    NoteRecord note;
    note.id = 1;
    note.visible = true;
    note.colorRGB = QStringLiteral("#FFFF00");
    note.colorName = QStringLiteral("Yellow");
    note.creationDate = created;
    // No reminder is stored as 0, no pattern as empty text.
    note.periodicMask = QStringLiteral("");
    note.locked = true;
    note.alwaysOnTop = false;
    note.message = document();
    note.x = 200;
    note.y = 200;
    note.width = 300;
    note.height = 200;
    note.taskbarEntry = true;
    return note;
}

} // namespace WelcomeNote
