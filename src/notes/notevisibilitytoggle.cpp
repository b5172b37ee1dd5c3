#include "notes/notevisibilitytoggle.h"

NoteVisibilityToggle::Step NoteVisibilityToggle::toggle(const QList<int> &allIds,
                                                        const QList<int> &shownIds)
{
    Step step;
    // Only notes that still exist and are still hidden are worth bringing back.
    m_remembered.removeIf([&](int id) { return !allIds.contains(id) || shownIds.contains(id); });
    if (!shownIds.isEmpty()) {
        step.hide = shownIds;
        m_remembered += shownIds;
        return step;
    }
    step.show = m_remembered.isEmpty() ? allIds : m_remembered;
    m_remembered.clear();
    return step;
}
