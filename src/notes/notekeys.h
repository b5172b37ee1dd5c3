#pragma once

#include <QList>
#include <Qt>

// The keys that work a note and the control panel's list without a mouse,
// and the choices they make, kept apart from the widgets.
namespace NoteKeys {

// True for the keys that open a context menu from the keyboard: the Menu
// key and Shift+F10 (keypad state aside, nothing else held).
bool opensMenu(int key, Qt::KeyboardModifiers modifiers);

// +1 for Ctrl+Tab, -1 for Ctrl+Shift+Tab, 0 for every other key.
int noteStep(int key, Qt::KeyboardModifiers modifiers);

// The index of the next note after `current` with `shown` set, going forward
// for a positive `step` and back for a negative one, in list order and
// wrapping around; -1 when no other note is shown. A `current` that is not
// shown itself counts from its own place.
int nextShown(const QList<bool> &shown, int current, int step);

} // namespace NoteKeys
