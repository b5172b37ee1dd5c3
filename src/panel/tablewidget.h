#pragma once

#include <QByteArrayList>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <array>
#include <vector>

class QGridLayout;
class QLabel;
class StickyWidget;

// The note list of the control panel: a header row, a line and one row per
// note of stickyList, in list order (visibility, colour, creation date,
// reminder, summary). It shows the notes as they were when it was built;
// the control panel builds a new one whenever notes come or go. The rows
// refresh themselves when their note changes. A filter hides the rows of
// notes that do not match, without building the list again.
class TableWidget : public QWidget
{
    Q_OBJECT
public:
    explicit TableWidget(QWidget *parent = nullptr, Qt::WindowFlags flags = {});
    ~TableWidget() override;

    QGridLayout *gridLayout() const { return m_gridLayout; }

    enum Column
    {
        VisibleColumn,
        ColorColumn,
        DateColumn,
        ReminderColumn,
        MessageColumn
    };
    static constexpr int kFirstNoteRow = 2;

    // Shows only the rows of the notes that hold every word of `query` (see
    // NoteFilter); a blank query shows every row. Returns how many show.
    // When rows come or go in a list on screen, the list is scrolled to its
    // top and the rows of the first screenful change at once; the rest follow
    // in short steps from the event loop, so that typing never waits for a
    // thousand rows.
    int applyFilter(const QString &query);
    // True while rows below the first screenful still wait for their turn.
    bool isFiltering() const { return m_nextRowToSettle < m_rows.size(); }
    // Reads every note's text for the filter now, so that the first keystroke
    // of a search does not have to.
    void prepareFilter();
    int noteCount() const { return int(m_rows.size()); }
    int shownCount() const { return m_shownCount; }
    // The notes whose rows the filter shows, in list order.
    QList<const StickyWidget *> shownNotes() const;

signals:
    // A note changed and the filter now shows a different number of rows.
    void shownCountChanged(int shown);

protected:
    bool event(QEvent *event) override;

private:
    struct Row
    {
        QPointer<StickyWidget> note;
        std::array<QWidget *, 5> cells{};
        // The folded text the filter searches; built when first needed and
        // again after the note changes.
        QByteArray matchText;
        bool matchTextStale = true;
        // Whether the filter takes the row, and whether its cells show yet.
        bool shown = true;
        bool cellsShown = true;
    };
    bool rowMatches(Row &row);
    void updateMatchText(Row &row);
    bool settleRow(Row &row);
    void settleRows(std::size_t shownRowsWanted, std::size_t changesAllowed);
    void settleNextRows();
    std::size_t screenfulOfRows() const;
    void scrollToTop();
    void noteChanged(std::size_t index);

    std::vector<Row> m_rows;
    QByteArrayList m_queryWords;
    int m_shownCount = 0;
    std::size_t m_nextRowToSettle = 0;
    QTimer m_settleTimer;
    QGridLayout *m_gridLayout = nullptr;
    QLabel *m_visibleHeader = nullptr;
    QLabel *m_colorHeader = nullptr;
    QLabel *m_dateHeader = nullptr;
    QLabel *m_messageHeader = nullptr;
};
