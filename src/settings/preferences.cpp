#include "settings/preferences.h"

#include "base/apppaths.h"
#include "platform/nativesettings.h"

#include <QCoreApplication>

namespace Preferences {
namespace {
QString colourName(const char *name)
{
    // Colour display names are stored translated.
    return QCoreApplication::translate("MainWindow", name);
}
} // namespace

QList<Preference> generalPreferences()
{
    return {
        {Names::CloseWarning, QMetaType::Bool, true},
        {Names::UseTaskBarByDefault, QMetaType::Bool, false},
        {Names::DateFormat, QMetaType::QString, QStringLiteral("d MMM yyyy h:mm AP")},
        {Names::ReminderNoticePlaySound, QMetaType::Bool, true},
        {Names::ReminderNoticeSoundFile, QMetaType::QString,
         QStringLiteral("%1/audio/notice.wav").arg(AppPaths::dataFilesDirectory())},
        {Names::SyncFolder, QMetaType::QString, QString()},
        {Names::WindowPlacesExplained, QMetaType::Bool, false},
        {Names::GlobalShortcut, QMetaType::QString, QStringLiteral("Ctrl+Alt+N")},
    };
}

QList<Preference> presetPreferences()
{
    return {
        {Names::DefaultColor, QMetaType::QString,
         colourName(QT_TRANSLATE_NOOP("MainWindow", "Yellow"))},
        {Names::DefaultRGB, QMetaType::QString, QStringLiteral("#FFFF00")},
        {Names::OneColor, QMetaType::QString,
         colourName(QT_TRANSLATE_NOOP("MainWindow", "Light Blue"))},
        {Names::OneRGB, QMetaType::QString, QStringLiteral("#ADD8E6")},
        {Names::TwoColor, QMetaType::QString,
         colourName(QT_TRANSLATE_NOOP("MainWindow", "Light Green"))},
        {Names::TwoRGB, QMetaType::QString, QStringLiteral("#90EE90")},
        {Names::ThreeColor, QMetaType::QString,
         colourName(QT_TRANSLATE_NOOP("MainWindow", "Light Orange"))},
        {Names::ThreeRGB, QMetaType::QString, QStringLiteral("#FFA500")},
        {Names::FourColor, QMetaType::QString, colourName(QT_TRANSLATE_NOOP("MainWindow", "Pink"))},
        {Names::FourRGB, QMetaType::QString, QStringLiteral("#FFC0CB")},
        {Names::FiveColor, QMetaType::QString,
         colourName(QT_TRANSLATE_NOOP("MainWindow", "Yellow"))},
        {Names::FiveRGB, QMetaType::QString, QStringLiteral("#FFFF00")},
        {Names::HideWarning, QMetaType::Bool, true},
        {Names::DeleteWarning, QMetaType::Bool, true},
        {Names::DefaultWidth, QMetaType::Int, 210},
        {Names::DefaultHeight, QMetaType::Int, 150},
    };
}

QList<Preference> allPreferences()
{
    return generalPreferences() + presetPreferences();
}

Preference preference(const QString &name)
{
    const QList<Preference> all = allPreferences();
    for (const Preference &entry : all) {
        if (entry.name.compare(name, Qt::CaseInsensitive) == 0)
            return entry;
    }
    return {name, QMetaType::UnknownType, QVariant()};
}

QString defaultKey(const QString &name)
{
    return QStringLiteral("DefaultVariables/") + name;
}

QString userKey(const QString &name)
{
    return QStringLiteral("UserDefinedVariables/") + name;
}

bool userBool(const QString &name)
{
    return NativeSettings::boolValue(userKey(name));
}

int userInt(const QString &name)
{
    return NativeSettings::intValue(userKey(name));
}

QString userString(const QString &name)
{
    return NativeSettings::stringValue(userKey(name));
}

QString dateFormat()
{
    const QString format = userString(Names::DateFormat);
    if (format.isEmpty() || format.size() > kMaxDateFormatLength)
        return preference(Names::DateFormat).factoryDefault.toString();
    return format;
}

QString globalShortcut()
{
    if (!NativeSettings::contains(userKey(Names::GlobalShortcut)))
        return preference(Names::GlobalShortcut).factoryDefault.toString();
    return userString(Names::GlobalShortcut);
}

QString productText()
{
    return QStringLiteral("Notarella 1.7.0");
}

} // namespace Preferences
