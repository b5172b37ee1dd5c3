#pragma once
// TEMPORARY local stand-in, never committed
#include <QDialog>
class RZToggleMessageBox : public QDialog
{
public:
    RZToggleMessageBox(const QString &, const QString &, const QString &, QWidget *parent = nullptr, Qt::WindowFlags = {}) : QDialog(parent) {}
};
