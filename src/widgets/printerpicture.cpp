#include "widgets/printerpicture.h"

#include <QPainter>
#include <QPainterPath>

QPixmap printerPicture()
{
    QPixmap picture(32, 32);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    const QPen outline(QColor(0x30, 0x30, 0x30), 1.2);

    // The sheet waiting at the back, with a few printed lines.
    painter.setPen(outline);
    painter.setBrush(Qt::white);
    painter.drawRect(QRectF(8.5, 2.5, 15, 12));
    painter.setPen(QPen(QColor(0x2a, 0x5d, 0xb0), 1));
    for (int line = 0; line < 3; ++line)
        painter.drawLine(QPointF(11, 6 + 3 * line), QPointF(21 - 2 * (line % 2), 6 + 3 * line));

    // The body of the printer.
    QLinearGradient body(0, 12, 0, 26);
    body.setColorAt(0, QColor(0xd8, 0xd8, 0xd8));
    body.setColorAt(1, QColor(0x8c, 0x8c, 0x8c));
    painter.setPen(outline);
    painter.setBrush(body);
    painter.drawRoundedRect(QRectF(2.5, 12.5, 27, 13), 2.5, 2.5);

    // A green lamp and the slot the page comes out of.
    painter.setBrush(QColor(0x35, 0xc0, 0x3a));
    painter.drawEllipse(QRectF(24, 15.5, 3, 3));
    painter.setBrush(QColor(0x40, 0x40, 0x40));
    painter.drawRect(QRectF(7.5, 20.5, 17, 2));

    // The printed page coming out at the front.
    painter.setBrush(Qt::white);
    painter.drawRect(QRectF(8.5, 22.5, 15, 7));
    painter.setPen(QPen(QColor(0x2a, 0x5d, 0xb0), 1));
    painter.drawLine(QPointF(11, 26), QPointF(21, 26));
    return picture;
}
