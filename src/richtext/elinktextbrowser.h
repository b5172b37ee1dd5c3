#pragma once

#include <QImage>
#include <QTextBrowser>
#include <QUrl>

#include <memory>
#include <optional>

class QAction;
class QMenu;
class QMimeData;

// The rich-text area of every note and of the rich text editor: an editable
// text browser that never follows a link itself but hands every clicked link
// to the system's URL handler. Adds bold, italic, underline and strike-through
// toggles (Ctrl+B, Ctrl+I, Ctrl+U, Ctrl+S) that keep the selection as it was,
// including its direction, and appends them to the right-click menu. While the
// text is read-only the toggles do nothing.
// Every change can be undone (Ctrl+Z) and redone (Ctrl+Shift+Z or Ctrl+Y);
// a read-only text takes neither. An address typed or pasted as plain text
// becomes a link once it is finished with a blank, Enter or the paste.
class ELinkTextBrowser : public QTextBrowser
{
    Q_OBJECT

public:
    explicit ELinkTextBrowser(QWidget *parent = nullptr);

    // Shows a note's stored HTML. Markup nested deeper than the layout
    // handles quickly is shown as its plain text instead; the caller keeps
    // the original. Returns false in that case.
    bool showStoredHtml(const QString &html);

    // Image and other resources of the text: local files are read only when
    // they are regular files of at most 20 MB (devices and FIFOs would read
    // forever). Remote sources are not fetched. A picture that cannot be
    // read or decoded shows as placeholderPicture().
    QVariant loadResource(int type, const QUrl &name) override;
    static QImage placeholderPicture();

    // A picture or picture file pasted or dropped is kept with the note
    // (PictureIntake); one over 20 MB stays a reference to its file, and the
    // user is told.
    bool canInsertFromMimeData(const QMimeData *source) const override;
    // Addresses in pasted text become links.
    void insertFromMimeData(const QMimeData *source) override;

    // The right-click menu: the standard entries of an editable text (undo,
    // redo, cut, copy, paste, delete, select all; those that would change a
    // read-only text shown disabled), then the format toggles.
    std::unique_ptr<QMenu> buildContextMenu(const QPoint &position);

    // Replaces the whole text by `html` as one step that undo takes back.
    void replaceHtmlUndoably(const QString &html);

    // Whether finished addresses become links (on by default; off while the
    // text shows markup to be edited as text).
    void setAutoLinking(bool enabled) { autoLinking = enabled; }

public slots:
    void boldText();
    void italicizeText();
    void underlineText();
    void strikeoutText();

protected:
    // Loading a link target into the browser never happens: the text stays.
    void doSetSource(const QUrl &name, QTextDocument::ResourceType type) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void changeEvent(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    // A read-only text takes no composed input either.
    void inputMethodEvent(QInputMethodEvent *event) override;

private slots:
    void openExternalBrowser(const QUrl &link);

private:
    // Turns a selection around so that the cursor sits at its end (to-backward
    // false) or at its start (true), keeping the selected range. Returns
    // whether it turned it.
    bool flipSelection(bool toBackward);
    // Runs one format change on a forward selection and gives the selection
    // back its direction afterwards.
    template <typename Change> void toggleOnSelection(Change change);
    void keepLinksClickable();
    // The pictures kept with the notes and the program's icons.
    std::optional<QVariant> storedPicture(int type, const QUrl &name) const;
    // Inserts the pictures of a paste or drop; false when it holds none.
    bool insertPictures(const QMimeData *source);
    // Undo and redo from the keyboard; true when the key was one of them.
    bool handleHistoryKey(QKeyEvent *event);
    // After a blank or Enter: the address just finished becomes a link.
    void linkFinishedAddress();
    // Text that lands in a rule's paragraph (typed right after a rule, or
    // pasted there) is moved into a paragraph of its own after the rule: the
    // HTML export writes a rule's paragraph as "<hr />" alone and would drop it.
    void keepTextOutOfRules(int position, int charsRemoved, int charsAdded);

    QAction *boldAction = nullptr;
    QAction *italicizeAction = nullptr;
    QAction *underlineAction = nullptr;
    QAction *strikeoutAction = nullptr;
    bool movingTextOutOfRule = false;
    bool autoLinking = true;
};
