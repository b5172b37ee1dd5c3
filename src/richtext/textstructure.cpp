#include "richtext/textstructure.h"

#include <QCoreApplication>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextList>

#include <algorithm>

namespace TextStructure {

void insertRule(QTextCursor &cursor)
{
    cursor.beginEditBlock();
    cursor.removeSelectedText();
    // "abc|def" becomes "abc", an empty paragraph that takes the rule, "|def".
    const QTextBlockFormat paragraphFormat = cursor.blockFormat();
    cursor.insertBlock(paragraphFormat);
    cursor.insertBlock(paragraphFormat);
    cursor.movePosition(QTextCursor::PreviousBlock);
    QTextBlockFormat ruleFormat;
    ruleFormat.setProperty(QTextFormat::BlockTrailingHorizontalRulerWidth, QTextLength());
    cursor.setBlockFormat(ruleFormat);
    cursor.movePosition(QTextCursor::NextBlock);
    cursor.endEditBlock();
}

std::optional<QTextListFormat::Style> listStyle(const QString &choice)
{
    static const struct
    {
        const char *name;
        QTextListFormat::Style style;
    } styles[] = {
        {QT_TRANSLATE_NOOP("rz_RichTextEditor", "Bullet List (Disc)"), QTextListFormat::ListDisc},
        {QT_TRANSLATE_NOOP("rz_RichTextEditor", "Bullet List (Circle)"),
         QTextListFormat::ListCircle},
        {QT_TRANSLATE_NOOP("rz_RichTextEditor", "Bullet List (Square)"),
         QTextListFormat::ListSquare},
        {QT_TRANSLATE_NOOP("rz_RichTextEditor", "Ordered List (Decimal)"),
         QTextListFormat::ListDecimal},
        {QT_TRANSLATE_NOOP("rz_RichTextEditor", "Ordered List (Alpha lower)"),
         QTextListFormat::ListLowerAlpha},
        {QT_TRANSLATE_NOOP("rz_RichTextEditor", "Ordered List (Alpha upper)"),
         QTextListFormat::ListUpperAlpha},
    };
    for (const auto &entry : styles) {
        if (choice == QCoreApplication::translate("rz_RichTextEditor", entry.name))
            return entry.style;
    }
    return std::nullopt;
}

void createList(QTextCursor &cursor, QTextListFormat::Style style)
{
    cursor.beginEditBlock();
    QTextListFormat listFormat;
    if (const QTextList *current = cursor.currentList()) {
        listFormat.setIndent(current->format().indent() + 1);
    } else {
        // The list's indent takes over the paragraph's, so it is not counted twice.
        QTextBlockFormat paragraphFormat = cursor.blockFormat();
        listFormat.setIndent(paragraphFormat.indent() + 1);
        paragraphFormat.setIndent(0);
        cursor.setBlockFormat(paragraphFormat);
    }
    listFormat.setStyle(style);
    cursor.createList(listFormat);
    cursor.endEditBlock();
}

void removeList(QTextCursor &cursor)
{
    QTextDocument *document = cursor.document();
    QTextBlock block = document->findBlock(std::min(cursor.position(), cursor.anchor()));
    const QTextBlock last = document->findBlock(std::max(cursor.position(), cursor.anchor()));
    cursor.beginEditBlock();
    for (; block.isValid(); block = block.next()) {
        if (QTextList *list = block.textList()) {
            const int indent =
                std::max(0, list->format().indent() - 1) + block.blockFormat().indent();
            // Leaving the list through the block format keeps it one undo step.
            QTextCursor paragraph(block);
            QTextBlockFormat format = block.blockFormat();
            format.setIndent(indent);
            format.setObjectIndex(-1);
            paragraph.setBlockFormat(format);
        }
        if (block == last)
            break;
    }
    cursor.endEditBlock();
}

} // namespace TextStructure
