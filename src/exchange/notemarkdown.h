#pragma once

#include <QString>

class QTextDocument;

// A note's rich text as Markdown for the export.
namespace NoteMarkdown {

// Qt's Markdown of `document`, with underlined text (links aside) written as
// "<u>…</u>", which Markdown has no sign of its own for.
// Special characters escaped as written text: every note text, link text
// and address comes out as typed, none as markup or HTML.
QString fromDocument(const QTextDocument &document);

// `text` with the characters Markdown reads as markup or HTML ("<", "&",
// "*", "[", ...) escaped by a backslash.
QString escaped(const QString &text);

} // namespace NoteMarkdown
