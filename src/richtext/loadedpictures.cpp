#include "richtext/loadedpictures.h"

#include "richtext/imagereferences.h"
#include "store/picturestore.h"

#include <QHash>
#include <QRegularExpression>

#include <algorithm>

namespace LoadedPictures {

namespace {

// What a note from the folder shows for `source`: the source itself when it
// names no file, the left-out picture otherwise. The folder's pictures come
// only through their own files, by hash.
QString keptOrLeftOutImpl(const QString &source)
{
    const QString scheme = schemeOf(source);
    if (scheme == u"http" || scheme == u"https" || scheme == u"data" ||
        scheme == PictureStore::kImageScheme || scheme == PictureStore::kIconScheme)
        return source;
    return PictureStore::kLeftOutSource.toString();
}

bool isKept(const QString &source)
{
    return keptOrLeftOutImpl(source) == source;
}

bool isHexDigit(QChar c)
{
    return (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F');
}

// Whether every picture a style sheet loads is kept: its escapes read as
// the style parser reads them, no sheet imported.
bool styleIsKept(const QString &style)
{
    QString plain;
    plain.reserve(style.size());
    for (qsizetype at = 0; at < style.size(); ++at) {
        if (style.at(at) != QLatin1Char('\\') || at + 1 == style.size()) {
            plain += style.at(at);
            continue;
        }
        qsizetype end = at + 1;
        while (end < style.size() && end < at + 7 && isHexDigit(style.at(end)))
            ++end;
        if (end == at + 1) {
            plain += style.at(++at);
            continue;
        }
        const uint code = QStringView(style).mid(at + 1, end - at - 1).toUInt(nullptr, 16);
        plain += QChar::fromUcs4(code == 0 || code > 0x10FFFF ? 0xFFFD : code);
        at = end - 1;
    }
    plain = plain.toLower();
    if (plain.contains(QLatin1String("@import")))
        return false;
    for (qsizetype at = plain.indexOf(QLatin1String("url(")); at >= 0;
         at = plain.indexOf(QLatin1String("url("), at)) {
        const qsizetype end = plain.indexOf(QLatin1Char(')'), at);
        QString target = plain.mid(at + 4, end < 0 ? -1 : end - at - 4).trimmed();
        if (target.size() >= 2 && (target.front() == u'"' || target.front() == u'\'') &&
            target.back() == target.front())
            target = target.mid(1, target.size() - 2).trimmed();
        if (!isKept(target))
            return false;
        if (end < 0)
            break;
        at = end;
    }
    return true;
}

// Numeric character references as the rich text parser reads them in text
// and attributes: they could spell what a style sheet loads.
QString withNumericReferences(const QString &text)
{
    static const QRegularExpression reference(
        QStringLiteral("&#([xX][0-9A-Fa-f]{1,8}|[0-9]{1,10});?"));
    QString result;
    qsizetype copied = 0;
    for (auto it = reference.globalMatch(text); it.hasNext();) {
        const QRegularExpressionMatch match = it.next();
        const QStringView number = match.capturedView(1);
        const bool hex = number.front() == u'x' || number.front() == u'X';
        const uint code = (hex ? number.mid(1) : number).toUInt(nullptr, hex ? 16 : 10);
        result += QStringView(text).mid(copied, match.capturedStart() - copied);
        result += QChar::fromUcs4(code == 0 || code > 0x10FFFF ? 0xFFFD : code);
        copied = match.capturedEnd();
    }
    result += QStringView(text).mid(copied);
    return result;
}

// Walks a note's HTML tag by tag the way the rich text parser does and
// leaves out every picture it would load from a source that is not kept:
// image sources the quoted screening cannot see (unquoted, given twice,
// "< img", "source="), backgrounds, and style sheets that load a picture or
// import a sheet (those lose their style). This program never writes such
// HTML; a note holding it is taken without them.
class LoadedSources
{
public:
    explicit LoadedSources(const QString &html) : m_text(html) {}

    QString screened()
    {
        qsizetype styleStart = -1;
        while (m_at < m_text.size()) {
            if (m_text.at(m_at++) != QLatin1Char('<'))
                continue;
            const qsizetype tagStart = m_at - 1;
            eatSpace();
            if (m_at < m_text.size() && m_text.at(m_at) == QLatin1Char('!')) {
                skipDeclaration();
                continue;
            }
            const bool closing = m_at < m_text.size() && m_text.at(m_at) == QLatin1Char('/');
            m_at += closing ? 1 : 0;
            const QString tag = word().toLower();
            if (closing) {
                if (tag == u"style" && styleStart >= 0) {
                    const QString style = m_text.mid(styleStart, tagStart - styleStart);
                    if (!styleIsKept(withNumericReferences(style))) {
                        while (!m_replaced.isEmpty() && m_replaced.last().start >= styleStart)
                            m_replaced.removeLast();
                        m_replaced.append({styleStart, tagStart, QString()});
                    }
                    styleStart = -1;
                }
                skipTo(QLatin1Char('>'));
                continue;
            }
            // The reader takes attributes only after a blank: in "<'p'x=...>"
            // or "<''\"...>" it reads none and goes on after the next '>'.
            if (m_at < m_text.size() && m_text.at(m_at).isSpace())
                screenAttributes(tag);
            skipTo(QLatin1Char('>'));
            if (tag == u"style" && styleStart < 0)
                styleStart = m_at;
        }
        QString result;
        qsizetype copied = 0;
        for (const Replaced &replaced : std::as_const(m_replaced)) {
            result += QStringView(m_text).mid(copied, replaced.start - copied);
            result += replaced.by;
            copied = replaced.end;
        }
        result += QStringView(m_text).mid(copied);
        return result;
    }

private:
    struct Replaced
    {
        qsizetype start;
        qsizetype end;
        QString by;
    };

    void screenAttributes(const QString &tag)
    {
        while (m_at < m_text.size()) {
            eatSpace();
            if (m_at == m_text.size() || m_text.at(m_at) == QLatin1Char('>') ||
                m_text.at(m_at) == QLatin1Char('/'))
                break;
            const QString key = word().toLower();
            if (key.isEmpty())
                break;
            // The value with its "=", or where it would stand.
            const qsizetype valueStart = m_at;
            eatSpace();
            QString value;
            if (m_at < m_text.size() && m_text.at(m_at) == QLatin1Char('=')) {
                ++m_at;
                eatSpace();
                value = word();
            } else {
                m_at = valueStart;
            }
            if (((tag == u"img" && (key == u"src" || key == u"source")) || key == u"background") &&
                !isKept(value)) {
                m_replaced.append({valueStart, m_at,
                                   QStringLiteral("=\"%1\"").arg(PictureStore::kLeftOutSource)});
            } else if (key == u"style" && !styleIsKept(value)) {
                m_replaced.append({valueStart, m_at, QStringLiteral("=\"\"")});
            }
        }
    }

    // A quoted value (entities read but for single quotes) or a word.
    QString word()
    {
        const qsizetype start = m_at;
        if (m_at < m_text.size() &&
            (m_text.at(m_at) == QLatin1Char('"') || m_text.at(m_at) == QLatin1Char('\''))) {
            const QChar quote = m_text.at(m_at);
            const qsizetype end = m_text.indexOf(quote, m_at + 1);
            m_at = end < 0 ? m_text.size() : end + 1;
            const QString value =
                m_text.mid(start + 1, (end < 0 ? m_text.size() : end) - start - 1);
            return quote == QLatin1Char('"') ? withNumericReferences(value) : value;
        }
        while (m_at < m_text.size()) {
            const QChar c = m_text.at(m_at);
            if (c == QLatin1Char('>') || c == QLatin1Char('<') || c == QLatin1Char('=') ||
                c.isSpace() ||
                (c == QLatin1Char('/') && m_at + 1 < m_text.size() &&
                 m_text.at(m_at + 1) == QLatin1Char('>')))
                break;
            ++m_at;
        }
        return withNumericReferences(m_text.mid(start, m_at - start));
    }

    void eatSpace()
    {
        while (m_at < m_text.size() && m_text.at(m_at).isSpace())
            ++m_at;
    }

    void skipTo(QChar character)
    {
        const qsizetype end = m_text.indexOf(character, m_at);
        m_at = end < 0 ? m_text.size() : end + 1;
    }

    void skipDeclaration()
    {
        if (QStringView(m_text).mid(m_at).startsWith(QLatin1String("!--"))) {
            const qsizetype end = m_text.indexOf(QLatin1String("-->"), m_at + 3);
            m_at = end < 0 ? m_text.size() : end + 3;
        } else {
            skipTo(QLatin1Char('>'));
        }
    }

    const QString m_text;
    qsizetype m_at = 0;
    QList<Replaced> m_replaced;
};

} // namespace

QString schemeOf(const QString &source)
{
    const qsizetype colon = source.indexOf(QLatin1Char(':'));
    const qsizetype slash = source.indexOf(QLatin1Char('/'));
    if (colon <= 0 || (slash >= 0 && slash < colon))
        return QString();
    return source.left(colon).toLower();
}

QString keptOrLeftOut(const QString &source)
{
    return keptOrLeftOutImpl(source);
}

QString screen(const QString &html)
{
    // A source put in where a picture was left out brings quotes of its own,
    // and they can pair with quotes further on so that the reader sees tags
    // the text before did not have. So the screening is repeated until it
    // changes nothing: then every picture the reader loads from the result
    // is kept. Text that will not settle loses its markup altogether.
    QString screened = html;
    for (int round = 0; round < kMaxScreeningRounds; ++round) {
        QString again = LoadedSources(screened).screened();
        if (again == screened)
            return screened;
        screened = std::move(again);
    }
    return screened.toHtmlEscaped();
}

QString screenNote(const QString &html)
{
    QString screened = html;
    for (int round = 0; round < kMaxScreeningRounds; ++round) {
        QString again = screen(ImageReferences::rewrite(screened, keptOrLeftOut));
        if (again == screened)
            return screened;
        screened = std::move(again);
    }
    return screened.toHtmlEscaped();
}

} // namespace LoadedPictures
