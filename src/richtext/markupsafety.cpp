#include "richtext/markupsafety.h"

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
        QStringLiteral("p"),     QStringLiteral("div"), QStringLiteral("li"),
        QStringLiteral("tr"),    QStringLiteral("h1"),  QStringLiteral("h2"),
        QStringLiteral("h3"),    QStringLiteral("h4"),  QStringLiteral("h5"),
        QStringLiteral("h6"),    QStringLiteral("pre"), QStringLiteral("blockquote"),
        QStringLiteral("table"), QStringLiteral("ul"),  QStringLiteral("ol"),
        QStringLiteral("hr"),    QStringLiteral("br")};
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
    tag.name = html.mid(nameStart, i - nameStart).toString().toLower();
    tag.name.remove(u'"');
    tag.name.remove(u'\'');
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
        return name == u"head" || name == u"style" || name == u"script";
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
        if (tag->name == u"!--" || tag->name.startsWith(u'?'))
            continue;
        if (tag->closing)
            open.close(tag->name);
        else if (!tag->selfClosed && !isEmptyElement(tag->name))
            open.open(tag->name);
        onTag(*tag, open);
    }
}

// Reads markup as Qt's rich-text import (QTextDocument::setHtml) does, to
// know how deep the elements it builds will nest. Qt takes every '<' as the
// start of a tag and skips blanks after it; a name may be quoted or hold
// character references and is compared in lower case; attribute values may
// be quoted; a tag ends at the first '>' after its attributes, and a '/'
// anywhere in that rest closes it. Closing tags end at the first '>'. The
// elements Qt opens on its own (a table around a lone cell or row) and the
// ones it closes on its own (a paragraph, list item, cell or row before
// another) are followed as Qt does. Where this reading cannot be sure (a
// name with a named character reference), it keeps elements open: the
// depth it finds is never below Qt's.
class QtMarkupReader
{
public:
    explicit QtMarkupReader(QStringView html) : m_text(html) {}

    Nesting read()
    {
        while (m_pos < m_text.size()) {
            const qsizetype lt = m_text.indexOf(u'<', m_pos);
            if (lt < 0)
                break;
            m_pos = lt + 1;
            readTag();
        }
        return m_deepest;
    }

private:
    enum class Kind
    {
        Other,
        Table,
        Row,
        Cell,       // td
        HeaderCell, // th
        Section,    // thead, tbody, tfoot
        Caption,
        Paragraph,
        ListItem,
        Term,       // dt
        Definition, // dd
        DefinitionList,
        Body,
        Head,
        Childless, // img, hr, br, meta
        Count
    };

    struct Element
    {
        QString tag; // empty when no closing tag can match it
        Kind kind;
        qsizetype block; // index of the nearest element a paragraph stops at, or -1
        bool inTable;    // inside a table but not inside one of its cells
    };

    static Kind kindOf(const QString &tag)
    {
        static const QHash<QString, Kind> kinds = [] {
            QHash<QString, Kind> table = {{QStringLiteral("table"), Kind::Table},
                                          {QStringLiteral("tr"), Kind::Row},
                                          {QStringLiteral("td"), Kind::Cell},
                                          {QStringLiteral("th"), Kind::HeaderCell},
                                          {QStringLiteral("thead"), Kind::Section},
                                          {QStringLiteral("tbody"), Kind::Section},
                                          {QStringLiteral("tfoot"), Kind::Section},
                                          {QStringLiteral("caption"), Kind::Caption},
                                          {QStringLiteral("p"), Kind::Paragraph},
                                          {QStringLiteral("li"), Kind::ListItem},
                                          {QStringLiteral("dt"), Kind::Term},
                                          {QStringLiteral("dd"), Kind::Definition},
                                          {QStringLiteral("dl"), Kind::DefinitionList},
                                          {QStringLiteral("body"), Kind::Body},
                                          {QStringLiteral("head"), Kind::Head},
                                          {QStringLiteral("img"), Kind::Childless},
                                          {QStringLiteral("hr"), Kind::Childless},
                                          {QStringLiteral("br"), Kind::Childless},
                                          {QStringLiteral("meta"), Kind::Childless}};
            return table;
        }();
        return kinds.value(tag, Kind::Other);
    }

    // The elements a new paragraph stops at when it looks for an open
    // paragraph to follow; it reaches past all others, unknown ones, tables,
    // rows and row groups included.
    static bool stopsParagraphs(const QString &tag)
    {
        static const QSet<QString> names = [] {
            QSet<QString> set;
            for (const char *name :
                 {"p",          "div", "li",     "ul",   "ol", "dl",     "dd", "dt",
                  "blockquote", "pre", "center", "body", "h1", "h2",     "h3", "h4",
                  "h5",         "h6",  "qt",     "td",   "th", "caption"})
                set.insert(QString::fromLatin1(name));
            return set;
        }();
        return names.contains(tag);
    }

    // Whether Qt places an element of `kind` directly inside one of `parent`.
    static bool allowedIn(Kind kind, Kind parent)
    {
        switch (kind) {
        case Kind::Definition:
            return parent == Kind::Term || parent == Kind::DefinitionList;
        case Kind::Term:
            return parent == Kind::DefinitionList;
        case Kind::Row:
            return parent == Kind::Table || parent == Kind::Section;
        case Kind::Cell:
        case Kind::HeaderCell:
            return parent == Kind::Row;
        case Kind::Section:
        case Kind::Caption:
            return parent == Kind::Table;
        case Kind::Body:
            return parent != Kind::Head;
        default:
            return true;
        }
    }

    bool hasPrefix(QChar c, qsizetype ahead = 0) const
    {
        return m_pos + ahead < m_text.size() && m_text[m_pos + ahead] == c;
    }

    void eatSpace()
    {
        while (m_pos < m_text.size() && m_text[m_pos].isSpace() &&
               m_text[m_pos] != QChar::ParagraphSeparator)
            ++m_pos;
    }

    // A character reference after '&' (at m_pos): numeric ones are decoded as
    // Qt decodes them; a named one taints the word, as its value is not known
    // here (it is never a letter of an element's name).
    QString readEntity(bool &tainted)
    {
        const qsizetype recover = m_pos;
        qsizetype length = 0;
        bool error = false;
        while (m_pos < m_text.size()) {
            const QChar c = m_text[m_pos++];
            if (c.isSpace() || m_pos - recover > 9) {
                error = true;
                break;
            }
            if (c == u';')
                break;
            ++length;
        }
        if (!error && length > 0) {
            QStringView entity = m_text.mid(recover, length);
            if (entity.size() > 1 && entity[0] == u'#') {
                entity = entity.mid(1);
                int base = 10;
                if (entity[0].toLower() == u'x') {
                    entity = entity.mid(1);
                    base = 16;
                }
                bool ok = false;
                uint code = entity.toUInt(&ok, base);
                if (ok) {
                    // Qt reads 128 to 159 as in Windows-1252.
                    static const char16_t windows1252[] = {
                        0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                        0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                        0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                        0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
                    if (code >= 0x80 && code < 0xA0)
                        code = windows1252[code - 0x80];
                    if (!QChar::requiresSurrogates(code))
                        return QString(QChar(char16_t(code)));
                    QString pair;
                    pair += QChar(QChar::highSurrogate(code));
                    pair += QChar(QChar::lowSurrogate(code));
                    return pair;
                }
            } else {
                tainted = true;
            }
        }
        m_pos = recover;
        return QStringLiteral("&");
    }

    // A name or attribute word: quoted, or up to a blank, '<', '>', '=' or "/>".
    QString readWord(bool &tainted)
    {
        QString word;
        const qsizetype size = m_text.size();
        if (hasPrefix(u'"')) {
            ++m_pos;
            while (m_pos < size) {
                const QChar c = m_text[m_pos++];
                if (c == u'"')
                    break;
                word += c == u'&' ? readEntity(tainted) : QString(c);
            }
        } else if (hasPrefix(u'\'')) {
            ++m_pos;
            while (m_pos < size) {
                const QChar c = m_text[m_pos++];
                if (c == u'\'')
                    break;
                word += c;
            }
        } else {
            while (m_pos < size) {
                const QChar c = m_text[m_pos++];
                if (c == u'>' || (c == u'/' && hasPrefix(u'>')) || c == u'<' || c == u'=' ||
                    c.isSpace()) {
                    --m_pos;
                    break;
                }
                word += c == u'&' ? readEntity(tainted) : QString(c);
            }
        }
        return word;
    }

    void skipAttributes()
    {
        bool ignored = false;
        while (m_pos < m_text.size()) {
            eatSpace();
            if (hasPrefix(u'>') || hasPrefix(u'/'))
                break;
            if (readWord(ignored).isEmpty())
                break;
            eatSpace();
            if (hasPrefix(u'=')) {
                ++m_pos;
                eatSpace();
                readWord(ignored);
            }
        }
    }

    void skipPast(QChar c)
    {
        const qsizetype at = m_text.indexOf(c, m_pos);
        m_pos = at < 0 ? m_text.size() : at + 1;
    }

    void readTag()
    {
        eatSpace();
        if (hasPrefix(u'!')) {
            ++m_pos;
            if (hasPrefix(u'-') && hasPrefix(u'-', 1)) {
                const qsizetype end = m_text.indexOf(u"-->", m_pos + 2);
                m_pos = end < 0 ? m_text.size() : end + 3;
            } else {
                skipPast(u'>');
            }
            return;
        }
        if (hasPrefix(u'/')) {
            ++m_pos;
            bool tainted = false;
            const QString tag = readWord(tainted).toLower().trimmed();
            skipPast(u'>');
            if (!tainted && !tag.isEmpty())
                close(tag);
            return;
        }
        bool tainted = false;
        const QString tag = readWord(tainted).toLower();
        if (m_pos < m_text.size() && m_text[m_pos].isSpace())
            skipAttributes();
        bool selfClosed = false;
        while (m_pos < m_text.size() && m_text[m_pos] != u'>') {
            if (m_text[m_pos] == u'/')
                selfClosed = true;
            ++m_pos;
        }
        ++m_pos;
        // A tag without a name opens nothing that later tags could nest in.
        if (tag.isEmpty())
            return;
        open(tainted ? QString() : tag, tainted ? Kind::Other : kindOf(tag), selfClosed);
    }

    int count(Kind kind) const { return m_counts[int(kind)]; }

    void open(const QString &tag, Kind kind, bool selfClosed)
    {
        if (kind == Kind::Cell && count(Kind::Row) == 0) {
            push(QStringLiteral("table"), Kind::Table);
            push(QStringLiteral("tr"), Kind::Row);
        } else if (kind == Kind::Row && count(Kind::Table) == 0) {
            push(QStringLiteral("table"), Kind::Table);
        }
        if (kind == Kind::Paragraph && !m_stack.isEmpty()) {
            // A paragraph inside a paragraph, with only elements it reaches
            // past between them, follows it.
            const qsizetype block = m_stack.constLast().block;
            if (block >= 0 && m_stack.at(block).kind == Kind::Paragraph)
                popTo(block);
        }
        if (!m_stack.isEmpty() && m_stack.constLast().kind == kind &&
            (kind == Kind::Paragraph || kind == Kind::ListItem))
            popTo(m_stack.size() - 1);
        while (!m_stack.isEmpty() && !allowedIn(kind, m_stack.constLast().kind))
            popTo(m_stack.size() - 1);
        if (!selfClosed && kind != Kind::Childless)
            push(tag, kind);
    }

    // Closes the innermost open element named `tag` and all inside it; Qt
    // ignores a closing tag without one.
    void close(const QString &tag)
    {
        if (m_names.value(tag) == 0)
            return;
        while (m_stack.constLast().tag != tag)
            popTo(m_stack.size() - 1);
        popTo(m_stack.size() - 1);
    }

    void push(const QString &tag, Kind kind)
    {
        const qsizetype index = m_stack.size();
        const qsizetype block = stopsParagraphs(tag) ? index
                                : m_stack.isEmpty()  ? -1
                                                     : m_stack.constLast().block;
        const bool outsideCells = !m_stack.isEmpty() && m_stack.constLast().inTable;
        if (kind == Kind::Table) {
            // Qt's import leaves its cursor in a table placed beside the
            // cells of another one: the tables that follow nest in it,
            // however they nest as elements. Then every table may be one
            // more level.
            m_tablesBesideCells = m_tablesBesideCells || outsideCells;
            ++m_tablesOpened;
        }
        const bool inTable =
            kind == Kind::Table || (outsideCells && kind != Kind::Cell && kind != Kind::HeaderCell);
        m_stack.append(Element{tag, kind, block, inTable});
        ++m_counts[int(kind)];
        if (!tag.isEmpty())
            ++m_names[tag];
        m_deepest.elements = std::max(m_deepest.elements, int(m_stack.size()));
        m_deepest.tables =
            std::max(m_deepest.tables, m_tablesBesideCells ? m_tablesOpened : count(Kind::Table));
    }

    // Removes the element at `index` and everything opened inside it.
    void popTo(qsizetype index)
    {
        while (m_stack.size() > index) {
            const Element element = m_stack.takeLast();
            --m_counts[int(element.kind)];
            if (!element.tag.isEmpty())
                --m_names[element.tag];
        }
    }

    QStringView m_text;
    qsizetype m_pos = 0;
    QList<Element> m_stack;
    int m_counts[int(Kind::Count)] = {};
    QHash<QString, int> m_names;
    int m_tablesOpened = 0;
    bool m_tablesBesideCells = false;
    Nesting m_deepest;
};

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
    // Nothing nests deeper than there are opening tags (and the table and row
    // Qt puts around a lone cell): the markup of most notes has too few of
    // them to need the walk, which reading a thousand notes at start would
    // otherwise pay for each. A table's name is spelled with the letters
    // "table" in any case or with numeric character references.
    const qsizetype openingTags = html.count(u'<') - html.count(u"</");
    const qsizetype tableNames = html.count(u"table", Qt::CaseInsensitive) + html.count(u"&#");
    if (openingTags + 2 <= kMaxElementDepth && tableNames + 1 <= kMaxTableDepth)
        return true;
    const Nesting found = nesting(html);
    return found.elements <= kMaxElementDepth && found.tables <= kMaxTableDepth;
}

QString plainText(QStringView html)
{
    QString text;
    const auto appendText = [&text, html](qsizetype from, qsizetype to) {
        qsizetype i = from;
        while (i < to) {
            const QChar c = html[i];
            if (c == u'&') {
                const qsizetype semicolon = html.indexOf(u';', i);
                if (semicolon > i && semicolon < to && semicolon - i <= 10) {
                    const QString decoded = decodeEntity(html.mid(i + 1, semicolon - i - 1));
                    if (!decoded.isEmpty()) {
                        text += decoded;
                        i = semicolon + 1;
                        continue;
                    }
                }
            }
            text += c;
            ++i;
        }
    };
    walk(html, appendText, [&text](const Tag &tag, const OpenElements &) {
        const bool lineBreak = tag.name == u"br" || (tag.closing && isBlockEnd(tag.name)) ||
                               (!tag.closing && tag.name == u"hr");
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
