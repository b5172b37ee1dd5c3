#pragma once

#include <QWidget>

class QLabel;
class QLineEdit;

// The filter field above the control panel's note list, with the count of
// the notes it lets through. Ctrl+F anywhere in the panel focuses it; Escape
// in it clears it.
class NoteSearchBar : public QWidget
{
    Q_OBJECT
public:
    explicit NoteSearchBar(QWidget *parent = nullptr);

    QString query() const;
    QLineEdit *field() const { return m_field; }
    // "12 of 340 notes" while a filter is typed; nothing without one.
    void setCounts(int shown, int total);
    void retranslate();

signals:
    void queryChanged(const QString &query);
    // The field took the keyboard focus: a search is about to start.
    void searchStarting();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void updateCountText();

    QLineEdit *m_field = nullptr;
    QLabel *m_count = nullptr;
    int m_shown = 0;
    int m_total = 0;
};
