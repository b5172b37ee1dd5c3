#include "richtext/editorpictures.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>

namespace EditorPictures {
namespace {

QPixmap transparentPixmap(int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

// One large letter in the middle of a square, the way style buttons look.
QPixmap letter(int size, QChar character, bool bold, bool italic, bool underline, bool strikeout)
{
    QPixmap pixmap = transparentPixmap(size);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    QFont font(QStringLiteral("Serif"));
    font.setPixelSize(size * 3 / 4);
    font.setBold(bold);
    font.setItalic(italic);
    font.setUnderline(underline);
    font.setStrikeOut(strikeout);
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.drawText(pixmap.rect(), Qt::AlignCenter, QString(character));
    return pixmap;
}

void drawFace(QPainter &painter)
{
    painter.setPen(QPen(Qt::black, 1.0));
    painter.setBrush(QColor(255, 220, 0));
    painter.drawEllipse(QRectF(1.5, 1.5, 12, 12));
    painter.setBrush(Qt::black);
    painter.setPen(Qt::NoPen);
    painter.drawEllipse(QRectF(4.5, 4.5, 2, 2.5));
    painter.drawEllipse(QRectF(8.5, 4.5, 2, 2.5));
    painter.setPen(QPen(Qt::black, 1.0));
    painter.setBrush(Qt::NoBrush);
    painter.drawArc(QRectF(4, 5, 7, 5.5), 200 * 16, 140 * 16);
}

} // namespace

QPixmap bold()
{
    return letter(32, QLatin1Char('B'), true, false, false, false);
}

QPixmap italic()
{
    return letter(32, QLatin1Char('I'), false, true, false, false);
}

QPixmap underline()
{
    return letter(32, QLatin1Char('U'), false, false, true, false);
}

QPixmap strikeout()
{
    return letter(22, QLatin1Char('S'), false, false, false, true);
}

QPixmap functionalDisplay()
{
    QPixmap pixmap = transparentPixmap(15);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    drawFace(painter);
    return pixmap;
}

QPixmap markupDisplay()
{
    QPixmap pixmap = transparentPixmap(15);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    drawFace(painter);
    const QColor signRed(QStringLiteral("#B00000"));
    painter.setPen(QPen(signRed, 1.6));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(QRectF(1, 1, 13, 13));
    painter.drawLine(QPointF(3.2, 3.2), QPointF(11.8, 11.8));
    return pixmap;
}

QPixmap alignment(Qt::Alignment alignment)
{
    QPixmap pixmap = transparentPixmap(11);
    QPainter painter(&pixmap);
    painter.setPen(Qt::black);
    // Long and short lines alternate, as in a paragraph.
    const int lengths[5] = {11, 7, 11, 7, 11};
    for (int line = 0; line < 5; ++line) {
        const int y = 1 + line * 2;
        int length = lengths[line];
        int left = 0;
        if (alignment & Qt::AlignJustify)
            length = line == 4 ? 7 : 11; // only a paragraph's last line ends short
        else if (alignment & Qt::AlignHCenter)
            left = (11 - length) / 2;
        else if (alignment & Qt::AlignRight)
            left = 11 - length;
        painter.drawLine(left, y, left + length - 1, y);
    }
    return pixmap;
}

} // namespace EditorPictures
