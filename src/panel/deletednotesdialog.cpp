#include "panel/deletednotesdialog.h"

#include "base/localdatetext.h"
#include "base/tracing.h"
#include "notes/notetext.h"
#include "notes/stickywidget.h"
#include "panel/tablelabel.h"
#include "richtext/markupsafety.h"
#include "settings/preferences.h"
#include "ui/userprompt.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

DeletedNotesDialog::DeletedNotesDialog(QWidget *parent) : QDialog(parent)
{
    setWindowTitle(tr("Deleted Notes"));
    auto *hint = new QLabel(
        tr("Deleted notes are kept here for 30 days; then they are removed for good."), this);
    hint->setWordWrap(true);
    m_list = new QTreeWidget(this);
    m_list->setObjectName(QStringLiteral("deletedNotesList"));
    m_list->setRootIsDecorated(false);
    m_list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_list->setHeaderLabels({tr("Note"), tr("Colour"), tr("Deleted")});
    m_list->header()->setStretchLastSection(false);
    m_list->header()->setSectionResizeMode(SummaryColumn, QHeaderView::Stretch);
    m_list->header()->setSectionResizeMode(ColorColumn, QHeaderView::ResizeToContents);
    m_list->header()->setSectionResizeMode(DeletedColumn, QHeaderView::ResizeToContents);
    m_emptyLabel = new QLabel(tr("The trash is empty."), this);

    m_restoreButton = new QPushButton(tr("&Restore"), this);
    m_eraseButton = new QPushButton(tr("Delete &Permanently"), this);
    m_emptyButton = new QPushButton(tr("&Empty Trash"), this);
    auto *closeButton = new QPushButton(tr("&Close"), this);
    // Enter never removes anything: it only closes the list.
    for (QPushButton *button : {m_restoreButton, m_eraseButton, m_emptyButton})
        button->setAutoDefault(false);
    closeButton->setDefault(true);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_restoreButton);
    buttons->addWidget(m_eraseButton);
    buttons->addWidget(m_emptyButton);
    buttons->addStretch(1);
    buttons->addWidget(closeButton);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(hint);
    layout->addWidget(m_list, 1);
    layout->addWidget(m_emptyLabel);
    layout->addLayout(buttons);
    resize(560, 340);

    connect(m_list, &QTreeWidget::itemSelectionChanged, this, &DeletedNotesDialog::updateButtons);
    connect(m_restoreButton, &QPushButton::clicked, this, &DeletedNotesDialog::restoreSelected);
    connect(m_eraseButton, &QPushButton::clicked, this, &DeletedNotesDialog::eraseSelected);
    connect(m_emptyButton, &QPushButton::clicked, this, &DeletedNotesDialog::emptyTrash);
    connect(closeButton, &QPushButton::clicked, this, &QDialog::accept);
    updateButtons();
}

void DeletedNotesDialog::setNotes(const QList<TrashedNote> &notes)
{
    m_notes = NoteTrash::newestFirst(notes);
    m_list->clear();
    const QString dateFormat = Preferences::dateFormat();
    QList<QTreeWidgetItem *> items;
    for (const TrashedNote &note : std::as_const(m_notes)) {
        auto *item = new QTreeWidgetItem;
        // Read without Qt's rich-text parser: the text may be anything the
        // file holds.
        item->setText(SummaryColumn,
                      NoteText::summary(MarkupSafety::plainText(note.record.message)));
        item->setIcon(ColorColumn, TableLabel::swatch(note.record.colorRGB));
        item->setText(ColorColumn, note.record.colorName);
        item->setText(DeletedColumn, localDateText(note.deleted, dateFormat));
        items.append(item);
    }
    m_list->addTopLevelItems(items);
    if (!items.isEmpty())
        m_list->setCurrentItem(items.first());
    updateButtons();
}

QList<TrashedNote> DeletedNotesDialog::selectedNotes() const
{
    QList<TrashedNote> selected;
    for (int row = 0; row < m_list->topLevelItemCount(); ++row) {
        if (m_list->topLevelItem(row)->isSelected())
            selected.append(m_notes.at(row));
    }
    return selected;
}

void DeletedNotesDialog::restoreSelected()
{
    const QList<TrashedNote> selected = selectedNotes();
    qCDebug(lcPanel) << "DeletedNotesDialog::restoreSelected()" << selected.size();
    if (!selected.isEmpty())
        emit restoreRequested(selected);
}

void DeletedNotesDialog::eraseSelected()
{
    const QList<TrashedNote> selected = selectedNotes();
    if (selected.isEmpty())
        return;
    const QString question =
        selected.size() == 1
            ? tr("<p>Delete the selected note permanently?</p>")
            : tr("<p>Delete the %1 selected notes permanently?</p>").arg(selected.size());
    if (confirmErasing(tr("Delete Permanently"), question))
        emit eraseRequested(selected);
}

void DeletedNotesDialog::emptyTrash()
{
    if (m_notes.isEmpty())
        return;
    const QString question =
        m_notes.size() == 1
            ? tr("<p>Delete the note in the trash permanently?</p>")
            : tr("<p>Delete all %1 notes in the trash permanently?</p>").arg(m_notes.size());
    if (confirmErasing(tr("Empty Trash"), question))
        emit eraseRequested(m_notes);
}

bool DeletedNotesDialog::confirmErasing(const QString &title, const QString &question)
{
    return UserPrompt::warning(this, title, question + tr("<p><b>This cannot be undone.</b></p>"),
                               QMessageBox::Yes | QMessageBox::No,
                               QMessageBox::No) == QMessageBox::Yes;
}

void DeletedNotesDialog::updateButtons()
{
    const bool anySelected = !m_list->selectedItems().isEmpty();
    m_restoreButton->setEnabled(anySelected);
    m_eraseButton->setEnabled(anySelected);
    m_emptyButton->setEnabled(!m_notes.isEmpty());
    m_list->setVisible(!m_notes.isEmpty());
    m_emptyLabel->setVisible(m_notes.isEmpty());
}
