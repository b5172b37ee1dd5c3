#include "widgets/traypicture.h"

QPixmap trayPicture()
{
    // "." (black) is declared but not used.
    // clang-format off
    static const char *const xpm[] = {
        "16 16 4 1",
        "  c None",
        ". c #000000",
        "o c #FFB624",
        "y c #FFFF00",
        "                ",
        "                ",
        "oooooooooooooooo",
        "oooooooooooooooo",
        "oyyyyyyyyyyyyyyo",
        "oyyyyyyyyyyyyyyo",
        "oyyyyyyyyyyyyyyo",
        "oyyyyyyyyyyyyyyo",
        "ooooooyyyyyyyyyo",
        " oyyyoyyyyyyyyyo",
        "  oyyoyyyyyyyyyo",
        "   oyoyyyyyyyyyo",
        "    ooyyyyyyyyyo",
        "     ooooooooooo",
        "                ",
        "                "};
    // clang-format on
    return QPixmap(xpm);
}
