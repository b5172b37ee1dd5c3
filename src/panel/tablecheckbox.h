#pragma once

#include <QCheckBox>
#include <QPointer>

class StickyWidget;

// The "Visible" cell of a row of the note list: ticked while the note window
// is shown; ticking or clearing it shows or hides the note.
class TableCheckBox : public QCheckBox
{
    Q_OBJECT
public:
    explicit TableCheckBox(StickyWidget *stickyWidget, QWidget *parent = nullptr);

    StickyWidget *stickyWidget() const { return m_stickyWidget; }
    // Shows `stickyWidget` from now on: the list reuses the cells of rows
    // scrolled out of view.
    void setStickyWidget(StickyWidget *stickyWidget);

public slots:
    void updateCheckBox();

private slots:
    void toggleSticky(bool i_state);

private:
    void showNoteVisibility();

    // Not owned; a deleted note leaves the cell inert until the list is rebuilt.
    QPointer<StickyWidget> m_stickyWidget;
};
