#include "richtext/markupsafety.h"

#include "richtext/qtmarkupreader.h"

#include <QHash>
#include <QList>
#include <QSet>
#include <QTextCursor>

#include <optional>

namespace MarkupSafety {
namespace {

bool isEmptyElement(const QString &name)
{
    static const QSet<QString> names = {
        QStringLiteral("area"),  QStringLiteral("base"),  QStringLiteral("br"),
        QStringLiteral("col"),   QStringLiteral("embed"), QStringLiteral("hr"),
        QStringLiteral("img"),   QStringLiteral("input"), QStringLiteral("link"),
        QStringLiteral("meta"),  QStringLiteral("param"), QStringLiteral("source"),
        QStringLiteral("track"), QStringLiteral("wbr"),   QStringLiteral("!doctype")};
    return names.contains(name);
}

// Elements that an opening tag of the same kind closes.
bool closesItsKind(const QString &name)
{
    static const QSet<QString> names = {
        QStringLiteral("p"),  QStringLiteral("li"), QStringLiteral("tr"), QStringLiteral("td"),
        QStringLiteral("th"), QStringLiteral("dt"), QStringLiteral("dd"), QStringLiteral("option")};
    return names.contains(name);
}

bool isBlockEnd(const QString &name)
{
    static const QSet<QString> names = {
        QStringLiteral("p"),     QStringLiteral("div"),    QStringLiteral("li"),
        QStringLiteral("tr"),    QStringLiteral("h1"),     QStringLiteral("h2"),
        QStringLiteral("h3"),    QStringLiteral("h4"),     QStringLiteral("h5"),
        QStringLiteral("h6"),    QStringLiteral("pre"),    QStringLiteral("blockquote"),
        QStringLiteral("table"), QStringLiteral("ul"),     QStringLiteral("ol"),
        QStringLiteral("hr"),    QStringLiteral("br"),     QStringLiteral("td"),
        QStringLiteral("th"),    QStringLiteral("dl"),     QStringLiteral("dt"),
        QStringLiteral("dd"),    QStringLiteral("center"), QStringLiteral("address")};
    return names.contains(name);
}

struct Tag
{
    QString name; // lower case; "!--" for a comment
    bool closing = false;
    bool selfClosed = false;
    qsizetype end = 0; // index just past the tag
};

// Reads the tag starting at html[start] == '<' for the plain text: as Qt
// does, blanks may follow '<' and '</', and a name may be quoted. Returns
// nothing when the '<' starts no name (as in "1 < 2"); it is then text.
std::optional<Tag> readTag(QStringView html, qsizetype start)
{
    const qsizetype size = html.size();
    const auto skipBlanks = [html, size](qsizetype at) {
        while (at < size && html[at].isSpace())
            ++at;
        return at;
    };
    qsizetype i = skipBlanks(start + 1);
    if (html.mid(i).startsWith(u"!--")) {
        const qsizetype close = html.indexOf(u"-->", i + 3);
        return Tag{QStringLiteral("!--"), false, true, close < 0 ? size : close + 3};
    }
    Tag tag;
    if (i < size && html[i] == u'/') {
        tag.closing = true;
        i = skipBlanks(i + 1);
    }
    const auto isNameCharacter = [](QChar c) {
        return c.isLetterOrNumber() || c == u'!' || c == u'?' || c == u'"' || c == u'\'' ||
               c == u'&' || c == u'#' || c == u';';
    };
    const qsizetype nameStart = i;
    if (i < size && !html[i].isLetter() && html[i] != u'!' && html[i] != u'?' && html[i] != u'"' &&
        html[i] != u'\'' && html[i] != u'&')
        return std::nullopt;
    while (i < size && isNameCharacter(html[i]))
        ++i;
    if (i == nameStart)
        return std::nullopt;
    // Lowered and without quotes in one pass: every tag of every note read
    // for the search comes through here.
    tag.name.reserve(i - nameStart);
    for (const QChar c : html.sliced(nameStart, i - nameStart)) {
        if (c == u'"' || c == u'\'')
            continue;
        const char16_t unit = c.unicode();
        tag.name.append(unit >= u'A' && unit <= u'Z' ? QChar(unit + (u'a' - u'A')) : c.toLower());
    }
    QChar quote;
    QChar previous;
    while (i < size) {
        const QChar c = html[i];
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
        } else if (c == u'"' || c == u'\'') {
            quote = c;
        } else if (c == u'>') {
            tag.selfClosed = previous == u'/';
            tag.end = i + 1;
            return tag;
        }
        if (!c.isSpace())
            previous = c;
        ++i;
    }
    tag.end = size; // unterminated: the rest is the tag
    return tag;
}

// The elements open at a point of the markup, with a count per name so that
// lookups stay cheap however deep hostile markup nests.
class OpenElements
{
public:
    qsizetype depth() const { return m_stack.size(); }
    int count(const QString &name) const { return m_counts.value(name); }
    bool hidesText() const { return m_hiding > 0; }
    void open(const QString &name)
    {
        if (closesItsKind(name))
            closeEarlierOfKind(name);
        m_stack.append(name);
        ++m_counts[name];
        m_hiding += hidesItsText(name);
    }
    // Closes `name` and everything opened inside it; a closing tag without an
    // open element is ignored.
    void close(const QString &name)
    {
        if (count(name) == 0)
            return;
        while (m_stack.constLast() != name)
            pop();
        pop();
    }

private:
    void pop()
    {
        const QString name = m_stack.takeLast();
        --m_counts[name];
        m_hiding -= hidesItsText(name);
    }

    static bool hidesItsText(const QString &name)
    {
        return name == QLatin1String("head") || name == QLatin1String("style") ||
               name == QLatin1String("script");
    }

    // A new row closes the open row with its cell and what is inside it, as
    // HTML does; a few levels are looked at, and never past a container.
    void closeEarlierOfKind(const QString &name)
    {
        static const QSet<QString> containers = {
            QStringLiteral("table"),     QStringLiteral("ul"),  QStringLiteral("ol"),
            QStringLiteral("dl"),        QStringLiteral("div"), QStringLiteral("select"),
            QStringLiteral("blockquote")};
        const qsizetype lowest = std::max<qsizetype>(0, m_stack.size() - 4);
        for (qsizetype at = m_stack.size() - 1; at >= lowest; --at) {
            if (m_stack.at(at) == name) {
                while (m_stack.size() > at)
                    pop();
                return;
            }
            if (containers.contains(m_stack.at(at)))
                return;
        }
    }

    QList<QString> m_stack;
    QHash<QString, int> m_counts;
    int m_hiding = 0; // open head, style and script elements
};

// Walks the tags of `html`, keeping the open elements, and calls
// `onText(from, to)` for text outside head, style and script, and `onTag` after
// each tag.
template <typename TextFn, typename TagFn> void walk(QStringView html, TextFn onText, TagFn onTag)
{
    OpenElements open;
    qsizetype i = 0;
    const qsizetype size = html.size();
    while (i < size) {
        const qsizetype lt = html.indexOf(u'<', i);
        const qsizetype textEnd = lt < 0 ? size : lt;
        if (textEnd > i && !open.hidesText())
            onText(i, textEnd);
        if (lt < 0)
            break;
        const std::optional<Tag> tag = readTag(html, lt);
        if (!tag) {
            if (!open.hidesText())
                onText(lt, lt + 1);
            i = lt + 1;
            continue;
        }
        i = tag->end;
        if (tag->name == QLatin1String("!--") || tag->name.startsWith(u'?'))
            continue;
        if (tag->closing)
            open.close(tag->name);
        else if (!tag->selfClosed && !isEmptyElement(tag->name))
            open.open(tag->name);
        onTag(*tag, open);
    }
}

QString decodeEntity(QStringView entity)
{
    static const QHash<QString, QString> named = {{QStringLiteral("lt"), QStringLiteral("<")},
                                                  {QStringLiteral("gt"), QStringLiteral(">")},
                                                  {QStringLiteral("amp"), QStringLiteral("&")},
                                                  {QStringLiteral("quot"), QStringLiteral("\"")},
                                                  {QStringLiteral("apos"), QStringLiteral("'")},
                                                  {QStringLiteral("nbsp"), QString(QChar(0xA0))}};
    if (entity.startsWith(u'#')) {
        bool ok = false;
        const bool hex = entity.size() > 1 && (entity[1] == u'x' || entity[1] == u'X');
        const uint code = hex ? entity.mid(2).toUInt(&ok, 16) : entity.mid(1).toUInt(&ok, 10);
        if (ok && code > 0 && code <= 0x10FFFF && (code < 0xD800 || code > 0xDFFF)) {
            const char32_t character = code;
            return QString::fromUcs4(&character, 1);
        }
        return QString();
    }
    return named.value(entity.toString());
}

} // namespace

Nesting nesting(QStringView html)
{
    return QtMarkupReader(html).read();
}

bool isSafeToLayOut(QStringView html)
{
    // Every element, and every table Qt puts around a lone cell or row,
    // takes an opening tag, and each tag opens at most a table, a row and a
    // cell: markup with a few tags needs no walk.
    const qsizetype openingTags = html.count(u'<') - html.count(u"</");
    if (openingTags <= kMaxTableDepth && 3 * openingTags <= kMaxElementDepth)
        return true;
    const Nesting found = nesting(html);
    return found.elements <= kMaxElementDepth && found.tables <= kMaxTableDepth;
}

QString plainText(QStringView html)
{
    QString text;
    text.reserve(html.size());
    const auto appendText = [&text, html](qsizetype from, qsizetype to) {
        qsizetype i = from;
        while (i < to) {
            // The text up to the next character reference goes in at once.
            const qsizetype ampersand = html.sliced(i, to - i).indexOf(u'&');
            if (ampersand < 0) {
                text += html.sliced(i, to - i);
                return;
            }
            text += html.sliced(i, ampersand);
            i += ampersand;
            const qsizetype semicolon =
                html.sliced(i, std::min<qsizetype>(to - i, 11)).indexOf(u';');
            if (semicolon > 0) {
                const QString decoded = decodeEntity(html.sliced(i + 1, semicolon - 1));
                if (!decoded.isEmpty()) {
                    text += decoded;
                    i += semicolon + 1;
                    continue;
                }
            }
            text += u'&';
            ++i;
        }
    };
    walk(html, appendText, [&text](const Tag &tag, const OpenElements &) {
        const bool lineBreak = tag.name == QLatin1String("br") ||
                               (tag.closing && isBlockEnd(tag.name)) ||
                               (!tag.closing && tag.name == QLatin1String("hr"));
        if (lineBreak && !text.isEmpty() && !text.endsWith(u'\n'))
            text += u'\n';
    });
    while (text.endsWith(u'\n'))
        text.chop(1);
    return text;
}

bool insertHtmlOrText(QTextCursor &cursor, const QString &html)
{
    if (isSafeToLayOut(html)) {
        cursor.insertHtml(html);
        return true;
    }
    cursor.insertText(plainText(html));
    return false;
}

} // namespace MarkupSafety
