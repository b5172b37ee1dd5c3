#include "richtext/imagereferences.h"

#include <QRegularExpression>
#include <QUrl>

namespace ImageReferences {

namespace {

QString decodeAttribute(QString text)
{
    text.replace(QLatin1String("&quot;"), QLatin1String("\""));
    text.replace(QLatin1String("&#39;"), QLatin1String("'"));
    text.replace(QLatin1String("&lt;"), QLatin1String("<"));
    text.replace(QLatin1String("&gt;"), QLatin1String(">"));
    text.replace(QLatin1String("&amp;"), QLatin1String("&"));
    return text;
}

} // namespace

QString rewrite(const QString &html, const std::function<QString(const QString &)> &replace)
{
    static const QRegularExpression source(
        QStringLiteral(R"((<img\b[^>]*?\bsrc\s*=\s*)(["'])(.*?)\2)"),
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption);
    QString result;
    result.reserve(html.size());
    qsizetype copied = 0;
    auto it = source.globalMatch(html);
    while (it.hasNext()) {
        const QRegularExpressionMatch match = it.next();
        const QString replacement = replace(decodeAttribute(match.captured(3)));
        if (replacement.isEmpty())
            continue;
        result += QStringView(html).mid(copied, match.capturedStart(3) - copied);
        QString escaped = replacement.toHtmlEscaped();
        if (match.captured(2) == QLatin1String("'"))
            escaped.replace(QLatin1Char('\''), QLatin1String("&#39;"));
        result += escaped;
        copied = match.capturedEnd(3);
    }
    result += QStringView(html).mid(copied);
    return result;
}

QString localFile(const QString &source)
{
    if (source.startsWith(QLatin1String("file:"), Qt::CaseInsensitive)) {
        const QUrl url(source);
        if (url.isLocalFile())
            return url.toLocalFile();
        return source.mid(5); // "file:/path" as the editor writes links
    }
    if (source.startsWith(QLatin1Char('/')))
        return source;
    return QString();
}

} // namespace ImageReferences
