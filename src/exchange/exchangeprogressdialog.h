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

    // The callback the export or import reports to.
    ExchangeProgress callback();

private:
    std::unique_ptr<QProgressDialog> m_dialog;
};
