#pragma once

#include <QPixmap>

// The 13x13 pictures of a note's header and corner, drawn from pixel maps.
namespace NotePixmaps {

QPixmap hideButton();
QPixmap sizeGrip();
QPixmap reminderClock();
QPixmap padlock();

} // namespace NotePixmaps
