#pragma once

#include "store/notetrash.h"

#include <QDialog>
#include <QList>

class QLabel;
class QPushButton;
class QTreeWidget;

// "Deleted Notes": the notes in the trash, the latest deletion first, with
// their summary, colour and date of deletion. The user restores them or
// removes them for good; the dialog asks before anything is removed and
// leaves the work to its owner, which then hands it the trash anew.
class DeletedNotesDialog : public QDialog
{
    Q_OBJECT
public:
    enum Column
    {
        SummaryColumn,
        ColorColumn,
        DeletedColumn
    };

    explicit DeletedNotesDialog(QWidget *parent = nullptr);

    void setNotes(const QList<TrashedNote> &notes);
    // The notes in row order.
    QList<TrashedNote> notes() const { return m_notes; }

signals:
    void restoreRequested(const QList<TrashedNote> &notes);
    void eraseRequested(const QList<TrashedNote> &notes);

private:
    QList<TrashedNote> selectedNotes() const;
    void restoreSelected();
    void eraseSelected();
    void emptyTrash();
    // Asks before `notes` are removed for good.
    bool confirmErasing(const QString &title, const QString &question);
    void updateButtons();

    QList<TrashedNote> m_notes;
    QTreeWidget *m_list = nullptr;
    QLabel *m_emptyLabel = nullptr;
    QPushButton *m_restoreButton = nullptr;
    QPushButton *m_eraseButton = nullptr;
    QPushButton *m_emptyButton = nullptr;
};
