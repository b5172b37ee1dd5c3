#include "widgets/optionsvalues.h"

#include "platform/nativesettings.h"
#include "settings/preferences.h"
#include "widgets/autorunmanager.h"

namespace {
using namespace Preferences;

struct ColourKeys
{
    const QString &name;
    const QString &rgb;
};

const std::array<ColourKeys, OptionsValues::kColourCount> &colourKeys()
{
    static const std::array<ColourKeys, OptionsValues::kColourCount> keys = {{
        {Names::DefaultColor, Names::DefaultRGB},
        {Names::OneColor, Names::OneRGB},
        {Names::TwoColor, Names::TwoRGB},
        {Names::ThreeColor, Names::ThreeRGB},
        {Names::FourColor, Names::FourRGB},
        {Names::FiveColor, Names::FiveRGB},
    }};
    return keys;
}

// Reads every value from one group ("UserDefinedVariables" or
// "DefaultVariables"); `key` turns a preference name into its key there.
OptionsValues read(QString (*key)(const QString &))
{
    OptionsValues values;
    for (int i = 0; i < OptionsValues::kColourCount; ++i) {
        values.colours[i] = {NativeSettings::stringValue(key(colourKeys()[i].name)),
                             NativeSettings::stringValue(key(colourKeys()[i].rgb))};
    }
    values.hideWarning = NativeSettings::boolValue(key(Names::HideWarning));
    values.deleteWarning = NativeSettings::boolValue(key(Names::DeleteWarning));
    values.closeWarning = NativeSettings::boolValue(key(Names::CloseWarning));
    values.playSound = NativeSettings::boolValue(key(Names::ReminderNoticePlaySound));
    values.soundFile = NativeSettings::stringValue(key(Names::ReminderNoticeSoundFile));
    values.widthText = NativeSettings::stringValue(key(Names::DefaultWidth));
    values.heightText = NativeSettings::stringValue(key(Names::DefaultHeight));
    values.dateFormat = NativeSettings::stringValue(key(Names::DateFormat));
    values.useTaskBar = NativeSettings::boolValue(key(Names::UseTaskBarByDefault));
    values.syncFolder = NativeSettings::stringValue(key(Names::SyncFolder));
    return values;
}

} // namespace

OptionsValues OptionsValues::fromUserSettings()
{
    OptionsValues values = read(&userKey);
    values.autoRun = AutoRunManager().isAutoRunEnabled();
    values.globalShortcut = Preferences::globalShortcut();
    return values;
}

OptionsValues OptionsValues::factoryDefaults()
{
    OptionsValues values = read(&defaultKey);
    values.autoRun = true;
    values.globalShortcut = preference(Names::GlobalShortcut).factoryDefault.toString();
    return values;
}

bool OptionsValues::isValidSize(const QString &text)
{
    const int size = text.trimmed().toInt(); // empty or unreadable: 0
    return size >= kMinimumSize && size <= kMaximumSize;
}

bool OptionsValues::sizesAreValid() const
{
    return isValidSize(widthText) && isValidSize(heightText);
}

bool OptionsValues::save() const
{
    for (int i = 0; i < kColourCount; ++i) {
        NativeSettings::setValue(userKey(colourKeys()[i].name), colours[i].name);
        NativeSettings::setValue(userKey(colourKeys()[i].rgb), colours[i].rgb);
    }
    NativeSettings::setValue(userKey(Names::HideWarning), hideWarning);
    NativeSettings::setValue(userKey(Names::DeleteWarning), deleteWarning);
    NativeSettings::setValue(userKey(Names::CloseWarning), closeWarning);
    NativeSettings::setValue(userKey(Names::ReminderNoticePlaySound), playSound);
    NativeSettings::setValue(userKey(Names::ReminderNoticeSoundFile), soundFile);
    NativeSettings::setValue(userKey(Names::DefaultWidth), widthText.trimmed().toInt());
    NativeSettings::setValue(userKey(Names::DefaultHeight), heightText.trimmed().toInt());
    NativeSettings::setValue(userKey(Names::DateFormat), dateFormat);
    NativeSettings::setValue(userKey(Names::UseTaskBarByDefault), useTaskBar);
    NativeSettings::setValue(userKey(Names::SyncFolder), syncFolder);
    NativeSettings::setValue(userKey(Names::GlobalShortcut), globalShortcut);
    AutoRunManager autoRunManager;
    autoRunManager.enableAutoRun(autoRun);
    return autoRunManager.isAutoRunEnabled() == autoRun;
}
