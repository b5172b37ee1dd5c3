#pragma once

#include <QString>
#include <QTextListFormat>

#include <optional>

class QTextCursor;

// Paragraph-level edits of the rich text editor that act on a text cursor:
// rules and lists. Each is one undo step.
namespace TextStructure {

// Inserts a horizontal rule at the cursor as a paragraph of its own: the
// paragraph at the cursor is split there, so the text after the cursor
// follows the rule in a paragraph of its own and never lands in the rule's
// paragraph (text there is not part of the exported HTML). The cursor ends up
// at the start of the paragraph after the rule.
void insertRule(QTextCursor &cursor);

// The list styles offered by the editor, by their (translated) names; the
// name of "Remove List" and unknown names give nothing.
std::optional<QTextListFormat::Style> listStyle(const QString &choice);

// Puts the cursor's paragraphs into a new list of `style`, one level deeper
// than the list they are in, or than their own indent when in none.
void createList(QTextCursor &cursor, QTextListFormat::Style style);

// Takes the cursor's paragraphs out of their lists, keeping their text; each
// keeps the indent it had before the list was made (one level less than the
// list's). Paragraphs in no list stay as they are.
void removeList(QTextCursor &cursor);

} // namespace TextStructure
