#pragma once

#include <QPixmap>
#include <QString>

// The 12 × 12 colour swatch beside every colour the program offers (tray
// menu, note colour menu, note list, colour selector, editor colour list): a
// 10 × 10 square of the colour in a one-pixel black frame.
namespace ColorSwatch {

// `rgb` is a colour string as the settings keep it ("#ffff99").
QPixmap pixmap(const QString &rgb);

} // namespace ColorSwatch
