#include "panel/notefilter.h"

#include <QRegularExpression>

#include <algorithm>
#include <bit>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

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

// Whether `word` occurs in `text`. A keystroke runs through every note, and
// a word that is in few of them means reading all of their text: sixteen
// places at a time are tried at once, by their first and last byte, and only
// those that match both are compared in full. The C library's search takes
// the places the blocks leave over, and any text on machines without SSE2.
bool contains(const char *text, std::size_t size, const char *word, std::size_t length)
{
    if (length == 0)
        return true;
    if (length > size)
        return false;
    if (length == 1)
        return std::memchr(text, word[0], size) != nullptr;
    std::size_t start = 0;
#if defined(__SSE2__)
    const __m128i first = _mm_set1_epi8(word[0]);
    const __m128i last = _mm_set1_epi8(word[length - 1]);
    for (; start + length + 15 <= size; start += 16) {
        const __m128i firsts = _mm_loadu_si128(reinterpret_cast<const __m128i *>(text + start));
        const __m128i lasts =
            _mm_loadu_si128(reinterpret_cast<const __m128i *>(text + start + length - 1));
        auto candidates = unsigned(_mm_movemask_epi8(
            _mm_and_si128(_mm_cmpeq_epi8(firsts, first), _mm_cmpeq_epi8(lasts, last))));
        while (candidates != 0) {
            const std::size_t place = start + std::size_t(std::countr_zero(candidates));
            if (std::memcmp(text + place + 1, word + 1, length - 2) == 0)
                return true;
            candidates &= candidates - 1;
        }
    }
#endif
    return memmem(text + start, size - start, word, length) != nullptr;
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
    return std::all_of(words.cbegin(), words.cend(), [&](const QByteArray &word) {
        return contains(foldedText.constData(), std::size_t(foldedText.size()), word.constData(),
                        std::size_t(word.size()));
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
