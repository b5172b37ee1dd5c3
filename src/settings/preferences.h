#pragma once

#include <QList>
#include <QString>
#include <QVariant>

// Every settings key of the program, with its type and factory default. The
// first-run bootstrap, the options window and every reader use this table.
namespace Preferences {

inline constexpr int kSoftwareVersion = 10700;
inline constexpr char kSoftwareNameValue[] = "NOTARELLA";

namespace Keys {
inline const QString SoftwareVersion = QStringLiteral("Program/SoftwareVersion");
inline const QString Product = QStringLiteral("Program/Product");
inline const QString SoftwareName = QStringLiteral("Program/SoftwareName");
inline const QString DisplayedAbout = QStringLiteral("Program/DisplayedAbout");
inline const QString DefaultUseFlagQtWindow = QStringLiteral("DefaultVariables/UseFlagQtWindow");
inline const QString UserUseFlagQtWindow = QStringLiteral("UserDefinedVariables/UseFlagQtWindow");
} // namespace Keys

// Names of the preferences; each exists under "DefaultVariables/" (factory
// value) and "UserDefinedVariables/" (the user's choice).
namespace Names {
inline const QString CloseWarning = QStringLiteral("CloseWarning");
inline const QString UseTaskBarByDefault = QStringLiteral("UseTaskBarByDefault");
inline const QString DateFormat = QStringLiteral("DateFormat");
inline const QString ReminderNoticePlaySound = QStringLiteral("ReminderNoticePlaySound");
inline const QString ReminderNoticeSoundFile = QStringLiteral("ReminderNoticeSoundFile");
inline const QString DefaultColor = QStringLiteral("DefaultColor");
inline const QString DefaultRGB = QStringLiteral("DefaultRGB");
inline const QString OneColor = QStringLiteral("OneColor");
inline const QString OneRGB = QStringLiteral("OneRGB");
inline const QString TwoColor = QStringLiteral("TwoColor");
inline const QString TwoRGB = QStringLiteral("TwoRGB");
inline const QString ThreeColor = QStringLiteral("ThreeColor");
inline const QString ThreeRGB = QStringLiteral("ThreeRGB");
inline const QString FourColor = QStringLiteral("FourColor");
inline const QString FourRGB = QStringLiteral("FourRGB");
inline const QString FiveColor = QStringLiteral("FiveColor");
inline const QString FiveRGB = QStringLiteral("FiveRGB");
inline const QString HideWarning = QStringLiteral("HideWarning");
inline const QString DeleteWarning = QStringLiteral("DeleteWarning");
inline const QString DefaultWidth = QStringLiteral("DefaultWidth");
inline const QString DefaultHeight = QStringLiteral("DefaultHeight");
// The folder through which the notes are kept in step with other computers;
// empty when they are not.
inline const QString SyncFolder = QStringLiteral("SyncFolder");
// Whether the user was told that this desktop does not let the program put
// notes back where they were (a Wayland session without XWayland).
inline const QString WindowPlacesExplained = QStringLiteral("WindowPlacesExplained");
// The key that makes a new note from any program, as the portable text of a
// key sequence ("Ctrl+Alt+N"); empty when switched off.
inline const QString GlobalShortcut = QStringLiteral("GlobalShortcut");
} // namespace Names

struct Preference
{
    QString name;
    QMetaType::Type type;
    QVariant factoryDefault;
};

// The general preferences, in the order the bootstrap writes them.
QList<Preference> generalPreferences();
// The colour presets and the note size and warning switches, in bootstrap order.
QList<Preference> presetPreferences();
// Both lists, general first.
QList<Preference> allPreferences();
// The table entry for `name` (matched without regard to case).
Preference preference(const QString &name);

QString defaultKey(const QString &name); // "DefaultVariables/<name>"
QString userKey(const QString &name);    // "UserDefinedVariables/<name>"

// The user's current choice, read afresh from the store.
bool userBool(const QString &name);
int userInt(const QString &name);
QString userString(const QString &name);

QString productText();

// Date formats longer than this are not a user's choice but damage: parsing
// one of a megabyte for every note made the start take minutes.
inline constexpr int kMaxDateFormatLength = 200;
// The user's date format for dates shown on notes; the factory default when
// the stored one is empty or longer than kMaxDateFormatLength.
QString dateFormat();

// The user's key for a new note from any program; the factory default while
// the user's settings predate it, empty when the user switched it off.
QString globalShortcut();

} // namespace Preferences
