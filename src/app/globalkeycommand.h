#pragma once

#include <QObject>

#include <functional>

class GlobalShortcut;
class QWidget;
class StickyWidget;

// The key that makes a new note from any program: taken as the settings
// name it, and the note it makes takes the focus from the program that had
// it.
class GlobalKeyCommand : public QObject
{
    Q_OBJECT
public:
    // `newNote` makes a note in the default colour and returns it (null when
    // none was made); `window` is the parent of what the user is told.
    GlobalKeyCommand(QWidget *window, std::function<StickyWidget *()> newNote);

    // Takes the key the settings name; `report`: tells the user when it
    // cannot be had.
    void apply(bool report = true);
    // Lets go of the key (while the options window edits it).
    void release();

private:
    void makeNote();

    QWidget *m_window;
    std::function<StickyWidget *()> m_newNote;
    GlobalShortcut *m_shortcut = nullptr; // made at the first apply()
};
