#include "panel/tablewidget.h"

#include "base/localdatetext.h"
#include "base/tracing.h"
#include "model/notebook.h"
#include "notes/notekeys.h"
#include "notes/stickylist.h"
#include "notes/stickywidget.h"
#include "panel/notefilter.h"
#include "panel/tablecheckbox.h"
#include "panel/tablelabel.h"
#include "settings/preferences.h"

#include <QEvent>
#include <QFocusEvent>
#include <QFrame>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>

#include <chrono>
#include <functional>

#include <algorithm>

namespace {

// Rows made beyond each edge of the visible part, so that a scroll step of a
// few rows mostly finds its rows made.
constexpr int kMarginRows = 4;

// The widest creation date the user's date format writes, among dates of
// every month, every day of the week, two-digit days and hours, in the
// morning and the afternoon; columns sized for it never jump while scrolling.
QString widestDate(const QString &format, const QFontMetrics &metrics)
{
    QString widest;
    int widestAdvance = -1;
    for (int month = 1; month <= 12; ++month) {
        for (int day = 22; day < 29; ++day) {
            for (const int hour : {10, 22}) {
                const QString text = localDateText(
                    QDateTime(QDate(2026, month, day), QTime(hour, 58, 58, 888)), format);
                const int advance = metrics.horizontalAdvance(text);
                if (advance > widestAdvance) {
                    widest = text;
                    widestAdvance = advance;
                }
            }
        }
    }
    return widest;
}

QScrollArea *scrollAreaOf(const QWidget *list)
{
    const QWidget *viewport = list->parentWidget();
    return viewport ? qobject_cast<QScrollArea *>(viewport->parentWidget()) : nullptr;
}

} // namespace

TableWidget::TableWidget(const NoteBook *book, QWidget *parent, Qt::WindowFlags flags)
    : QWidget(parent, flags), m_dateFormat(Preferences::userString(Preferences::Names::DateFormat))
{
    m_gridLayout = new QGridLayout(this);
    // Looks every few milliseconds whether the texts read in the background
    // are there, while they are being read.
    m_preparedCheck.setInterval(10);
    connect(&m_preparedCheck, &QTimer::timeout, this, [this] {
        if (m_preparing.valid() &&
            m_preparing.wait_for(std::chrono::seconds(0)) == std::future_status::ready)
            takePreparedTexts();
    });
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
    // The rows stay at the top and the summaries take the spare width when
    // the panel is larger than the list.
    m_gridLayout->setRowStretch(kFirstNoteRow + 1, 1);
    m_gridLayout->setColumnStretch(MessageColumn, 1);

    qCDebug(lcPanel) << "--- Adding Stickies";
    m_rows.reserve(std::size_t(stickyList.size()));
    for (StickyWidget *note : std::as_const(stickyList)) {
        const int index = noteCount();
        m_rows.emplace_back().note = note;
        if (!book) {
            connect(note, &StickyWidget::updateTableWidgetItems, this,
                    [this, index] { noteChanged(index); });
        }
    }
    // One connection for all rows: the book names the note that changed, and
    // the list and the book are in the same order.
    if (book) {
        connect(book, &NoteBook::noteChanged, this, [this, book](int id) {
            const qsizetype index = book->indexOf(id);
            if (index >= 0 && index < noteCount() && m_rows[std::size_t(index)].note &&
                m_rows[std::size_t(index)].note->stickyID() == id)
                noteChanged(int(index));
        });
    }
    measureColumns();
    collectShownRows();
    watchViewport();
    qCDebug(lcPanel) << "There are" << m_gridLayout->count() << "items in the layout, and"
                     << noteCount() << "rows made as they come into view";
    qCDebug(lcPanel) << "TableWidget::TableWidget( constructor ) - end";
    qCDebug(lcPanel) << "---------------------------------------------------------";
}

TableWidget::~TableWidget()
{
    if (m_preparing.valid())
        m_preparing.wait();
}

int TableWidget::applyFilter(const QString &query)
{
    const QByteArrayList earlierWords = std::exchange(m_queryWords, NoteFilter::queryWords(query));
    // Typing on only narrows a search: rows it hid stay hidden.
    const bool narrowing = NoteFilter::narrows(m_queryWords, earlierWords);
    const auto recent =
        std::find_if(m_recentSearches.cbegin(), m_recentSearches.cend(),
                     [this](const Search &search) { return search.words == m_queryWords; });
    bool rowsChange = false;
    if (recent != m_recentSearches.cend()) {
        rowsChange = recent->shownRows != m_shownRows;
        for (Row &row : m_rows)
            row.shown = false;
        for (const int index : recent->shownRows)
            m_rows[std::size_t(index)].shown = true;
    } else {
        for (Row &row : m_rows) {
            if (!row.shown && narrowing)
                continue;
            const bool shown = rowMatches(row);
            rowsChange = rowsChange || shown != row.shown;
            row.shown = shown;
        }
    }
    // The same rows as before: the list stays where the user left it.
    if (rowsChange) {
        collectShownRows();
        if (QScrollArea *area = scrollAreaOf(this))
            area->verticalScrollBar()->setValue(0);
        updateMadeRows();
    }
    if (recent == m_recentSearches.cend() && !m_queryWords.isEmpty()) {
        constexpr std::size_t kSearchesKept = 16;
        if (m_recentSearches.size() == kSearchesKept)
            m_recentSearches.erase(m_recentSearches.begin());
        m_recentSearches.push_back({m_queryWords, m_shownRows});
    }
    return shownCount();
}

QList<const StickyWidget *> TableWidget::shownNotes() const
{
    QList<const StickyWidget *> notes;
    for (const int index : m_shownRows) {
        if (const StickyWidget *note = m_rows[std::size_t(index)].note)
            notes.append(note);
    }
    return notes;
}

void TableWidget::prepareFilter()
{
    // The texts of thousands of notes take a few hundred milliseconds to
    // read: a worker thread reads them while the list is on screen, and a
    // search that starts meanwhile waits only for what is left.
    if (m_preparing.valid())
        return;
    std::vector<int> rows;
    std::vector<quint32> changes;
    std::vector<std::function<QString()>> readers;
    QStringList colorNames;
    QStringList reminders;
    for (std::size_t i = 0; i < m_rows.size(); ++i) {
        const Row &row = m_rows[i];
        if (!row.matchTextStale || !row.note)
            continue;
        rows.push_back(int(i));
        changes.push_back(row.changes);
        readers.push_back(row.note->plainTextReader());
        colorNames.append(row.note->colorName());
        reminders.append(row.note->reminderDate().isNull() ? QString()
                                                           : row.note->reminderStatusText());
    }
    if (rows.empty())
        return;
    m_preparing = std::async(
        std::launch::async, [rows = std::move(rows), changes = std::move(changes),
                             readers = std::move(readers), colorNames, reminders]() mutable {
            PreparedTexts prepared{std::move(rows), std::move(changes), {}};
            prepared.texts.reserve(readers.size());
            for (std::size_t i = 0; i < readers.size(); ++i) {
                prepared.texts.push_back(NoteFilter::matchText(
                    readers[i](), colorNames.at(qsizetype(i)), reminders.at(qsizetype(i))));
            }
            return prepared;
        });
    m_preparedCheck.start();
}

void TableWidget::takePreparedTexts()
{
    if (!m_preparing.valid())
        return;
    m_preparedCheck.stop();
    const PreparedTexts prepared = m_preparing.get();
    for (std::size_t i = 0; i < prepared.rows.size(); ++i) {
        Row &row = m_rows[std::size_t(prepared.rows[i])];
        if (row.matchTextStale && row.changes == prepared.changes[i]) {
            row.matchText = prepared.texts[i];
            row.matchTextStale = false;
        }
    }
}

QWidget *TableWidget::cell(int noteIndex, Column column)
{
    if (positionOf(noteIndex) < 0)
        return nullptr;
    scrollToRow(noteIndex);
    m_gridLayout->activate();
    return makeRow(noteIndex)[std::size_t(column)];
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
    if (m_preparing.valid()) {
        takePreparedTexts();
        if (!row.matchTextStale)
            return;
    }
    const StickyWidget &note = *row.note;
    const QString reminder = note.reminderDate().isNull() ? QString() : note.reminderStatusText();
    row.matchText = NoteFilter::matchText(note.plainText(), note.colorName(), reminder);
    row.matchTextStale = false;
}

void TableWidget::noteChanged(int index)
{
    // The cells of a row made refresh themselves from their own connections.
    Row &row = m_rows.at(std::size_t(index));
    row.matchTextStale = true;
    ++row.changes;
    m_recentSearches.clear();
    if (m_queryWords.isEmpty())
        return;
    const bool shown = rowMatches(row);
    if (shown == row.shown)
        return;
    row.shown = shown;
    collectShownRows();
    updateMadeRows();
    emit shownCountChanged(shownCount());
}

void TableWidget::collectShownRows()
{
    m_shownRows.clear();
    for (int index = 0; index < noteCount(); ++index) {
        if (m_rows[std::size_t(index)].shown)
            m_shownRows.push_back(index);
    }
    m_gridLayout->setRowMinimumHeight(kFirstNoteRow, shownCount() * rowPitch());
    // The keyboard stays in the list when the filter hides its row.
    if (positionOf(m_currentRow) >= 0)
        return;
    const TableCheckBox *box = checkBoxOf(m_currentRow);
    const bool hadFocus = box && box->hasFocus();
    setCurrentRow(m_shownRows.empty() ? -1 : m_shownRows.front());
    if (hadFocus && m_currentRow >= 0)
        focusRow(m_currentRow);
}

int TableWidget::positionOf(int index) const
{
    const auto found = std::lower_bound(m_shownRows.cbegin(), m_shownRows.cend(), index);
    return found != m_shownRows.cend() && *found == index ? int(found - m_shownRows.cbegin()) : -1;
}

void TableWidget::measureColumns()
{
    // Cells as the rows will have them, measured once: rows are made as the
    // list scrolls, and every row has the same height and column widths.
    QCheckBox box;
    box.setFont(font());
    QLabel label;
    label.setFont(font());
    label.setTextFormat(Qt::PlainText);
    const auto textSize = [&label](const QString &text) {
        label.setText(text);
        return label.sizeHint();
    };
    const auto pictureSize = [&label](const QPixmap &picture) {
        label.setPixmap(picture);
        return label.sizeHint();
    };
    const QSize swatch = pictureSize(TableLabel::swatch(QStringLiteral("#FFFFFF")));
    const QSize clock = pictureSize(StickyWidget::reminderPixmap());
    const QSize date = textSize(widestDate(m_dateFormat, fontMetrics()));
    // A summary is at most thirty characters in quotes.
    const QSize summary = textSize(QLatin1Char('"') + QString(30, u'n') + QLatin1Char('"'));
    m_gridLayout->setColumnMinimumWidth(VisibleColumn, box.sizeHint().width());
    m_gridLayout->setColumnMinimumWidth(ColorColumn, swatch.width());
    m_gridLayout->setColumnMinimumWidth(DateColumn, date.width());
    m_gridLayout->setColumnMinimumWidth(ReminderColumn, clock.width());
    m_gridLayout->setColumnMinimumWidth(MessageColumn, summary.width());
    m_rowHeight = std::max({box.sizeHint().height(), swatch.height(), date.height(), clock.height(),
                            summary.height()});
}

int TableWidget::rowPitch() const
{
    int spacing = m_gridLayout->verticalSpacing();
    if (spacing < 0)
        spacing = style()->layoutSpacing(QSizePolicy::CheckBox, QSizePolicy::Label, Qt::Vertical);
    return m_rowHeight + std::max(0, spacing);
}

int TableWidget::rowsTop() const
{
    // Below the line, as far from it as rows are from each other.
    const int lineBottom = m_gridLayout->cellRect(1, 0).bottom();
    return std::max(m_gridLayout->cellRect(kFirstNoteRow, 0).top(),
                    lineBottom + 1 + rowPitch() - m_rowHeight);
}

void TableWidget::updateMadeRows()
{
    m_gridLayout->activate();
    // The part of the list its scroll area shows, or all of it on its own.
    QRect seen = rect();
    if (m_viewport)
        seen &= m_viewport->rect().translated(-pos());
    int first = 0;
    int last = 0;
    if (!seen.isEmpty()) {
        const int top = rowsTop();
        first = std::max(0, (seen.top() - top) / rowPitch() - kMarginRows);
        last =
            std::clamp((seen.bottom() - top) / rowPitch() + 1 + kMarginRows, first, shownCount());
    }
    for (auto made = m_madeRows.begin(); made != m_madeRows.end();) {
        const int position = positionOf(made->first);
        if (made->first == m_currentRow || (position >= first && position < last)) {
            placeRow(made->first, made->second);
            ++made;
            continue;
        }
        disconnectRow(m_rows[std::size_t(made->first)].note, made->second);
        m_spareRows.push_back(made->second);
        made = m_madeRows.erase(made);
    }
    for (int position = first; position < last; ++position)
        makeRow(m_shownRows[std::size_t(position)]);
    if (m_currentRow >= 0)
        makeRow(m_currentRow);
    for (const Cells &spare : m_spareRows) {
        for (QWidget *cell : spare)
            cell->hide();
    }
}

TableWidget::Cells &TableWidget::makeRow(int index)
{
    if (const auto made = m_madeRows.find(index); made != m_madeRows.end())
        return made->second;
    StickyWidget *note = m_rows[std::size_t(index)].note;
    Cells &cells = m_madeRows[index];
    if (m_spareRows.empty()) {
        auto *checkBox = new TableCheckBox(note, this);
        checkBox->installEventFilter(this);
        cells = {checkBox, new TableLabel(TableLabel::ColorLabel, note, m_dateFormat, this),
                 new TableLabel(TableLabel::DateLabel, note, m_dateFormat, this),
                 new TableLabel(TableLabel::ReminderLabel, note, m_dateFormat, this),
                 new TableLabel(TableLabel::MessageLabel, note, m_dateFormat, this)};
    } else {
        cells = m_spareRows.back();
        m_spareRows.pop_back();
        static_cast<TableCheckBox *>(cells[VisibleColumn])->setStickyWidget(note);
        for (std::size_t column = ColorColumn; column < cells.size(); ++column)
            static_cast<TableLabel *>(cells[column])->setStickyWidget(note, m_dateFormat);
    }
    cells[VisibleColumn]->setFocusPolicy(index == m_currentRow ? Qt::StrongFocus : Qt::ClickFocus);
    connectRow(note, cells);
    placeRow(index, cells);
    for (QWidget *cell : cells)
        cell->show();
    return cells;
}

void TableWidget::connectRow(StickyWidget *note, const Cells &cells)
{
    if (!note)
        return;
    auto *checkBox = static_cast<TableCheckBox *>(cells[VisibleColumn]);
    connect(checkBox, &QCheckBox::toggled, note, &QWidget::setVisible);
    connect(note, &StickyWidget::updateTableWidgetItems, checkBox, &TableCheckBox::updateCheckBox);
    for (std::size_t column = ColorColumn; column < cells.size(); ++column) {
        connect(note, &StickyWidget::updateTableWidgetItems,
                static_cast<TableLabel *>(cells[column]), &TableLabel::updateLabel);
    }
}

void TableWidget::disconnectRow(StickyWidget *note, const Cells &cells)
{
    if (!note)
        return;
    disconnect(cells[VisibleColumn], nullptr, note, nullptr);
    for (QWidget *cell : cells)
        disconnect(note, nullptr, cell, nullptr);
}

void TableWidget::placeRow(int index, const Cells &cells) const
{
    const int position = positionOf(index);
    const int top = rowsTop() + std::max(0, position) * rowPitch();
    for (std::size_t column = 0; column < cells.size(); ++column) {
        const QRect room = m_gridLayout->cellRect(0, int(column));
        QRect place(room.left(), top, room.width(), m_rowHeight);
        // The check box and the swatch stand in the middle of their column,
        // under their heading.
        if (column == VisibleColumn || column == ColorColumn) {
            const int width = std::min(cells[column]->sizeHint().width(), room.width());
            place.setLeft(room.left() + (room.width() - width) / 2);
            place.setWidth(width);
        }
        cells[column]->setGeometry(place);
    }
}

void TableWidget::scrollToRow(int index)
{
    QScrollArea *area = scrollAreaOf(this);
    const int position = positionOf(index);
    if (!area || position < 0)
        return;
    m_gridLayout->activate();
    const int middle = rowsTop() + position * rowPitch() + m_rowHeight / 2;
    // Only up or down: the horizontal position stays where it is.
    area->ensureVisible(area->horizontalScrollBar()->value(), middle, 0, rowPitch());
    updateMadeRows();
}

void TableWidget::watchViewport()
{
    if (m_viewport)
        m_viewport->removeEventFilter(this);
    m_viewport = parentWidget();
    if (m_viewport)
        m_viewport->installEventFilter(this);
}

TableCheckBox *TableWidget::checkBoxOf(int index) const
{
    const auto made = m_madeRows.find(index);
    return made == m_madeRows.end() ? nullptr
                                    : static_cast<TableCheckBox *>(made->second[VisibleColumn]);
}

void TableWidget::setCurrentRow(int index)
{
    if (index == m_currentRow)
        return;
    if (TableCheckBox *old = checkBoxOf(m_currentRow))
        old->setFocusPolicy(Qt::ClickFocus);
    m_currentRow = index;
    if (TableCheckBox *box = checkBoxOf(index))
        box->setFocusPolicy(Qt::StrongFocus);
}

void TableWidget::focusRow(int index)
{
    setCurrentRow(index);
    // Focused before the list scrolls: the row that had the focus may go then.
    makeRow(index)[VisibleColumn]->setFocus(Qt::OtherFocusReason);
    scrollToRow(index);
}

bool TableWidget::event(QEvent *event)
{
    if (event->type() == QEvent::ParentChange)
        watchViewport();
    return QWidget::event(event);
}

bool TableWidget::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_viewport && event->type() == QEvent::Resize) {
        updateMadeRows();
    } else if (event->type() == QEvent::KeyPress && watched != m_viewport) {
        // Up and Down go from row to row; a check box would take them for
        // Shift+Tab and Tab.
        if (moveCurrentRow(static_cast<QKeyEvent *>(event)) ||
            actOnCurrentRow(static_cast<QKeyEvent *>(event)))
            return true;
    } else if (event->type() == QEvent::FocusIn) {
        // A check box clicked or tabbed into is on the current row; tabbed
        // into, it comes into view. The list stays put when the panel is
        // merely activated again.
        const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
        for (const auto &[index, cells] : m_madeRows) {
            if (cells[VisibleColumn] != watched)
                continue;
            setCurrentRow(index);
            if (reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason)
                scrollToRow(index);
            break;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void TableWidget::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    updateMadeRows();
}

void TableWidget::moveEvent(QMoveEvent *event)
{
    QWidget::moveEvent(event);
    updateMadeRows();
}

bool TableWidget::moveCurrentRow(const QKeyEvent *event)
{
    const int step = event->key() == Qt::Key_Down ? 1 : event->key() == Qt::Key_Up ? -1 : 0;
    const int position = positionOf(m_currentRow);
    if (step == 0 || position < 0 || (event->modifiers() & ~Qt::KeypadModifier) != 0)
        return false;
    const int target = position + step;
    if (target >= 0 && target < shownCount())
        focusRow(m_shownRows[std::size_t(target)]);
    return true;
}

bool TableWidget::actOnCurrentRow(const QKeyEvent *event)
{
    const auto made = m_madeRows.find(m_currentRow);
    if (made == m_madeRows.end())
        return false;
    auto *message = static_cast<TableLabel *>(made->second[MessageColumn]);
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && (event->modifiers() & ~Qt::KeypadModifier) == 0) {
        message->bringNoteForward();
        return true;
    }
    if (!NoteKeys::opensMenu(event->key(), event->modifiers()))
        return false;
    const QWidget *box = made->second[VisibleColumn];
    if (const std::unique_ptr<QMenu> menu = message->createContextMenu())
        menu->exec(box->mapToGlobal(box->rect().center()));
    return true;
}
