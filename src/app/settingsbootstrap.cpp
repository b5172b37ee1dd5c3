#include "app/settingsbootstrap.h"

#include "base/tracing.h"
#include "platform/nativesettings.h"
#include "settings/preferences.h"
#include "widgets/autorunmanager.h"

namespace SettingsBootstrap {
namespace {

// The key through which the first-run copy reads a factory default. The two
// reminder-notice values are read in their lower-camel form, which reaches
// the same value because keys match without regard to case.
QString copySourceKey(const QString &name)
{
    using namespace Preferences;
    if (name == Names::ReminderNoticePlaySound || name == Names::ReminderNoticeSoundFile) {
        QString lowerCamel = name;
        lowerCamel[0] = lowerCamel[0].toLower();
        return defaultKey(lowerCamel);
    }
    return defaultKey(name);
}

void writeDefaultsAndCopy(const QList<Preferences::Preference> &preferences)
{
    for (const Preferences::Preference &entry : preferences)
        NativeSettings::setValue(Preferences::defaultKey(entry.name), entry.factoryDefault);
    for (const Preferences::Preference &entry : preferences)
        NativeSettings::setValue(Preferences::userKey(entry.name),
                                 NativeSettings::value(copySourceKey(entry.name)));
}

} // namespace

bool runFirstRunIfNeeded()
{
    using namespace Preferences;
    if (NativeSettings::contains(Keys::SoftwareVersion))
        return false;

    AutoRunManager().enableAutoRun(true);
    NativeSettings::remove(QString());
    NativeSettings::setValue(Keys::Product, productText());
    NativeSettings::setValue(Keys::SoftwareName, QString::fromLatin1(kSoftwareNameValue));
    NativeSettings::setValue(Keys::SoftwareVersion, kSoftwareVersion);
    writeDefaultsAndCopy(generalPreferences());
    writeDefaultsAndCopy(presetPreferences());
    return true;
}

Migration migrateVersion()
{
    using namespace Preferences;
    const int storedVersion = NativeSettings::intValue(Keys::SoftwareVersion);
    qCDebug(lcApp) << "Registry Version Check - Product:"
                   << NativeSettings::stringValue(Keys::Product);
    qCDebug(lcApp) << "Registry Version Check - SoftwareName:"
                   << NativeSettings::stringValue(Keys::SoftwareName);
    qCDebug(lcApp) << "Registry Version Check - SoftwareVersion:" << storedVersion;
    if (storedVersion == kSoftwareVersion)
        return Migration::Current;

    if (storedVersion < 10600) {
        qCDebug(lcApp) << "VERSION CHANGE: removing registry values";
        NativeSettings::remove(Keys::DefaultUseFlagQtWindow);
        NativeSettings::remove(Keys::UserUseFlagQtWindow);
    }
    if (!NativeSettings::setValue(Keys::SoftwareVersion, kSoftwareVersion) ||
        NativeSettings::intValue(Keys::SoftwareVersion) != kSoftwareVersion) {
        qCWarning(lcApp) << "VERSION CHANGE: the settings store cannot be written:"
                         << NativeSettings::fileName();
        return Migration::NotWritable;
    }
    NativeSettings::setValue(Keys::Product, productText());
    AutoRunManager().enableAutoRun(true);
    return Migration::Migrated;
}

} // namespace SettingsBootstrap
