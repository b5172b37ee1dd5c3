#pragma once

#include <QByteArrayList>
#include <QPointer>
#include <QWidget>

#include <QTimer>

#include <array>
#include <future>
#include <map>
#include <vector>

class QGridLayout;
class QKeyEvent;
class QLabel;
class NoteBook;
class StickyWidget;
class TableCheckBox;

// The note list of the control panel: a header row, a line and one row per
// note of stickyList, in list order (visibility, colour, creation date,
// reminder, summary). It holds the notes as they were when it was built; the
// control panel builds a new one whenever notes come or go. A filter hides
// the rows of notes that do not match, without building the list again.
//
// The list is as tall as all its rows, but makes the cells only of the rows
// in the visible part of its scroll area (and a few around them): a list of
// ten thousand notes then has a few dozen rows of widgets, not fifty thousand
// widgets. Rows made refresh themselves when their note changes; a row made
// later reads its note then. The keyboard has one stop in the list, the check
// box of the current row; Up and Down move it from row to row, Space ticks
// it, Enter brings its note forward and the Menu key opens its menu.
class TableWidget : public QWidget
{
    Q_OBJECT
public:
    // Rows refresh when `book` announces a change of their note; without a
    // book, when the note's window says it changed.
    explicit TableWidget(const NoteBook *book, QWidget *parent = nullptr,
                         Qt::WindowFlags flags = {});
    explicit TableWidget(QWidget *parent = nullptr, Qt::WindowFlags flags = {})
        : TableWidget(nullptr, parent, flags)
    {
    }
    ~TableWidget() override;

    // Lays out the header and the line, and keeps the room for the rows.
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
    // When rows come or go, the list is scrolled to its top.
    int applyFilter(const QString &query);
    // Reads every note's text for the filter now, so that the first keystroke
    // of a search does not have to.
    void prepareFilter();
    // True while the texts are read in the background.
    bool isPreparingFilter() const { return m_preparing.valid(); }
    int noteCount() const { return int(m_rows.size()); }
    int shownCount() const { return int(m_shownRows.size()); }
    // The notes whose rows the filter shows, in list order.
    QList<const StickyWidget *> shownNotes() const;

    // The cell of the row of the note at `noteIndex` in stickyList, the row
    // scrolled into view and made if need be; null when the filter hides it.
    QWidget *cell(int noteIndex, Column column);

signals:
    // A note changed and the filter now shows a different number of rows.
    void shownCountChanged(int shown);

protected:
    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void moveEvent(QMoveEvent *event) override;

private:
    struct Row
    {
        QPointer<StickyWidget> note;
        // The folded text the filter searches; built when first needed and
        // again after the note changes.
        QByteArray matchText;
        bool matchTextStale = true;
        // Counts the note's changes, so a text read in the background for
        // an earlier state is not taken.
        quint32 changes = 0;
        bool shown = true;
    };
    // Texts read on a worker thread for the rows named, each for the state
    // its row had then.
    struct PreparedTexts
    {
        std::vector<int> rows;
        std::vector<quint32> changes;
        std::vector<QByteArray> texts;
    };
    using Cells = std::array<QWidget *, MessageColumn + 1>;

    bool rowMatches(Row &row);
    void updateMatchText(Row &row);
    // Takes the texts read in the background, waiting for them if needed.
    void takePreparedTexts();
    void noteChanged(int index);
    void collectShownRows();
    int positionOf(int index) const;

    void measureColumns();
    int rowPitch() const;
    int rowsTop() const;
    void updateMadeRows();
    Cells &makeRow(int index);
    void connectRow(StickyWidget *note, const Cells &cells);
    void disconnectRow(StickyWidget *note, const Cells &cells);
    void placeRow(int index, const Cells &cells) const;
    void scrollToRow(int index);
    void watchViewport();

    TableCheckBox *checkBoxOf(int index) const;
    void setCurrentRow(int index);
    void focusRow(int index);
    // Moves the keyboard to the row above or below on Up or Down; false for
    // other keys.
    bool moveCurrentRow(const QKeyEvent *event);
    // Enter brings the current row's note forward; the Menu key and
    // Shift+F10 open the row's menu. False for other keys.
    bool actOnCurrentRow(const QKeyEvent *event);

    std::vector<Row> m_rows;
    // Indexes into m_rows of the rows the filter shows, ascending.
    std::vector<int> m_shownRows;
    QByteArrayList m_queryWords;
    // The cells of the rows made, by index into m_rows, and hidden ones of
    // rows gone out of view, for the rows that come into view.
    std::map<int, Cells> m_madeRows;
    std::vector<Cells> m_spareRows;
    // What the last few searches found, while no note changed since: taking
    // back a letter then costs nothing.
    struct Search
    {
        QByteArrayList words;
        std::vector<int> shownRows;
    };
    std::vector<Search> m_recentSearches;
    // The row whose check box takes the keyboard; kept made wherever it is.
    std::future<PreparedTexts> m_preparing;
    QTimer m_preparedCheck;
    int m_currentRow = -1;
    int m_rowHeight = 0;
    QString m_dateFormat;
    QPointer<QWidget> m_viewport;
    QGridLayout *m_gridLayout = nullptr;
    QLabel *m_visibleHeader = nullptr;
    QLabel *m_colorHeader = nullptr;
    QLabel *m_dateHeader = nullptr;
    QLabel *m_messageHeader = nullptr;
};
