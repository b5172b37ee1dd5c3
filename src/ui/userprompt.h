#pragma once

#include <QMessageBox>
#include <QString>

class QWidget;

// Modal message boxes of the program. Tests queue the answers the user would
// give, so no test ever waits for a person; every box asked for is recorded.
namespace UserPrompt {

struct Record
{
    QString title;
    QString text;
};

// Shows a modal warning with the given buttons; `defaultButton` is also the
// escape button.
QMessageBox::StandardButton warning(QWidget *parent, const QString &title, const QString &text,
                                    QMessageBox::StandardButtons buttons,
                                    QMessageBox::StandardButton defaultButton);

// Shows a warning and returns at once, without waiting for the user: for news
// that must not hold up the program (a failed save in the background).
// Recorded like the others; it takes no queued answer.
void notify(QWidget *parent, const QString &title, const QString &text);

// Shows a modal information box with a single OK button.
void information(QWidget *parent, const QString &title, const QString &text);

// Shows an information box that does not block: the program goes on while
// it is up, and it closes itself when dismissed. Returns the box.
QMessageBox *notice(QWidget *parent, const QString &title, const QString &text);

// Test seam: the next box returns `answer` at once instead of being shown.
void queueAnswer(QMessageBox::StandardButton answer);
// Every box asked for since the last call, oldest first; clears the record.
QList<Record> takeHistory();

} // namespace UserPrompt
