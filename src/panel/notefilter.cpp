#include "panel/notefilter.h"

#include <QRegularExpression>

#include <algorithm>
#include <cstring>

namespace NoteFilter {

QString fold(const QString &text)
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
    return bare.toCaseFolded();
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
