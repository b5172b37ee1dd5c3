#pragma once

#include <QTextBrowser>
#include <QUrl>

class QAction;

// The rich-text area of every note and of the rich text editor: an editable
// text browser that never follows a link itself but hands every clicked link
// to the system's URL handler. Adds bold, italic, underline and strike-through
// toggles (Ctrl+B, Ctrl+I, Ctrl+U, Ctrl+S) that keep the selection as it was,
// including its direction, and appends them to the right-click menu. While the
// text is read-only the toggles do nothing.
class ELinkTextBrowser : public QTextBrowser
{
    Q_OBJECT

public:
    explicit ELinkTextBrowser(QWidget *parent = nullptr);

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

    QAction *boldAction = nullptr;
    QAction *italicizeAction = nullptr;
    QAction *underlineAction = nullptr;
    QAction *strikeoutAction = nullptr;
};
