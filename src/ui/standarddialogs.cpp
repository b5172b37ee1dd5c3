#include "ui/standarddialogs.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QInputDialog>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QQueue>

namespace StandardDialogs {
namespace {

struct Answers
{
    QQueue<QColor> colors;
    QQueue<std::optional<QString>> texts;
    QQueue<QString> fileNames;
    QQueue<QString> directories;
    QQueue<std::optional<QString>> items;
    QQueue<std::optional<QString>> printFiles;
    bool onlyFromQueue = false;
};

Answers &answers()
{
    static Answers queued;
    return queued;
}

QList<Request> &history()
{
    static QList<Request> records;
    return records;
}

} // namespace

QColor getColor(const QColor &initial, QWidget *parent)
{
    history().append({Kind::Color, {}, {}, {}, {}, {}, initial, {}});
    if (!answers().colors.isEmpty())
        return answers().colors.dequeue();
    if (answers().onlyFromQueue)
        return QColor();
    return QColorDialog::getColor(initial, parent);
}

std::optional<QString> getText(QWidget *parent, const QString &title, const QString &label,
                               const QString &initialText)
{
    history().append({Kind::Text, title, label, initialText, {}, {}, {}, {}});
    if (!answers().texts.isEmpty())
        return answers().texts.dequeue();
    if (answers().onlyFromQueue)
        return std::nullopt;
    bool confirmed = false;
    const QString text =
        QInputDialog::getText(parent, title, label, QLineEdit::Normal, initialText, &confirmed);
    if (!confirmed)
        return std::nullopt;
    return text;
}

QString getOpenFileName(QWidget *parent, const QString &caption, const QString &directory,
                        const QString &filter)
{
    history().append({Kind::OpenFile, caption, {}, {}, directory, filter, {}, {}});
    if (!answers().fileNames.isEmpty())
        return answers().fileNames.dequeue();
    if (answers().onlyFromQueue)
        return QString();
    return QFileDialog::getOpenFileName(parent, caption, directory, filter);
}

QString getExistingDirectory(QWidget *parent, const QString &caption, const QString &directory)
{
    history().append({Kind::Directory, caption, {}, {}, directory, {}, {}, {}});
    if (!answers().directories.isEmpty())
        return answers().directories.dequeue();
    if (answers().onlyFromQueue)
        return QString();
    return QFileDialog::getExistingDirectory(parent, caption, directory, QFileDialog::ShowDirsOnly);
}

std::optional<QString> getItem(QWidget *parent, const QString &title, const QString &label,
                               const QStringList &items, int current)
{
    history().append({Kind::Item, title, label, items.value(current), {}, {}, {}, items});
    if (!answers().items.isEmpty())
        return answers().items.dequeue();
    if (answers().onlyFromQueue)
        return std::nullopt;
    bool confirmed = false;
    const QString item =
        QInputDialog::getItem(parent, title, label, items, current, false, &confirmed);
    if (!confirmed)
        return std::nullopt;
    return item;
}

bool runPrintDialog(QPrinter &printer, QWidget *parent)
{
    history().append({Kind::Print, {}, {}, {}, {}, {}, {}, {}});
    if (!answers().printFiles.isEmpty()) {
        const std::optional<QString> pdfPath = answers().printFiles.dequeue();
        if (!pdfPath)
            return false;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(*pdfPath);
        return true;
    }
    if (answers().onlyFromQueue)
        return false;
    QPrintDialog dialog(&printer, parent);
    return dialog.exec() == QDialog::Accepted;
}

void queuePrintToFile(const std::optional<QString> &pdfPath)
{
    answers().printFiles.enqueue(pdfPath);
}

void queueColor(const QColor &answer)
{
    answers().colors.enqueue(answer);
}

void queueText(const std::optional<QString> &answer)
{
    answers().texts.enqueue(answer);
}

void queueOpenFileName(const QString &answer)
{
    answers().fileNames.enqueue(answer);
}

void queueDirectory(const QString &answer)
{
    answers().directories.enqueue(answer);
}

void queueItem(const std::optional<QString> &answer)
{
    answers().items.enqueue(answer);
}

QList<Request> takeHistory()
{
    return std::exchange(history(), {});
}

int pendingAnswers()
{
    const Answers &queued = answers();
    return int(queued.colors.size() + queued.texts.size() + queued.fileNames.size() +
               queued.directories.size() + queued.items.size() + queued.printFiles.size());
}

void clearAnswers()
{
    Answers &queued = answers();
    queued.colors.clear();
    queued.texts.clear();
    queued.fileNames.clear();
    queued.directories.clear();
    queued.items.clear();
    queued.printFiles.clear();
}

void setAnswerOnlyFromQueue(bool on)
{
    answers().onlyFromQueue = on;
}

} // namespace StandardDialogs
