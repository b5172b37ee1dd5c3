#include "notes/notepixmaps.h"

namespace NotePixmaps {

QPixmap hideButton()
{
    static const char *const xpm[] = {
        "13 13 4 1",     "  c None",      "b c #2367E7",   "r c #C22B01",   "w c #FFFFFF",
        " bbbbbbbbbbb ", "brrrrrrrrrrrb", "brwrrrrrrrwrb", "brrwrrrrrwrrb", "brrrwrrrwrrrb",
        "brrrrwrwrrrrb", "brrrrrwrrrrrb", "brrrrwrwrrrrb", "brrrwrrrwrrrb", "brrwrrrrrwrrb",
        "brwrrrrrrrwrb", "brrrrrrrrrrrb", " bbbbbbbbbbb "};
    return QPixmap(xpm);
}

QPixmap sizeGrip()
{
    static const char *const xpm[] = {
        "13 13 3 1",     "  c None",      "g c #6C6C6C",   "w c #FFFFFF",   "             ",
        "             ", "             ", "             ", "         gg  ", "         ggw ",
        "          ww ", "     gg  gg  ", "     ggw ggw ", "      ww  ww ", " gg  gg  gg  ",
        " ggw ggw ggw ", "  ww  ww  ww "};
    return QPixmap(xpm);
}

QPixmap reminderClock()
{
    static const char *const xpm[] = {
        "13 13 3 1",     "  c None",      "k c #000000",   "c c #BFE3FF",   "    kkkkk    ",
        "  kkccccckk  ", " kcccckcccck ", " kcccckcccck ", "kccccckccccck", "kccccckccccck",
        "kccccckkkkcck", "kccccccccccck", "kccccccccccck", " kccccccccck ", " kccccccccck ",
        "  kkccccckk  ", "    kkkkk    "};
    return QPixmap(xpm);
}

QPixmap padlock()
{
    static const char *const xpm[] = {
        "13 13 4 1",     "  c None",      "k c #000000",   "g c #A0A0A0",   "d c #6E6E6E",
        "    kkkkk    ", "   kgggggk   ", "  kgk   kgk  ", "  kgk   kgk  ", "  kgk   kgk  ",
        " kkkkkkkkkkk ", " kgggggggggk ", " kgggggggggk ", " kggggdggggk ", " kggggdggggk ",
        " kgggggggggk ", " kgggggggggk ", " kkkkkkkkkkk "};
    return QPixmap(xpm);
}

} // namespace NotePixmaps
