#pragma once

#include <QColor>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

class QPrinter;
class QWidget;

// The toolkit's standard choosers (colour, text, file, directory) as the
// program's dialogs open them. Tests queue the answers a person would give,
// so no test waits on a modal chooser; every chooser asked for is recorded.
namespace StandardDialogs {

enum class Kind
{
    Color,
    Text,
    OpenFile,
    Directory,
    Item,
    Print
};

struct Request
{
    Kind kind;
    QString caption;     // window title or caption
    QString label;       // prompt of a text input; empty otherwise
    QString initialText; // initial text of a text input; empty otherwise
    QString directory;   // starting directory of a file or directory chooser
    QString filter;      // file filter of a file chooser
    QColor initialColor; // initial colour of a colour chooser
    QStringList items;   // the choices of an item chooser, in order; empty otherwise
};

// Returns the chosen colour, or an invalid colour when the user cancelled.
QColor getColor(const QColor &initial, QWidget *parent);
// Returns the entered text, or nothing when the user cancelled.
std::optional<QString> getText(QWidget *parent, const QString &title, const QString &label,
                               const QString &initialText);
// Returns the chosen path, or an empty text when the user cancelled.
QString getOpenFileName(QWidget *parent, const QString &caption, const QString &directory,
                        const QString &filter);
QString getExistingDirectory(QWidget *parent, const QString &caption, const QString &directory);
// Offers `items` in a drop-down list, `current` preselected, not editable.
// Returns the chosen item, or nothing when the user cancelled.
std::optional<QString> getItem(QWidget *parent, const QString &title, const QString &label,
                               const QStringList &items, int current);
// Runs the print dialog for `printer`; true when the user chose to print.
bool runPrintDialog(QPrinter &printer, QWidget *parent);

// Test seams: the next chooser of that kind returns the queued answer at once
// instead of being shown. An invalid colour, std::nullopt or an empty path
// stand for a cancelled chooser.
void queueColor(const QColor &answer);
void queueText(const std::optional<QString> &answer);
void queueOpenFileName(const QString &answer);
void queueDirectory(const QString &answer);
void queueItem(const std::optional<QString> &answer);
// A path prints into that PDF file, as "Print to File (PDF)" does; nothing
// cancels the print dialog.
void queuePrintToFile(const std::optional<QString> &pdfPath);
// Every chooser asked for since the last call, oldest first; clears the record.
QList<Request> takeHistory();
// Number of queued answers not used yet, so tests can see that nothing more
// was asked for than they expected. Clears nothing.
int pendingAnswers();
// Drops every queued answer.
void clearAnswers();
// With `on`, a chooser that finds no queued answer is not shown but counts
// as cancelled (it is still recorded), so a test that asks for more than it
// queued fails instead of waiting for a person.
void setAnswerOnlyFromQueue(bool on);

} // namespace StandardDialogs
