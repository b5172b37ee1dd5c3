#include "richtext/qtmarkupreader.h"

#include <QSet>

MarkupSafety::Nesting QtMarkupReader::read()
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

QtMarkupReader::Kind QtMarkupReader::kindOf(const QString &tag)
{
    static const QHash<QString, Kind> kinds = {
        {QStringLiteral("table"), Kind::Table},       {QStringLiteral("tr"), Kind::Row},
        {QStringLiteral("td"), Kind::Cell},           {QStringLiteral("th"), Kind::HeaderCell},
        {QStringLiteral("thead"), Kind::Section},     {QStringLiteral("tbody"), Kind::Section},
        {QStringLiteral("tfoot"), Kind::Section},     {QStringLiteral("caption"), Kind::Caption},
        {QStringLiteral("p"), Kind::Paragraph},       {QStringLiteral("li"), Kind::ListItem},
        {QStringLiteral("dt"), Kind::Term},           {QStringLiteral("dd"), Kind::Definition},
        {QStringLiteral("dl"), Kind::DefinitionList}, {QStringLiteral("body"), Kind::Body},
        {QStringLiteral("head"), Kind::Head},         {QStringLiteral("img"), Kind::Childless},
        {QStringLiteral("hr"), Kind::Childless},      {QStringLiteral("br"), Kind::Childless},
        {QStringLiteral("meta"), Kind::Childless}};
    return kinds.value(tag, Kind::Other);
}

bool QtMarkupReader::stopsParagraphs(const QString &tag)
{
    static const QSet<QString> names = [] {
        QSet<QString> set;
        for (const char *name :
             {"p",    "div", "li", "ul", "ol", "dl", "dd", "dt", "blockquote", "pre", "center",
              "body", "h1",  "h2", "h3", "h4", "h5", "h6", "qt", "td",         "th",  "caption"})
            set.insert(QString::fromLatin1(name));
        return set;
    }();
    return names.contains(tag);
}

bool QtMarkupReader::allowedIn(Kind kind, Kind parent)
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

bool QtMarkupReader::hasPrefix(QChar c, qsizetype ahead) const
{
    return m_pos + ahead < m_text.size() && m_text[m_pos + ahead] == c;
}

void QtMarkupReader::eatSpace()
{
    while (m_pos < m_text.size() && m_text[m_pos].isSpace() &&
           m_text[m_pos] != QChar::ParagraphSeparator)
        ++m_pos;
}

QString QtMarkupReader::readEntity(bool &tainted)
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

QString QtMarkupReader::readWord(bool &tainted)
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

bool QtMarkupReader::skipWord()
{
    const qsizetype size = m_text.size();
    const qsizetype start = m_pos;
    if (hasPrefix(u'"') || hasPrefix(u'\'')) {
        const qsizetype end = m_text.indexOf(m_text[m_pos], m_pos + 1);
        m_pos = end < 0 ? size : end + 1;
        return (end < 0 ? size : end) > start + 1;
    }
    while (m_pos < size) {
        const QChar c = m_text[m_pos];
        if (c == u'>' || (c == u'/' && hasPrefix(u'>', 1)) || c == u'<' || c == u'=' || c.isSpace())
            break;
        ++m_pos;
    }
    return m_pos > start;
}

void QtMarkupReader::skipAttributes()
{
    while (m_pos < m_text.size()) {
        eatSpace();
        if (hasPrefix(u'>') || hasPrefix(u'/'))
            break;
        if (!skipWord())
            break;
        eatSpace();
        if (hasPrefix(u'=')) {
            ++m_pos;
            eatSpace();
            skipWord();
        }
    }
}

void QtMarkupReader::skipPast(QChar c)
{
    const qsizetype at = m_text.indexOf(c, m_pos);
    m_pos = at < 0 ? m_text.size() : at + 1;
}

void QtMarkupReader::readTag()
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

void QtMarkupReader::open(const QString &tag, Kind kind, bool selfClosed)
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

void QtMarkupReader::close(const QString &tag)
{
    if (m_names.value(tag) == 0)
        return;
    while (m_stack.constLast().tag != tag)
        popTo(m_stack.size() - 1);
    popTo(m_stack.size() - 1);
}

void QtMarkupReader::push(const QString &tag, Kind kind)
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

void QtMarkupReader::popTo(qsizetype index)
{
    while (m_stack.size() > index) {
        const Element element = m_stack.takeLast();
        --m_counts[int(element.kind)];
        if (!element.tag.isEmpty())
            --m_names[element.tag];
    }
}
