#pragma once

#include <QPixmap>

// The rich text editor's built-in pictures, drawn in code so the editor needs
// no files for its own controls.
namespace EditorPictures {

QPixmap bold();      // 32 x 32
QPixmap italic();    // 32 x 32
QPixmap underline(); // 32 x 32
QPixmap strikeout(); // 22 x 22
// The display-mode switch, 15 x 15: a yellow smiling face in functional
// display, the same face under a red prohibition sign in markup display.
QPixmap functionalDisplay();
QPixmap markupDisplay();
// 11 x 11, five black lines arranged as `alignment` (left, centre, right or
// justify) on transparent.
QPixmap alignment(Qt::Alignment alignment);

} // namespace EditorPictures
