#include "exchange/exchangeprogressdialog.h"

#include <QCoreApplication>
#include <QProgressDialog>

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
