#include "platform/nativesettings.h"

#include <QSettings>

namespace NativeSettings {
namespace {

QSettings openStore()
{
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, kOrganization, kApplication);
}

// The stored spelling of `key`: an existing key that differs only in case,
// otherwise `key` with its group spelled as an existing group is.
QString storedKey(const QSettings &store, const QString &key)
{
    if (store.contains(key)) // the usual case: spelled as stored
        return key;
    const QStringList keys = store.allKeys();
    for (const QString &candidate : keys) {
        if (candidate.compare(key, Qt::CaseInsensitive) == 0)
            return candidate;
    }
    const qsizetype slash = key.lastIndexOf(QLatin1Char('/'));
    if (slash <= 0)
        return key;
    const QString group = key.left(slash + 1);
    for (const QString &candidate : keys) {
        if (candidate.startsWith(group, Qt::CaseInsensitive))
            return candidate.left(slash + 1) + key.mid(slash + 1);
    }
    return key;
}

} // namespace

QVariant value(const QString &key, const QVariant &fallback)
{
    const QSettings store = openStore();
    return store.value(storedKey(store, key), fallback);
}

bool boolValue(const QString &key)
{
    return value(key, false).toBool();
}

int intValue(const QString &key)
{
    return value(key, 0).toInt();
}

QString stringValue(const QString &key)
{
    return value(key, QString()).toString();
}

bool contains(const QString &key)
{
    const QSettings store = openStore();
    return store.contains(storedKey(store, key));
}

bool setValue(const QString &key, const QVariant &newValue)
{
    QSettings store = openStore();
    store.setValue(storedKey(store, key), newValue);
    store.sync();
    // A format error found while reading the old file is no failure of this write.
    return store.status() != QSettings::AccessError;
}

bool remove(const QString &key)
{
    QSettings store = openStore();
    store.remove(key.isEmpty() ? key : storedKey(store, key));
    store.sync();
    // A format error found while reading the old file is no failure of this write.
    return store.status() != QSettings::AccessError;
}

QStringList allKeys()
{
    return openStore().allKeys();
}

QString fileName()
{
    return openStore().fileName();
}

} // namespace NativeSettings
