#include "panel/tablewidget.h"

#include "base/tracing.h"
#include "notes/stickylist.h"
#include "notes/stickywidget.h"
#include "panel/notefilter.h"
#include "panel/tablecheckbox.h"
#include "panel/tablelabel.h"
#include "settings/preferences.h"

#include <QEvent>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>

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
    m_nextRowToSettle = m_rows.size();
    m_settleTimer.setSingleShot(true);
    m_settleTimer.setInterval(0);
    connect(&m_settleTimer, &QTimer::timeout, this, &TableWidget::settleNextRows);
    qCDebug(lcPanel) << "There are" << m_gridLayout->count() << "items in the layout";
    qCDebug(lcPanel) << "TableWidget::TableWidget( constructor ) - end";
    qCDebug(lcPanel) << "---------------------------------------------------------";
}

int TableWidget::applyFilter(const QString &query)
{
    const QByteArrayList earlierWords = std::exchange(m_queryWords, NoteFilter::queryWords(query));
    // Typing on only narrows a search: rows it hid stay hidden.
    const bool narrowing = NoteFilter::narrows(m_queryWords, earlierWords);
    m_shownCount = 0;
    bool rowsChange = false;
    for (Row &row : m_rows) {
        if (row.shown || !narrowing)
            row.shown = rowMatches(row);
        m_shownCount += row.shown ? 1 : 0;
        rowsChange = rowsChange || row.shown != row.cellsShown;
    }
    m_settleTimer.stop();
    if (!rowsChange) {
        // The same rows as before: the list stays where the user left it.
        m_nextRowToSettle = m_rows.size();
        return m_shownCount;
    }
    m_nextRowToSettle = 0;
    if (!isVisible()) {
        // Cells of a list not on screen change for next to nothing.
        settleRows(m_rows.size(), m_rows.size());
        return m_shownCount;
    }
    scrollToTop();
    settleRows(screenfulOfRows(), m_rows.size());
    if (isFiltering())
        m_settleTimer.start();
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
        NoteFilter::matchText(note.plainText(), note.colorName(), reminder);
    row.matchTextStale = false;
}

bool TableWidget::settleRow(Row &row)
{
    if (row.cellsShown == row.shown)
        return false;
    row.cellsShown = row.shown;
    for (QWidget *cell : row.cells)
        cell->setVisible(row.shown);
    return true;
}

// Brings the cells of the rows from m_nextRowToSettle on in line with the
// filter until `shownRowsWanted` rows that show are passed or
// `changesAllowed` rows have changed.
void TableWidget::settleRows(std::size_t shownRowsWanted, std::size_t changesAllowed)
{
    // Each cell shown in a visible list would lay out the whole list at once,
    // a thousand rows for each of thousands of cells; the list is laid out
    // once after all of them instead.
    m_gridLayout->setEnabled(false);
    std::size_t shownRows = 0;
    std::size_t changes = 0;
    while (isFiltering() && shownRows < shownRowsWanted && changes < changesAllowed) {
        Row &row = m_rows[m_nextRowToSettle++];
        changes += settleRow(row) ? 1 : 0;
        shownRows += row.shown ? 1 : 0;
    }
    m_gridLayout->setEnabled(true);
    if (changes > 0)
        m_gridLayout->invalidate();
}

void TableWidget::settleNextRows()
{
    // Short enough that a key typed meanwhile waits only a few milliseconds.
    constexpr std::size_t kRowsPerStep = 150;
    settleRows(m_rows.size(), kRowsPerStep);
    if (isFiltering())
        m_settleTimer.start();
}

std::size_t TableWidget::screenfulOfRows() const
{
    // As many rows as the tallest screen holds at the height of a row here,
    // so a window enlarged meanwhile finds its rows in place too.
    const int screenHeight = screen() ? screen()->availableGeometry().height() : 1200;
    const int rowHeight = std::max(1, m_visibleHeader->sizeHint().height());
    return std::size_t(screenHeight / rowHeight + 1);
}

void TableWidget::scrollToTop()
{
    for (QWidget *widget = parentWidget(); widget; widget = widget->parentWidget()) {
        if (auto *area = qobject_cast<QAbstractScrollArea *>(widget)) {
            area->verticalScrollBar()->setValue(0);
            return;
        }
    }
}

void TableWidget::noteChanged(std::size_t index)
{
    Row &row = m_rows.at(index);
    row.matchTextStale = true;
    if (m_queryWords.isEmpty())
        return;
    const bool wasShown = row.shown;
    row.shown = rowMatches(row);
    if (row.shown == wasShown)
        return;
    m_shownCount += row.shown ? 1 : -1;
    // A row still waiting for its turn changes with the others.
    if (index < m_nextRowToSettle) {
        m_gridLayout->setEnabled(false);
        settleRow(row);
        m_gridLayout->setEnabled(true);
        m_gridLayout->invalidate();
    }
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
