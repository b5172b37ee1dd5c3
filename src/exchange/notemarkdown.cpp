#include "exchange/notemarkdown.h"

#include <QList>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <memory>
#include <optional>

namespace NoteMarkdown {

namespace {

// Two characters of Unicode's private use area that `text` does not hold.
std::pair<QChar, QChar> unusedMarks(const QString &text)
{
    char16_t first = 0xE000;
    while (text.contains(QChar(first)) || text.contains(QChar(first + 1)))
        first += 2;
    return {QChar(first), QChar(first + 1)};
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

// Qt's writer turns underline into emphasis. So each underlined run loses its
// underline and is framed by two marks the text does not hold, which become
// "<u>" and "</u>" in the written text.
QString fromDocument(const QTextDocument &source)
{
    const std::unique_ptr<QTextDocument> document(source.clone());
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
