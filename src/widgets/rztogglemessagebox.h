#pragma once

#include <QDialog>
#include <QString>

class QPushButton;

// Confirmation for an action the user may stop being warned about. The box
// only keeps the show-this-warning flag under `settingsKey` up to date; the
// caller reads the flag and runs the box only while it is true, and carries
// out the action only when exec() returns QDialog::Accepted ("&Yes").
class RZToggleMessageBox : public QDialog
{
    Q_OBJECT
public:
    RZToggleMessageBox(const QString &title, const QString &text, const QString &settingsKey,
                       QWidget *parent = nullptr, Qt::WindowFlags flags = {});

    // Makes "&Cancel" the button that Enter presses, for warnings before an
    // action that is hard to take back.
    void setCancelAsDefault();

private slots:
    void rejectDialog();
    void checkboxStateChanged(int state);

private:
    QString m_settingsKey;
    QPushButton *m_cancelButton = nullptr;
};
