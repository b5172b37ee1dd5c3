#pragma once

#include <QScrollArea>

class NoteBook;
class NoteSearchBar;
class TableWidget;

// The control panel's scrolled note list, kept as a view of the note book:
// when notes come or go (or all are loaded anew) the list is built again,
// and a change of a note refreshes its row. A hidden panel shows no list: it
// is built when the panel is shown, so neither the start with many notes nor
// each new note pays for a list nobody sees.
class NoteListArea : public QScrollArea
{
    Q_OBJECT
public:
    NoteListArea(NoteBook &book, NoteSearchBar &searchBar, QWidget *parent = nullptr);

    // The list as it is now; null while the panel is hidden.
    TableWidget *list() const { return m_list; }
    // Builds the list anew now (or when the panel is next shown).
    void rebuild();
    // Narrows the list to the notes matching the search field.
    void applyFilter();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void notesCameOrWent();

    NoteBook &m_book;
    NoteSearchBar &m_searchBar;
    TableWidget *m_list = nullptr;
    bool m_outdated = true;
    bool m_rebuildQueued = false;
};
