#include "exchange/notemarkdown.h"

#include <QList>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QUrl>

#include <memory>
#include <optional>
#include <vector>

namespace NoteMarkdown {

namespace {

// Two characters of Unicode's private use area that `text` does not hold,
// found in one pass over it.
std::pair<QChar, QChar> unusedMarks(const QString &text)
{
    constexpr char16_t first = 0xE000;
    constexpr char16_t last = 0xF8FF;
    std::vector<bool> used(last - first + 1);
    for (const QChar c : text) {
        if (c.unicode() >= first && c.unicode() <= last)
            used[c.unicode() - first] = true;
    }
    char16_t mark = first;
    while (mark < last && (used[mark - first] || used[mark + 1 - first]))
        mark += 2;
    return {QChar(mark), QChar(char16_t(mark + 1))};
}

// A link or picture address as Markdown reads it between "(" and ")".
QString markdownAddress(const QString &address)
{
    return QString::fromLatin1(QUrl::toPercentEncoding(address, "!#$&'*+,/:;=?@~%"));
}

// Qt's Markdown writer copies text as it is, so "<b>" typed in a note would
// be markup and "*" emphasis. Each fragment of text gets its special
// characters escaped, and each link and picture its address encoded.
void escapeText(QTextDocument *document)
{
    struct Replacement
    {
        int position;
        int length;
        QString text;
        QTextCharFormat format;
    };
    QList<Replacement> replacements;
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        const bool codeBlock = block.blockFormat().nonBreakableLines() ||
                               block.blockFormat().hasProperty(QTextFormat::BlockCodeFence);
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            QTextCharFormat format = fragment.charFormat();
            bool changed = false;
            if (format.isImageFormat()) {
                QTextImageFormat image = format.toImageFormat();
                image.setName(markdownAddress(image.name()));
                format = image;
                changed = true;
            } else if (format.isAnchor() && !format.anchorHref().isEmpty()) {
                format.setAnchorHref(markdownAddress(format.anchorHref()));
                changed = true;
            }
            QString text = fragment.text();
            if (!codeBlock && !format.fontFixedPitch() && !format.isImageFormat()) {
                const QString escapedText = escaped(text);
                changed = changed || escapedText.size() != text.size();
                text = escapedText;
            }
            if (changed)
                replacements.append({fragment.position(), fragment.length(), text, format});
        }
    }
    QTextCursor cursor(document);
    for (auto it = replacements.crbegin(); it != replacements.crend(); ++it) {
        cursor.setPosition(it->position);
        cursor.setPosition(it->position + it->length, QTextCursor::KeepAnchor);
        if (it->format.isImageFormat())
            cursor.setCharFormat(it->format);
        else
            cursor.insertText(it->text, it->format);
    }
}

// The emphasis Qt's Markdown writer marks with "**", "*" and "~~".
enum Emphasis
{
    Bold = 1,
    Italic = 2,
    StruckOut = 4
};

int emphasisOf(const QTextCharFormat &format)
{
    return (format.fontWeight() > QFont::Medium ? Bold : 0) | (format.fontItalic() ? Italic : 0) |
           (format.fontStrikeOut() ? StruckOut : 0);
}

// An underlined run of a block and the text beside it.
struct UnderlinedRun
{
    int start = 0;
    int end = 0;
    int emphasis = Bold | Italic | StruckOut; // what all of the run has
    int before = 0;                           // what the text before it has
    int after = 0;                            // what the text after it has

    // The format of the marks around the run. An emphasis of the whole run
    // that goes on beside it takes the marks in ("**bold <u>both</u>**"); one
    // of the run alone stays inside them ("word<u>**a**</u>"), as Markdown
    // would not see "**" between a letter and "<" as the start of emphasis.
    QTextCharFormat markFormat() const
    {
        const int inside = emphasis & (before | after);
        QTextCharFormat format;
        if (inside & Bold)
            format.setFontWeight(QFont::Bold);
        format.setFontItalic(inside & Italic);
        format.setFontStrikeOut(inside & StruckOut);
        return format;
    }
};

} // namespace

QString escaped(const QString &text)
{
    QString result;
    result.reserve(text.size());
    for (const QChar c : text) {
        if (QStringView(u"\\`*_[]<>&#|~").contains(c))
            result += QLatin1Char('\\');
        result += c;
    }
    return result;
}

// Qt's writer turns underline into emphasis. So each underlined run loses its
// underline and is framed by two marks the text does not hold, which become
// "<u>" and "</u>" in the written text.
QString fromDocument(const QTextDocument &source)
{
    const std::unique_ptr<QTextDocument> document(source.clone());
    document->setUndoRedoEnabled(false);
    escapeText(document.get());
    const auto [open, close] = unusedMarks(document->toPlainText());
    QList<UnderlinedRun> runs;
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        int previous = 0;
        std::optional<UnderlinedRun> run;
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const QTextCharFormat format = fragment.charFormat();
            const bool underlined =
                format.fontUnderline() && !format.isAnchor() && !format.isImageFormat();
            if (underlined) {
                if (!run) {
                    run = UnderlinedRun{};
                    run->start = fragment.position();
                    run->before = previous;
                }
                run->emphasis &= emphasisOf(format);
            } else if (run) {
                run->end = fragment.position();
                run->after = emphasisOf(format);
                runs.append(*run);
                run.reset();
            }
            previous = emphasisOf(format);
        }
        if (run) {
            run->end = block.position() + block.length() - 1;
            runs.append(*run);
        }
    }
    QTextCursor cursor(document.get());
    for (auto run = runs.crbegin(); run != runs.crend(); ++run) {
        const QTextCharFormat mark = run->markFormat();
        cursor.setPosition(run->start);
        cursor.setPosition(run->end, QTextCursor::KeepAnchor);
        QTextCharFormat notUnderlined;
        notUnderlined.setFontUnderline(false);
        cursor.mergeCharFormat(notUnderlined);
        cursor.setPosition(run->end);
        cursor.insertText(QString(close), mark);
        cursor.setPosition(run->start);
        cursor.insertText(QString(open), mark);
    }
    return document->toMarkdown()
        .replace(open, QLatin1String("<u>"))
        .replace(close, QLatin1String("</u>"));
}

} // namespace NoteMarkdown
