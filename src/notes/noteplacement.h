#pragma once

#include <QList>
#include <QPoint>
#include <QRect>
#include <QSize>

#include <optional>

class QWidget;

// Keeps notes where the user can reach them. A stored size of 10^9 made a
// window of 32767 pixels (gigabytes of memory, the header off-screen), and a
// note left on a monitor that was unplugged is lost from sight.
namespace NotePlacement {

// Height of the note's header strip that must lie on a screen so the note
// can be dragged, and the width of it that must show.
inline constexpr int kHeaderHeight = 20;
inline constexpr int kVisibleHeaderWidth = 40;

// `note` made no larger than the available area of its screen (the one it
// overlaps most, else the nearest); when it had to shrink, or its header is
// on no screen, it is moved wholly onto that screen. A note of fitting size
// whose header can be reached keeps its position. `screens` are the screens' available areas; with
// none the note is returned as it is.
QRect fitToScreens(const QRect &note, const QList<QRect> &screens);

// The available areas of the screens of the running program.
QList<QRect> availableScreenAreas();

// Applies fitToScreens() to a top-level window.
void keepOnScreen(QWidget *window);

// New notes open in runs stepping down and right by kNewNoteStep from the
// first place, kFirstNewNotePlace from the top-left corner of the screen.
inline constexpr int kNewNoteStep = 20;
inline constexpr QPoint kFirstNewNotePlace{200, 200};

// Where a new note of `size` opens so that it covers no other note: the first
// place of the runs whose top-left corner no note has (`taken`) and where the
// note lies wholly inside `available`. When a run would leave the area the
// next one starts one step further right at the first row; when every place
// is taken the first place is used. The first place moves up and left as far
// as a note of `size` needs to fit; a note larger than `available` opens at
// its top-left corner.
QPoint placeForNewNote(const QList<QPoint> &taken, const QRect &available, const QSize &size);

// The available area of the primary screen, empty without a screen.
QRect primaryScreenArea();

// The position to store for a note whose window says it lies at `reported`.
// Where the platform reports no positions (Wayland) every window says (0,0):
// the note then keeps `known`, the last place the program put it at (its
// stored place), since writing (0,0) would lose it. Without a known place the
// reported one is all there is.
QPoint positionToStore(const QPoint &reported, const std::optional<QPoint> &known,
                       bool positionsReported);

} // namespace NotePlacement
