#include "exchange/exchangeprogressdialog.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QProgressDialog>
#include <QThread>
#include <QTimer>

#include <atomic>

ExchangeProgressDialog::ExchangeProgressDialog(QWidget *parent, const QString &title,
                                               const QString &label)
    : m_dialog(std::make_unique<QProgressDialog>(parent))
{
    m_dialog->setWindowTitle(title);
    m_dialog->setLabelText(label);
    m_dialog->setWindowModality(Qt::WindowModal);
    m_dialog->setMinimumDuration(500);
    m_dialog->setAutoClose(false);
    m_dialog->setAutoReset(false);
    m_dialog->setValue(0);
}

ExchangeProgressDialog::~ExchangeProgressDialog() = default;

ExchangeProgress ExchangeProgressDialog::callback()
{
    return [dialog = m_dialog.get()](int done, int total) {
        if (dialog->maximum() != total)
            dialog->setMaximum(total);
        // A modal progress window handles the events (its Cancel button) here.
        dialog->setValue(done);
        return !dialog->wasCanceled();
    };
}

void ExchangeProgressDialog::run(const std::function<void(const ExchangeProgress &)> &work)
{
    // What the work reports, read by the window on the GUI thread.
    struct Shared
    {
        std::atomic<int> done = 0;
        std::atomic<int> total = 0;
        std::atomic<bool> cancelled = false;
    } shared;
    const ExchangeProgress report = [&shared](int done, int total) {
        shared.done = done;
        shared.total = total;
        return !shared.cancelled;
    };
    QProgressDialog *dialog = m_dialog.get();
    QEventLoop loop;
    QTimer poll;
    poll.setInterval(100);
    QObject::connect(&poll, &QTimer::timeout, dialog, [&shared, dialog] {
        if (dialog->wasCanceled())
            shared.cancelled = true;
        const int total = shared.total;
        if (dialog->maximum() != total)
            dialog->setMaximum(total);
        if (dialog->value() != shared.done)
            dialog->setValue(shared.done);
    });
    const std::unique_ptr<QThread> thread(QThread::create([&work, &report] { work(report); }));
    QObject::connect(thread.get(), &QThread::finished, &loop, &QEventLoop::quit);
    thread->start();
    poll.start();
    loop.exec();
    if (!thread->isFinished()) {
        shared.cancelled = true;
        thread->wait();
    }
}
