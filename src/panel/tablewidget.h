#pragma once

#include <QPointer>
#include <QStringList>
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
    int applyFilter(const QString &query);
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
        QString matchText;
        bool matchTextStale = true;
        bool shown = true;
    };
    bool rowMatches(Row &row);
    void updateMatchText(Row &row);
    void showRow(Row &row, bool show);
    void noteChanged(std::size_t index);

    std::vector<Row> m_rows;
    QStringList m_queryWords;
    int m_shownCount = 0;
    QGridLayout *m_gridLayout = nullptr;
    QLabel *m_visibleHeader = nullptr;
    QLabel *m_colorHeader = nullptr;
    QLabel *m_dateHeader = nullptr;
    QLabel *m_messageHeader = nullptr;
};
