#pragma once

#include <QString>
#include <QStringView>

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

// Nesting of the HTML elements in `html`, read without Qt's parser in one
// pass: empty elements (br, img, hr, ...) and self-closed tags do not nest,
// closing tags close up to their opening tag, and a paragraph, list item,
// row or cell closes the previous one of its kind as in HTML.
Nesting nesting(QStringView html);

// Whether `html` stays within the bounds above.
bool isSafeToLayOut(QStringView html);

// The text of `html` without its markup: tags, comments and the contents of
// head, style and script dropped, block ends and <br> as line breaks, the
// common entities and numeric character references decoded.
QString plainText(QStringView html);

} // namespace MarkupSafety
