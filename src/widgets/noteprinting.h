#pragma once

#include <QCoreApplication>
#include <QDateTime>
#include <QList>
#include <QString>

class QTextDocument;
class QWidget;

// Putting notes on paper: one note from its own menu, or those the control
// panel's "Print" chooses. Both go through the print dialog and tell the user
// when the printer fails.
class NotePrinting
{
    Q_DECLARE_TR_FUNCTIONS(NotePrinting)
public:
    // A note as it is printed.
    struct Note
    {
        QString summary; // its one-line summary, plain text
        QDateTime created;
        QString html; // its text
    };

    // The heading printed above a note's text: a rule, "Sticky: <summary>" and
    // "Created: <long date>" in bold labels. Each value goes into its own
    // placeholder, so a summary holding "%3" prints as it is.
    static QString heading(const QString &summary, const QDateTime &created);
    // The fixed long date of printed notes, e.g. "Monday, 06 March 2006, 2:05 PM".
    static constexpr char kDateFormat[] = "dddd, dd MMMM yyyy, h:mm AP";

    // Appends `notes` to `document` in order, each after its heading. Markup
    // a note shows as text is printed as text.
    static void appendNotes(QTextDocument &document, const QList<Note> &notes);

    // Lets the user choose a printer and prints `notes` on it; a printer that
    // fails is reported to the user. False when the user cancelled or the
    // printer failed.
    static bool print(QWidget *parent, const QList<Note> &notes);
};
