#include "notes/notepixmaps.h"

#include <QPixmapCache>

namespace NotePixmaps {
namespace {

// Each picture is made once and then shared: a thousand notes coming up
// would otherwise each decode the same four pictures.
QPixmap cached(const QString &key, const char *const *xpm)
{
    QPixmap pixmap;
    if (!QPixmapCache::find(key, &pixmap)) {
        pixmap = QPixmap(xpm);
        QPixmapCache::insert(key, pixmap);
    }
    return pixmap;
}

} // namespace

QPixmap hideButton()
{
    static const char *const xpm[] = {
        "13 13 4 1",     "  c None",      "b c #2367E7",   "r c #C22B01",   "w c #FFFFFF",
        " bbbbbbbbbbb ", "brrrrrrrrrrrb", "brwrrrrrrrwrb", "brrwrrrrrwrrb", "brrrwrrrwrrrb",
        "brrrrwrwrrrrb", "brrrrrwrrrrrb", "brrrrwrwrrrrb", "brrrwrrrwrrrb", "brrwrrrrrwrrb",
        "brwrrrrrrrwrb", "brrrrrrrrrrrb", " bbbbbbbbbbb "};
    return cached(QStringLiteral("notarella-hideButton"), xpm);
}

QPixmap sizeGrip()
{
    static const char *const xpm[] = {
        "13 13 3 1",     "  c None",      "g c #6C6C6C",   "w c #FFFFFF",   "             ",
        "             ", "             ", "             ", "         gg  ", "         ggw ",
        "          ww ", "     gg  gg  ", "     ggw ggw ", "      ww  ww ", " gg  gg  gg  ",
        " ggw ggw ggw ", "  ww  ww  ww "};
    return cached(QStringLiteral("notarella-sizeGrip"), xpm);
}

QPixmap reminderClock()
{
    static const char *const xpm[] = {
        "13 13 3 1",     "  c None",      "k c #000000",   "c c #BFE3FF",   "    kkkkk    ",
        "  kkccccckk  ", " kcccckcccck ", " kcccckcccck ", "kccccckccccck", "kccccckccccck",
        "kccccckkkkcck", "kccccccccccck", "kccccccccccck", " kccccccccck ", " kccccccccck ",
        "  kkccccckk  ", "    kkkkk    "};
    return cached(QStringLiteral("notarella-reminderClock"), xpm);
}

QPixmap padlock()
{
    static const char *const xpm[] = {
        "13 13 4 1",     "  c None",      "k c #000000",   "g c #A0A0A0",   "d c #6E6E6E",
        "    kkkkk    ", "   kgggggk   ", "  kgk   kgk  ", "  kgk   kgk  ", "  kgk   kgk  ",
        " kkkkkkkkkkk ", " kgggggggggk ", " kgggggggggk ", " kggggdggggk ", " kggggdggggk ",
        " kgggggggggk ", " kgggggggggk ", " kkkkkkkkkkk "};
    return cached(QStringLiteral("notarella-padlock"), xpm);
}

} // namespace NotePixmaps
