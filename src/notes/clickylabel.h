#pragma once

#include <QLabel>

// A label that reports left-button presses, used as a button in note headers.
class ClickyLabel : public QLabel
{
    Q_OBJECT
public:
    explicit ClickyLabel(QWidget *parent = nullptr, Qt::WindowFlags flags = {});

signals:
    void labelClicked();

protected:
    void mousePressEvent(QMouseEvent *event) override;
};
