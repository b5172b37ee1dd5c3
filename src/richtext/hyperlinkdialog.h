#pragma once

#include <QDialog>
#include <QString>

class QComboBox;
class QLabel;
class QLineEdit;

// Asks for a link's kind, display text and address; the editor inserts
// html() after the dialog was accepted.
class HyperlinkDialog : public QDialog
{
    Q_OBJECT
public:
    explicit HyperlinkDialog(const QString &displayText, QWidget *parent = nullptr,
                             Qt::WindowFlags flags = {});

    // <a href="address">display text</a>, both exactly as typed.
    QString html() const;

private slots:
    void selectUrlType(const QString &i_item);
    void acceptDialog();

private:
    QComboBox *urlTypeComboBox;
    QLineEdit *displayTextLineEdit;
    QLabel *addressLabel;
    QLineEdit *addressLineEdit;
};
