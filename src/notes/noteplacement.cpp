#include "notes/noteplacement.h"

#include "base/tracing.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <QSet>

#include <limits>

namespace NotePlacement {
namespace {

qint64 area(const QRect &rect)
{
    return rect.isEmpty() ? 0 : qint64(rect.width()) * rect.height();
}

// Squared distance between the centres, in 64 bits: stored positions may lie
// anywhere in the int range.
qint64 distance(const QRect &a, const QRect &b)
{
    const qint64 dx = (qint64(a.left()) + a.right()) / 2 - (qint64(b.left()) + b.right()) / 2;
    const qint64 dy = (qint64(a.top()) + a.bottom()) / 2 - (qint64(b.top()) + b.bottom()) / 2;
    return dx * dx + dy * dy;
}

bool headerReachable(const QRect &note, const QList<QRect> &screens)
{
    const QRect header(note.left(), note.top(), note.width(),
                       std::min(kHeaderHeight, note.height()));
    const int neededWidth = std::min(kVisibleHeaderWidth, note.width());
    for (const QRect &screen : screens) {
        const QRect shown = header & screen;
        if (shown.height() == header.height() && shown.width() >= neededWidth)
            return true;
    }
    return false;
}

int clampInto(int start, int length, int areaStart, int areaLength)
{
    return std::clamp(start, areaStart, areaStart + std::max(0, areaLength - length));
}

} // namespace

QRect fitToScreens(const QRect &note, const QList<QRect> &screens)
{
    if (screens.isEmpty())
        return note;
    // Sizes beyond any screen are clamped before any rectangle arithmetic.
    const QRect sane(std::clamp(note.x(), -1000000, 1000000),
                     std::clamp(note.y(), -1000000, 1000000), std::clamp(note.width(), 1, 1000000),
                     std::clamp(note.height(), 1, 1000000));

    const QRect *home = nullptr;
    qint64 best = 0;
    for (const QRect &screen : screens) {
        const qint64 overlap = area(sane & screen);
        if (overlap > best) {
            best = overlap;
            home = &screen;
        }
    }
    if (!home) {
        qint64 nearest = std::numeric_limits<qint64>::max();
        for (const QRect &screen : screens) {
            if (distance(sane, screen) < nearest) {
                nearest = distance(sane, screen);
                home = &screen;
            }
        }
    }

    QRect fitted = sane;
    fitted.setWidth(std::min(sane.width(), home->width()));
    fitted.setHeight(std::min(sane.height(), home->height()));
    // A note that was too large also comes wholly onto its screen, so its
    // size grip can be reached.
    const bool shrunk = fitted.size() != sane.size();
    if (shrunk || !headerReachable(fitted, screens)) {
        fitted.moveTo(clampInto(fitted.x(), fitted.width(), home->x(), home->width()),
                      clampInto(fitted.y(), fitted.height(), home->y(), home->height()));
    }
    return fitted;
}

QList<QRect> availableScreenAreas()
{
    QList<QRect> areas;
    const QList<QScreen *> screens = QGuiApplication::screens();
    for (const QScreen *screen : screens) {
        if (!screen->availableGeometry().isEmpty())
            areas << screen->availableGeometry();
    }
    return areas;
}

void keepOnScreen(QWidget *window)
{
    const QRect current = window->geometry();
    const QRect fitted = fitToScreens(current, availableScreenAreas());
    if (fitted == current)
        return;
    qCDebug(lcNotes) << "NotePlacement: moving" << current << "to" << fitted;
    window->setGeometry(fitted);
}

QPoint placeForNewNote(const QList<QPoint> &taken, const QRect &available, const QSize &size)
{
    if (available.isEmpty())
        return kFirstNewNotePlace;
    const auto key = [](const QPoint &point) {
        return (quint64(quint32(point.x())) << 32) | quint32(point.y());
    };
    QSet<quint64> corners;
    corners.reserve(taken.size());
    for (const QPoint &corner : taken)
        corners.insert(key(corner));

    // The largest corner at which the note still lies wholly inside.
    const int lastX = available.x() + available.width() - size.width();
    const int lastY = available.y() + available.height() - size.height();
    const QPoint first(
        available.x() + std::clamp(kFirstNewNotePlace.x(), 0, std::max(0, lastX - available.x())),
        available.y() + std::clamp(kFirstNewNotePlace.y(), 0, std::max(0, lastY - available.y())));
    for (int runX = first.x(); runX <= lastX; runX += kNewNoteStep) {
        for (QPoint place(runX, first.y()); place.x() <= lastX && place.y() <= lastY;
             place += QPoint(kNewNoteStep, kNewNoteStep)) {
            if (!corners.contains(key(place)))
                return place;
        }
    }
    return first;
}

QRect primaryScreenArea()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect();
}

QPoint positionToStore(const QPoint &reported, const std::optional<QPoint> &known,
                       bool positionsReported)
{
    return positionsReported || !known ? reported : *known;
}

} // namespace NotePlacement
