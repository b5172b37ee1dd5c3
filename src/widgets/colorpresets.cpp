#include "widgets/colorpresets.h"

#include "settings/preferences.h"
#include "ui/colorswatch.h"

#include <QAction>
#include <QMenu>

namespace {

const ColorPresets::Keys kPresets[ColorPresets::kCount] = {
    {Preferences::Names::DefaultColor, Preferences::Names::DefaultRGB},
    {Preferences::Names::OneColor, Preferences::Names::OneRGB},
    {Preferences::Names::TwoColor, Preferences::Names::TwoRGB},
    {Preferences::Names::ThreeColor, Preferences::Names::ThreeRGB},
    {Preferences::Names::FourColor, Preferences::Names::FourRGB},
    {Preferences::Names::FiveColor, Preferences::Names::FiveRGB},
};

} // namespace

ColorPresets::Keys ColorPresets::keys(int preset)
{
    Q_ASSERT(preset >= 0 && preset < kCount);
    return kPresets[preset];
}

QString ColorPresets::colorName(int preset)
{
    return Preferences::userString(keys(preset).colorName);
}

QString ColorPresets::rgb(int preset)
{
    return Preferences::userString(keys(preset).rgb);
}

QString ColorPresets::menuText(int preset, const QString &colorName)
{
    // A name the user gave a colour must not turn its next letter into a
    // shortcut.
    QString shown = colorName;
    shown.replace(QLatin1Char('&'), QLatin1String("&&"));
    if (preset == kDefault)
        return tr("%1 (%2)").arg(tr("&Default Sticky"), shown);
    return tr("&%1 - %2 %3").arg(QString::number(preset), shown, tr("Sticky"));
}

void ColorPresets::showOn(QAction *action, int preset)
{
    action->setText(menuText(preset, colorName(preset)));
    action->setIcon(ColorSwatch::pixmap(rgb(preset)));
}

QList<QAction *> ColorPresets::addEntries(QMenu *menu)
{
    QList<QAction *> entries;
    for (int preset = 0; preset < kCount; ++preset) {
        entries.append(menu->addAction(QString()));
        showOn(entries.constLast(), preset);
        if (preset == kDefault)
            menu->addSeparator();
    }
    return entries;
}
