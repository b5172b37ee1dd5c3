#include "ui/colorswatch.h"

#include <QByteArray>

namespace ColorSwatch {

QPixmap pixmap(const QString &rgb)
{
    // An image description with one character per pixel: ' ' transparent,
    // '.' the black frame, '#' the colour.
    const QByteArray colourLine = QStringLiteral("#  c %1").arg(rgb).toLatin1();
    const char *xpm[] = {"12 12 3 1",    "   c None",    ".  c #000000", colourLine.constData(),
                         "............", ".##########.", ".##########.", ".##########.",
                         ".##########.", ".##########.", ".##########.", ".##########.",
                         ".##########.", ".##########.", ".##########.", "............"};
    return QPixmap(xpm);
}

} // namespace ColorSwatch
