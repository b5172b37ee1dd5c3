#include "ui/userprompt.h"

#include <QQueue>

namespace UserPrompt {
namespace {
QQueue<QMessageBox::StandardButton> &answers()
{
    static QQueue<QMessageBox::StandardButton> queue;
    return queue;
}
QList<Record> &history()
{
    static QList<Record> records;
    return records;
}
} // namespace

QMessageBox::StandardButton warning(QWidget *parent, const QString &title, const QString &text,
                                    QMessageBox::StandardButtons buttons,
                                    QMessageBox::StandardButton defaultButton)
{
    history().append({title, text});
    if (!answers().isEmpty())
        return answers().dequeue();

    QMessageBox box(QMessageBox::Warning, title, text, buttons, parent);
    box.setDefaultButton(defaultButton);
    box.setEscapeButton(defaultButton);
    box.exec();
    const auto clicked = box.standardButton(box.clickedButton());
    return clicked == QMessageBox::NoButton ? defaultButton : clicked;
}

void notify(QWidget *parent, const QString &title, const QString &text)
{
    history().append({title, text});
    auto *box = new QMessageBox(QMessageBox::Warning, title, text, QMessageBox::Ok, parent);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::NonModal);
    box->show();
}

void information(QWidget *parent, const QString &title, const QString &text)
{
    history().append({title, text});
    if (!answers().isEmpty()) {
        answers().dequeue();
        return;
    }
    QMessageBox box(QMessageBox::Information, title, text, QMessageBox::Ok, parent);
    box.setDefaultButton(QMessageBox::Ok);
    box.setEscapeButton(QMessageBox::Ok);
    box.exec();
}

QMessageBox *notice(QWidget *parent, const QString &title, const QString &text)
{
    history().append({title, text});
    auto *box = new QMessageBox(QMessageBox::Information, title, text, QMessageBox::Ok, parent);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::NonModal);
    box->show();
    return box;
}

void queueAnswer(QMessageBox::StandardButton answer)
{
    answers().enqueue(answer);
}

QList<Record> takeHistory()
{
    return std::exchange(history(), {});
}

} // namespace UserPrompt
