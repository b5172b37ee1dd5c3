#pragma once

#include "richtext/markupsafety.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringView>

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

    // The deepest nesting of elements and of tables in the markup.
    MarkupSafety::Nesting read();

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

    static Kind kindOf(const QString &tag);

    // The elements a new paragraph stops at when it looks for an open
    // paragraph to follow; it reaches past all others, unknown ones, tables,
    // rows and row groups included.
    static bool stopsParagraphs(const QString &tag);

    // Whether Qt places an element of `kind` directly inside one of `parent`.
    static bool allowedIn(Kind kind, Kind parent);

    bool hasPrefix(QChar c, qsizetype ahead = 0) const;

    void eatSpace();

    // A character reference after '&' (at m_pos): numeric ones are decoded as
    // Qt decodes them; a named one taints the word, as its value is not known
    // here (it is never a letter of an element's name).
    QString readEntity(bool &tainted);

    // A name or attribute word: quoted, or up to a blank, '<', '>', '=' or "/>".
    QString readWord(bool &tainted);

    // Passes over a word as readWord() reads it, without decoding it: a
    // character reference never holds a character that ends a word. Returns
    // whether the word has any character.
    bool skipWord();
    void skipAttributes();

    void skipPast(QChar c);

    void readTag();

    int count(Kind kind) const { return m_counts[int(kind)]; }

    void open(const QString &tag, Kind kind, bool selfClosed);

    // Closes the innermost open element named `tag` and all inside it; Qt
    // ignores a closing tag without one.
    void close(const QString &tag);

    void push(const QString &tag, Kind kind);

    // Removes the element at `index` and everything opened inside it.
    void popTo(qsizetype index);

    QStringView m_text;
    qsizetype m_pos = 0;
    QList<Element> m_stack;
    int m_counts[int(Kind::Count)] = {};
    QHash<QString, int> m_names;
    int m_tablesOpened = 0;
    bool m_tablesBesideCells = false;
    MarkupSafety::Nesting m_deepest;
};
