#pragma once

#include <QPixmap>

// The 32x32 printer shown on the print commands of the notes and the control
// panel, drawn in code so it scales with nothing and ships with no file.
QPixmap printerPicture();
