#include "panel/notefilter.h"

#include <QRegularExpression>

#include <algorithm>
#include <cstring>

namespace NoteFilter {

namespace {

// Appends `text` reduced as fold() says, the slow way for any characters.
void appendFolded(const QString &text, QString &folded)
{
    const QString decomposed = text.normalized(QString::NormalizationForm_KD);
    QString bare;
    bare.reserve(decomposed.size());
    for (const QChar c : decomposed) {
        switch (c.category()) {
        case QChar::Mark_NonSpacing:
        case QChar::Mark_SpacingCombining:
        case QChar::Mark_Enclosing:
            break;
        default:
            bare.append(c);
        }
    }
    folded += bare.toCaseFolded();
}

} // namespace

QString fold(const QString &text)
{
    // Note text is mostly ASCII, which only needs its capitals lowered; the
    // runs of other characters go the slow way, each on its own (their
    // decomposition does not depend on what stands around them, and the
    // marks it might reorder are dropped anyway). A thousand notes are read
    // when a search starts.
    QString folded;
    folded.reserve(text.size());
    const qsizetype size = text.size();
    const QStringView view(text);
    for (qsizetype i = 0; i < size;) {
        qsizetype end = i;
        while (end < size && view[end].unicode() < 0x80)
            ++end;
        if (end > i) {
            const qsizetype start = folded.size();
            folded.append(view.sliced(i, end - i));
            QChar *c = folded.data() + start;
            for (QChar *const last = c + (end - i); c != last; ++c) {
                if (*c >= u'A' && *c <= u'Z')
                    *c = QChar(c->unicode() + (u'a' - u'A'));
            }
            i = end;
            continue;
        }
        while (end < size && view[end].unicode() >= 0x80)
            ++end;
        appendFolded(text.mid(i, end - i), folded);
        i = end;
    }
    return folded;
}

QByteArrayList queryWords(const QString &query)
{
    static const QRegularExpression blanks(QStringLiteral("\\s+"));
    QByteArrayList words;
    for (const QString &word : fold(query).split(blanks, Qt::SkipEmptyParts))
        words << word.toUtf8();
    return words;
}

QByteArray matchText(const QString &plainText, const QString &colorName,
                     const QString &reminderText)
{
    return fold(plainText + QLatin1Char('\n') + colorName + QLatin1Char('\n') + reminderText)
        .toUtf8();
}

bool matches(const QByteArray &foldedText, const QByteArrayList &words)
{
    // The C library's search is several times quicker on long texts than a
    // character-by-character one, and a keystroke runs through every note.
    return std::all_of(words.cbegin(), words.cend(), [&](const QByteArray &word) {
        return memmem(foldedText.constData(), std::size_t(foldedText.size()), word.constData(),
                      std::size_t(word.size())) != nullptr;
    });
}

bool narrows(const QByteArrayList &words, const QByteArrayList &earlierWords)
{
    for (const QByteArray &earlier : earlierWords) {
        const bool inSomeWord =
            std::any_of(words.cbegin(), words.cend(),
                        [&](const QByteArray &word) { return word.contains(earlier); });
        if (!inSomeWord)
            return false;
    }
    return true;
}

} // namespace NoteFilter
