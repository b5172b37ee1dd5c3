#pragma once

#include <QWidget>

class QGridLayout;
class QLabel;

// The note list of the control panel: a header row, a line and one row per
// note of stickyList, in list order (visibility, colour, creation date,
// reminder, summary). It shows the notes as they were when it was built;
// the control panel builds a new one whenever notes come or go. The rows
// refresh themselves when their note changes.
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

protected:
    bool event(QEvent *event) override;

private:
    QGridLayout *m_gridLayout = nullptr;
    QLabel *m_visibleHeader = nullptr;
    QLabel *m_colorHeader = nullptr;
    QLabel *m_dateHeader = nullptr;
    QLabel *m_messageHeader = nullptr;
};
