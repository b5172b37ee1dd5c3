#pragma once

#include <QPixmap>

// The program's 16x16 tray icon: a yellow note with an orange edge and a
// folded lower-left corner, drawn from its pixel table.
QPixmap trayPicture();
