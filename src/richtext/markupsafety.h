#pragma once

#include <QString>
#include <QStringView>

class QTextCursor;

// Guards the rich-text layout against stored markup it cannot handle. Qt's
// HTML import and layout are not linear in nesting: each level of nested
// tables doubles the layout time (14 levels take about 2 s, 30 take minutes,
// 3,000 overflow the stack) and a few thousand nested blocks or spans take
// seconds. Measured on this machine: 6 nested tables lay out in a few
// milliseconds, 100 nested lists, quotes, divs or spans in about 50 ms.
namespace MarkupSafety {

inline constexpr int kMaxTableDepth = 6;
inline constexpr int kMaxElementDepth = 100;

struct Nesting
{
    int elements = 0; // deepest element nesting
    int tables = 0;   // deepest table nesting
};

// Nesting of the elements Qt's rich-text import would build from `html`,
// read in one pass without Qt's parser: tags are read as Qt reads them
// (blanks after '<', any case, quoted names, character references, a
// missing '>'), br, img, hr and meta and self-closed tags do not nest,
// closing tags close up to their opening tag, and elements Qt opens or
// closes on its own (a table around a lone cell, a paragraph, list item,
// row or cell before another) are counted as Qt builds them. Never below
// what Qt builds.
Nesting nesting(QStringView html);

// Whether `html` stays within the bounds above.
bool isSafeToLayOut(QStringView html);

// The text of `html` without its markup: tags, comments and the contents of
// head, style and script dropped, block ends and <br> as line breaks, the
// common entities and numeric character references decoded.
QString plainText(QStringView html);

// Inserts `html` at `cursor` as rich text, or as its plainText() when it is
// not safe to lay out. Returns whether it went in as rich text.
bool insertHtmlOrText(QTextCursor &cursor, const QString &html);

} // namespace MarkupSafety
