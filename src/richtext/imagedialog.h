#pragma once

#include <QDialog>
#include <QString>

class QLineEdit;
class QSpinBox;

// Asks for an image file and an optional size; stays open until the file is
// an existing image of a supported type. The editor inserts html() after the
// dialog was accepted.
class ImageDialog : public QDialog
{
    Q_OBJECT
public:
    explicit ImageDialog(QWidget *parent = nullptr, Qt::WindowFlags flags = {});

    // <img src="path" />, or with width and height when either is not 0.
    QString html() const;

private slots:
    void browseFile();
    void acceptDialog();

private:
    QLineEdit *pathLineEdit;
    QSpinBox *widthSpinBox;
    QSpinBox *heightSpinBox;
};
