#pragma once

#include "exchange/exchangeprogress.h"

#include <QString>

#include <memory>

class QProgressDialog;
class QWidget;

// The progress window of an export or import: it appears only when the run
// takes longer than a moment, and its Cancel button stops the run.
class ExchangeProgressDialog
{
public:
    ExchangeProgressDialog(QWidget *parent, const QString &title, const QString &label);
    ~ExchangeProgressDialog();
    ExchangeProgressDialog(const ExchangeProgressDialog &) = delete;
    ExchangeProgressDialog &operator=(const ExchangeProgressDialog &) = delete;

    // The callback the export or import reports to, on the GUI thread.
    ExchangeProgress callback();

    // Runs `work` on a thread of its own and returns when it has ended.
    // Meanwhile the program handles its events, the window shows what `work`
    // reports, and Cancel makes the callback `work` is given return false.
    // Should the event loop be left early (the program quits), the work is
    // cancelled and waited for.
    void run(const std::function<void(const ExchangeProgress &)> &work);

private:
    std::unique_ptr<QProgressDialog> m_dialog;
};
