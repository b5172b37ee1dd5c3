#pragma once

#include <QObject>

class QLineEdit;

// Makes a line edit select its whole text whenever it takes the focus, by
// the keyboard or by a click, so that typing replaces the text. A click that
// brings the focus would undo a selection made at once (the press places the
// cursor), so that one selects after the click, unless the click dragged a
// selection of its own. Later clicks in the focused field place the cursor.
class SelectAllOnFocus : public QObject
{
    Q_OBJECT

public:
    // Installs the behaviour on `edit`, which owns it.
    static void install(QLineEdit *edit);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    explicit SelectAllOnFocus(QLineEdit *edit);

    QLineEdit *m_edit;
    bool m_selectAfterClick = false;
};
