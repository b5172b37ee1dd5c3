#pragma once

#include <QString>

class QTextDocument;

// A note's rich text as Markdown for the export.
namespace NoteMarkdown {

// Qt's Markdown of `document`, with underlined text (links aside) written as
// "<u>…</u>", which Markdown has no sign of its own for.
QString fromDocument(const QTextDocument &document);

} // namespace NoteMarkdown
