#include "richtext/textareaaccessible.h"

#include <QSet>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>

#include <algorithm>

namespace {

QSet<QString> &registeredClasses()
{
    static QSet<QString> classes;
    return classes;
}

QAccessibleInterface *textAreaFactory(const QString &className, QObject *object)
{
    auto *textArea = qobject_cast<QTextEdit *>(object);
    if (!textArea || !registeredClasses().contains(className))
        return nullptr;
    return new TextAreaAccessible(textArea);
}

} // namespace

TextAreaAccessible::TextAreaAccessible(QTextEdit *textArea)
    : QAccessibleWidget(textArea, QAccessible::EditableText)
{
}

void TextAreaAccessible::registerClass(const char *className)
{
    if (registeredClasses().isEmpty())
        QAccessible::installFactory(textAreaFactory);
    registeredClasses().insert(QString::fromLatin1(className));
}

QTextEdit *TextAreaAccessible::textArea() const
{
    return static_cast<QTextEdit *>(widget());
}

int TextAreaAccessible::bounded(int offset) const
{
    return std::clamp(offset, 0, characterCount());
}

QAccessible::Role TextAreaAccessible::role() const
{
    return QAccessible::EditableText;
}

QAccessible::State TextAreaAccessible::state() const
{
    QAccessible::State state = QAccessibleWidget::state();
    state.multiLine = true;
    state.editable = !textArea()->isReadOnly();
    state.readOnly = textArea()->isReadOnly();
    state.selectableText = true;
    return state;
}

QString TextAreaAccessible::text(QAccessible::Text t) const
{
    if (t == QAccessible::Value)
        return textArea()->toPlainText();
    return QAccessibleWidget::text(t);
}

void *TextAreaAccessible::interface_cast(QAccessible::InterfaceType t)
{
    if (t == QAccessible::TextInterface)
        return static_cast<QAccessibleTextInterface *>(this);
    if (t == QAccessible::EditableTextInterface)
        return static_cast<QAccessibleEditableTextInterface *>(this);
    return QAccessibleWidget::interface_cast(t);
}

void TextAreaAccessible::selection(int selectionIndex, int *startOffset, int *endOffset) const
{
    const QTextCursor cursor = textArea()->textCursor();
    const bool selected = selectionIndex == 0 && cursor.hasSelection();
    *startOffset = selected ? cursor.selectionStart() : 0;
    *endOffset = selected ? cursor.selectionEnd() : 0;
}

int TextAreaAccessible::selectionCount() const
{
    return textArea()->textCursor().hasSelection() ? 1 : 0;
}

void TextAreaAccessible::addSelection(int startOffset, int endOffset)
{
    setSelection(0, startOffset, endOffset);
}

void TextAreaAccessible::removeSelection(int selectionIndex)
{
    if (selectionIndex != 0)
        return;
    QTextCursor cursor = textArea()->textCursor();
    cursor.clearSelection();
    textArea()->setTextCursor(cursor);
}

void TextAreaAccessible::setSelection(int selectionIndex, int startOffset, int endOffset)
{
    if (selectionIndex != 0)
        return;
    QTextCursor cursor = textArea()->textCursor();
    cursor.setPosition(bounded(startOffset));
    cursor.setPosition(bounded(endOffset), QTextCursor::KeepAnchor);
    textArea()->setTextCursor(cursor);
}

int TextAreaAccessible::cursorPosition() const
{
    return textArea()->textCursor().position();
}

void TextAreaAccessible::setCursorPosition(int position)
{
    QTextCursor cursor = textArea()->textCursor();
    cursor.setPosition(bounded(position));
    textArea()->setTextCursor(cursor);
}

QString TextAreaAccessible::text(int startOffset, int endOffset) const
{
    // A document position counts a paragraph break as one character, as the
    // plain text's line break.
    const int start = bounded(startOffset);
    const int end = endOffset < 0 ? characterCount() : bounded(endOffset);
    return textArea()->toPlainText().mid(start, std::max(0, end - start));
}

int TextAreaAccessible::characterCount() const
{
    // Without the paragraph break the document always ends with.
    return textArea()->document()->characterCount() - 1;
}

QRect TextAreaAccessible::characterRect(int offset) const
{
    QTextCursor cursor(textArea()->document());
    cursor.setPosition(bounded(offset));
    const QRect place = textArea()->cursorRect(cursor);
    return QRect(textArea()->viewport()->mapToGlobal(place.topLeft()), place.size());
}

int TextAreaAccessible::offsetAtPoint(const QPoint &point) const
{
    const QPoint inside = textArea()->viewport()->mapFromGlobal(point);
    if (!textArea()->viewport()->rect().contains(inside))
        return -1;
    return textArea()->cursorForPosition(inside).position();
}

void TextAreaAccessible::scrollToSubstring(int startIndex, int endIndex)
{
    setSelection(0, startIndex, endIndex);
    textArea()->ensureCursorVisible();
}

QString TextAreaAccessible::attributes(int offset, int *startOffset, int *endOffset) const
{
    // No attributes are told; the range they hold for is the whole text.
    Q_UNUSED(offset)
    *startOffset = 0;
    *endOffset = characterCount();
    return QString();
}

void TextAreaAccessible::deleteText(int startOffset, int endOffset)
{
    replaceText(startOffset, endOffset, QString());
}

void TextAreaAccessible::insertText(int offset, const QString &text)
{
    replaceText(offset, offset, text);
}

void TextAreaAccessible::replaceText(int startOffset, int endOffset, const QString &text)
{
    if (textArea()->isReadOnly())
        return;
    QTextCursor cursor(textArea()->document());
    cursor.setPosition(bounded(startOffset));
    cursor.setPosition(bounded(endOffset), QTextCursor::KeepAnchor);
    cursor.insertText(text);
}
