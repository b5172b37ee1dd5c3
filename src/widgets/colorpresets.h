#pragma once

#include <QCoreApplication>
#include <QList>
#include <QPixmap>
#include <QString>

class QAction;
class QMenu;

// The colours a note is made in or changed to from a menu: the default one
// and five numbered ones, each a name and a colour the options window sets.
// The tray menu, a note's colour menu and the note list's colour menu show
// them alike.
class ColorPresets
{
    Q_DECLARE_TR_FUNCTIONS(ColorPresets)
public:
    // Presets are numbered in menu order: the default one, then 1 to 5.
    static constexpr int kDefault = 0;
    static constexpr int kCount = 6;

    // The settings names (Preferences::Names) that hold a preset.
    struct Keys
    {
        const QString &colorName;
        const QString &rgb;
    };
    static Keys keys(int preset);

    // The preset as the settings hold it now.
    static QString colorName(int preset);
    static QString rgb(int preset);

    // The menu entry of `preset` named `colorName`: "&Default Sticky (Yellow)",
    // "&1 - Light Blue Sticky". An ampersand in the name stays an ampersand.
    static QString menuText(int preset, const QString &colorName);
    // Text and swatch of the settings' `preset` put on `action`.
    static void showOn(QAction *action, int preset);
    // Adds the default preset, a separator and the five numbered ones to
    // `menu`; the presets' entries in preset order.
    static QList<QAction *> addEntries(QMenu *menu);
};
