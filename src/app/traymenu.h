#pragma once

#include <QList>
#include <QObject>

#include <memory>

class QAction;
class QMenu;

// The menu of the tray icon: a new note in each colour preset, raising or
// showing the notes, the control panel and leaving the program. It carries
// out nothing itself: each entry asks its owner by a signal.
class TrayMenu : public QObject
{
    Q_OBJECT
public:
    explicit TrayMenu(QObject *owner);
    ~TrayMenu() override;

    QMenu *menu() const { return m_menu.get(); }
    // "Exit" is also in the control panel's Notes menu.
    QAction *exitAction() const { return m_exitAction; }

    // Texts and swatches as the language and the colour presets are now.
    void retranslate();

signals:
    // `preset` as ColorPresets numbers them.
    void newNoteRequested(int preset);
    void raiseVisibleRequested();
    void activateAllRequested();
    void controlPanelRequested();
    void exitRequested();

private:
    std::unique_ptr<QMenu> m_menu; // a pop-up has no parent window
    QList<QAction *> m_presetActions;
    QAction *m_raiseVisibleAction = nullptr;
    QAction *m_activateAllAction = nullptr;
    QAction *m_controlPanelAction = nullptr;
    QAction *m_exitAction = nullptr;
};
