#include "panel/tablewidget.h"

#include "app/mainwindow.h"
#include "app/preferences.h"
#include "base/tracing.h"
#include "notes/stickywidget.h"
#include "panel/notefilter.h"
#include "panel/tablecheckbox.h"
#include "panel/tablelabel.h"

#include <QEvent>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QTextBrowser>

TableWidget::TableWidget(QWidget *parent, Qt::WindowFlags flags) : QWidget(parent, flags)
{
    m_gridLayout = new QGridLayout(this);
    m_visibleHeader = new QLabel(tr("Visible"), this);
    m_colorHeader = new QLabel(tr("Color"), this);
    m_dateHeader = new QLabel(tr("Date Created"), this);
    m_messageHeader = new QLabel(tr("Message"), this);
    m_gridLayout->addWidget(m_visibleHeader, 0, VisibleColumn, Qt::AlignHCenter);
    m_gridLayout->addWidget(m_colorHeader, 0, ColorColumn, Qt::AlignHCenter);
    m_gridLayout->addWidget(m_dateHeader, 0, DateColumn);
    m_gridLayout->addWidget(m_messageHeader, 0, MessageColumn);
    auto *line = new QFrame(this);
    line->setFrameStyle(QFrame::HLine | QFrame::Plain);
    line->setLineWidth(1);
    m_gridLayout->addWidget(line, 1, 0, 1, MessageColumn + 1);

    qCDebug(lcPanel) << "--- Adding Stickies";
    const QString dateFormat = Preferences::userString(Preferences::Names::DateFormat);
    int row = kFirstNoteRow;
    m_rows.reserve(std::size_t(stickyList.size()));
    for (StickyWidget *note : std::as_const(stickyList)) {
        auto *checkBox = new TableCheckBox(note, this);
        auto *colorLabel = new TableLabel(TableLabel::ColorLabel, note, dateFormat, this);
        auto *dateLabel = new TableLabel(TableLabel::DateLabel, note, dateFormat, this);
        auto *reminderLabel = new TableLabel(TableLabel::ReminderLabel, note, dateFormat, this);
        auto *messageLabel = new TableLabel(TableLabel::MessageLabel, note, dateFormat, this);
        m_gridLayout->addWidget(checkBox, row, VisibleColumn, Qt::AlignHCenter);
        m_gridLayout->addWidget(colorLabel, row, ColorColumn, Qt::AlignHCenter);
        m_gridLayout->addWidget(dateLabel, row, DateColumn);
        m_gridLayout->addWidget(reminderLabel, row, ReminderColumn);
        m_gridLayout->addWidget(messageLabel, row, MessageColumn);

        connect(checkBox, &QCheckBox::toggled, note, &QWidget::setVisible);
        connect(note, &StickyWidget::updateTableWidgetItems, checkBox,
                &TableCheckBox::updateCheckBox);
        for (TableLabel *label : {colorLabel, dateLabel, reminderLabel, messageLabel})
            connect(note, &StickyWidget::updateTableWidgetItems, label, &TableLabel::updateLabel);
        const std::size_t index = m_rows.size();
        Row &entry = m_rows.emplace_back();
        entry.note = note;
        entry.cells = {checkBox, colorLabel, dateLabel, reminderLabel, messageLabel};
        connect(note, &StickyWidget::updateTableWidgetItems, this,
                [this, index] { noteChanged(index); });
        ++row;
    }
    m_shownCount = noteCount();
    qCDebug(lcPanel) << "There are" << m_gridLayout->count() << "items in the layout";
    qCDebug(lcPanel) << "TableWidget::TableWidget( constructor ) - end";
    qCDebug(lcPanel) << "---------------------------------------------------------";
}

int TableWidget::applyFilter(const QString &query)
{
    m_queryWords = NoteFilter::queryWords(query);
    // Each cell shown in a visible list would lay out the whole list at once,
    // a thousand rows for each of thousands of cells; the list is laid out
    // once after all of them instead.
    const int before = m_shownCount;
    m_gridLayout->setEnabled(false);
    for (Row &row : m_rows)
        showRow(row, rowMatches(row));
    m_gridLayout->setEnabled(true);
    if (m_shownCount != before)
        m_gridLayout->invalidate();
    return m_shownCount;
}

QList<const StickyWidget *> TableWidget::shownNotes() const
{
    QList<const StickyWidget *> notes;
    for (const Row &row : m_rows) {
        if (row.shown && row.note)
            notes.append(row.note);
    }
    return notes;
}

void TableWidget::prepareFilter()
{
    for (Row &row : m_rows)
        updateMatchText(row);
}

bool TableWidget::rowMatches(Row &row)
{
    if (m_queryWords.isEmpty())
        return true;
    if (!row.note)
        return false;
    updateMatchText(row);
    return NoteFilter::matches(row.matchText, m_queryWords);
}

void TableWidget::updateMatchText(Row &row)
{
    if (!row.matchTextStale || !row.note)
        return;
    const StickyWidget &note = *row.note;
    const QString reminder = note.reminderDate().isNull() ? QString() : note.reminderStatusText();
    row.matchText =
        NoteFilter::matchText(note.textBrowser()->toPlainText(), note.colorName(), reminder);
    row.matchTextStale = false;
}

void TableWidget::showRow(Row &row, bool show)
{
    if (row.shown == show)
        return;
    row.shown = show;
    m_shownCount += show ? 1 : -1;
    for (QWidget *cell : row.cells)
        cell->setVisible(show);
}

void TableWidget::noteChanged(std::size_t index)
{
    Row &row = m_rows.at(index);
    row.matchTextStale = true;
    if (m_queryWords.isEmpty())
        return;
    const int before = m_shownCount;
    showRow(row, rowMatches(row));
    if (m_shownCount != before)
        emit shownCountChanged(m_shownCount);
}

bool TableWidget::event(QEvent *event)
{
    // On activation, a palette whose active and inactive colours differ has
    // every cell repaint on its own, and with thousands of cells each of those
    // repaints walks all its siblings. One repaint of the whole list shows
    // the same.
    if (event->type() == QEvent::WindowActivate || event->type() == QEvent::WindowDeactivate) {
        if (!palette().isEqual(QPalette::Active, QPalette::Inactive))
            update();
        return true;
    }
    return QWidget::event(event);
}

TableWidget::~TableWidget()
{
    // Hidden as a whole first, so the cells go without one repaint each.
    hide();
}
