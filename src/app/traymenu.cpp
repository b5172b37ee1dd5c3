#include "app/traymenu.h"

#include "widgets/colorpresets.h"

#include <QAction>
#include <QMenu>

TrayMenu::TrayMenu(QObject *owner) : QObject(owner), m_menu(std::make_unique<QMenu>())
{
    QMenu *menu = m_menu.get();
    m_presetActions = ColorPresets::addEntries(menu);
    for (int preset = 0; preset < ColorPresets::kCount; ++preset) {
        connect(m_presetActions.at(preset), &QAction::triggered, this,
                [this, preset] { emit newNoteRequested(preset); });
    }
    menu->addSeparator();
    m_raiseVisibleAction = menu->addAction(QString());
    m_activateAllAction = menu->addAction(QString());
    menu->addSeparator();
    m_controlPanelAction = menu->addAction(QString());
    menu->addSeparator();
    // Owned here rather than by the menu: the Notes menu shows it too.
    m_exitAction = new QAction(this);
    m_exitAction->setObjectName(QStringLiteral("exitAction"));
    menu->addAction(m_exitAction);

    connect(m_raiseVisibleAction, &QAction::triggered, this, &TrayMenu::raiseVisibleRequested);
    connect(m_activateAllAction, &QAction::triggered, this, &TrayMenu::activateAllRequested);
    connect(m_controlPanelAction, &QAction::triggered, this, &TrayMenu::controlPanelRequested);
    connect(m_exitAction, &QAction::triggered, this, &TrayMenu::exitRequested);
    retranslate();
}

TrayMenu::~TrayMenu() = default;

void TrayMenu::retranslate()
{
    for (int preset = 0; preset < ColorPresets::kCount; ++preset)
        ColorPresets::showOn(m_presetActions.at(preset), preset);
    m_raiseVisibleAction->setText(tr("Raise &Visible Stickies"));
    m_activateAllAction->setText(tr("Activate &All Stickies "));
    m_controlPanelAction->setText(tr("Sticky Control &Panel"));
    m_exitAction->setText(tr("E&xit"));
}
