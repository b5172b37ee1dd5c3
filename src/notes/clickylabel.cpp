#include "notes/clickylabel.h"

#include <QMouseEvent>

ClickyLabel::ClickyLabel(QWidget *parent, Qt::WindowFlags flags) : QLabel(parent, flags)
{
}

void ClickyLabel::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        emit labelClicked();
}
