#pragma once

#include <QList>

class StickyWidget;

// Every note window, in load and creation order. The main window fills it
// (loading, new notes) and empties it (deleting); the note list, saving,
// printing and the tray commands read it.
extern QList<StickyWidget *> stickyList;
