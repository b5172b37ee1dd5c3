#include "notes/notekeys.h"

namespace {

Qt::KeyboardModifiers withoutKeypad(Qt::KeyboardModifiers modifiers)
{
    return modifiers & ~Qt::KeypadModifier;
}

} // namespace

bool NoteKeys::opensMenu(int key, Qt::KeyboardModifiers modifiers)
{
    const Qt::KeyboardModifiers held = withoutKeypad(modifiers);
    return (key == Qt::Key_Menu && held == Qt::NoModifier) ||
           (key == Qt::Key_F10 && held == Qt::ShiftModifier);
}

int NoteKeys::noteStep(int key, Qt::KeyboardModifiers modifiers)
{
    const Qt::KeyboardModifiers held = withoutKeypad(modifiers);
    if (key == Qt::Key_Tab && held == Qt::ControlModifier)
        return 1;
    // Shift turns Tab into Backtab on most keyboards, but not on all.
    if ((key == Qt::Key_Backtab || key == Qt::Key_Tab) &&
        held == (Qt::ControlModifier | Qt::ShiftModifier))
        return -1;
    return 0;
}

int NoteKeys::nextShown(const QList<bool> &shown, int current, int step)
{
    const int count = int(shown.size());
    if (step == 0 || current < 0 || current >= count)
        return -1;
    const int direction = step > 0 ? 1 : -1;
    for (int index = (current + direction + count) % count; index != current;
         index = (index + direction + count) % count) {
        if (shown.at(index))
            return index;
    }
    return -1;
}
