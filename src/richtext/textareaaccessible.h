#pragma once

#include <QAccessibleWidget>

class QTextEdit;

// What a screen reader sees of an editable text area built on a text
// browser: Qt presents every text browser as static text, so a screen reader
// reads the note's text as a label and offers no editing, and Qt's own
// interface edits even a read-only text (a locked note). This presents it as
// editable text with the text and editable text interfaces; a read-only text
// area refuses the edits, and offsets beyond the text are held to its ends.
class TextAreaAccessible : public QAccessibleWidget,
                           public QAccessibleTextInterface,
                           public QAccessibleEditableTextInterface
{
public:
    explicit TextAreaAccessible(QTextEdit *textArea);

    // Makes every widget of class `className` (a text browser that edits)
    // present itself this way; once per class name.
    static void registerClass(const char *className);

    QAccessible::Role role() const override;
    QAccessible::State state() const override;
    QString text(QAccessible::Text t) const override;
    void *interface_cast(QAccessible::InterfaceType t) override;

    void selection(int selectionIndex, int *startOffset, int *endOffset) const override;
    int selectionCount() const override;
    void addSelection(int startOffset, int endOffset) override;
    void removeSelection(int selectionIndex) override;
    void setSelection(int selectionIndex, int startOffset, int endOffset) override;
    int cursorPosition() const override;
    void setCursorPosition(int position) override;
    QString text(int startOffset, int endOffset) const override;
    int characterCount() const override;
    QRect characterRect(int offset) const override;
    int offsetAtPoint(const QPoint &point) const override;
    void scrollToSubstring(int startIndex, int endIndex) override;
    QString attributes(int offset, int *startOffset, int *endOffset) const override;

    void deleteText(int startOffset, int endOffset) override;
    void insertText(int offset, const QString &text) override;
    void replaceText(int startOffset, int endOffset, const QString &text) override;

private:
    QTextEdit *textArea() const;
    // `offset` limited to the positions of the text.
    int bounded(int offset) const;
};
