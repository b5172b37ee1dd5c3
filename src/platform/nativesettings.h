#pragma once

#include <QString>
#include <QVariant>

// The per-user native settings store of the program ("Varnholt"/"Notarella").
// Every call opens the store afresh, so nothing is cached between calls and
// another process's writes are seen at once. Keys match without regard to
// letter case: "UserDefinedVariables/ReminderNoticeSoundFile" and
// "userdefinedvariables/reminderNoticeSoundFile" name the same value, and a
// write keeps the spelling under which the key was first stored.
namespace NativeSettings {

inline constexpr char kOrganization[] = "Varnholt";
inline constexpr char kApplication[] = "Notarella";

QVariant value(const QString &key, const QVariant &fallback = QVariant());
bool boolValue(const QString &key); // missing: false
int intValue(const QString &key);   // missing or malformed: 0
QString stringValue(const QString &key);
bool contains(const QString &key);
// Both return false when the store could not be written (a read-only or
// damaged settings file).
bool setValue(const QString &key, const QVariant &value);
// Removes the key, or with an empty key every key of the program.
bool remove(const QString &key);
QStringList allKeys();
// The file behind the store, for tests and diagnostics.
QString fileName();

} // namespace NativeSettings
