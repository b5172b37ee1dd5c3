#pragma once

class QApplication;
class QWidget;

// Keeps the program's dialogs above its always-on-top notes. A dialog (a
// message box, a chooser, the options, the reminder dialogs, the editor...)
// shown while a window of the program stays on top gets the stays-on-top
// hint itself, so the window manager stacks it in the same layer, above those
// notes as the newest window; it gives the hint up when it closes. Dialogs
// opened while no note stays on top stay ordinary windows that other
// programs may cover.
namespace DialogStacking {

// Watches every dialog `application` shows from now on. Once per application;
// further calls change nothing.
void install(QApplication &application);

// True when a shown top-level window other than `except` stays on top.
bool anyWindowStaysOnTop(const QWidget *except);

} // namespace DialogStacking
