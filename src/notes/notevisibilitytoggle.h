#pragma once

#include <QList>

// One key to get every note out of the way and back. The first toggle hides
// the notes shown and remembers them; the next one, when no note is shown,
// shows exactly those again. Notes the user showed in between are hidden by
// the next toggle and join the remembered ones, so that nothing a toggle hid
// is lost; notes deleted in between are forgotten. With no note shown and
// none remembered (the first toggle after a start, or every remembered note
// deleted), a toggle shows every note.
class NoteVisibilityToggle
{
public:
    struct Step
    {
        QList<int> hide;
        QList<int> show;
    };

    // What this toggle does, given the ids of every note and of those shown
    // now (both in list order); the step returned is the one to carry out.
    Step toggle(const QList<int> &allIds, const QList<int> &shownIds);

    QList<int> remembered() const { return m_remembered; }

private:
    QList<int> m_remembered;
};
