#include "panel/notefilter.h"

#include <QRegularExpression>

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

QStringList queryWords(const QString &query)
{
    static const QRegularExpression blanks(QStringLiteral("\\s+"));
    return fold(query).split(blanks, Qt::SkipEmptyParts);
}

QString matchText(const QString &plainText, const QString &colorName, const QString &reminderText)
{
    return fold(plainText + QLatin1Char('\n') + colorName + QLatin1Char('\n') + reminderText);
}

bool matches(const QString &foldedText, const QStringList &words)
{
    for (const QString &word : words) {
        if (!foldedText.contains(word))
            return false;
    }
    return true;
}

} // namespace NoteFilter
