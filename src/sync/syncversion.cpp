#include "sync/syncversion.h"

#include <QUuid>

SyncVersion SyncVersion::changedBy(const QString &installation, quint64 counter) const
{
    SyncVersion changed = *this;
    changed.m_counters.insert(installation, counter);
    return changed;
}

SyncVersion SyncVersion::mergedWith(const SyncVersion &other) const
{
    SyncVersion merged = *this;
    for (auto it = other.m_counters.cbegin(); it != other.m_counters.cend(); ++it) {
        quint64 &counter = merged.m_counters[it.key()];
        counter = std::max(counter, it.value());
    }
    return merged;
}

bool SyncVersion::holds(const SyncVersion &other) const
{
    for (auto it = other.m_counters.cbegin(); it != other.m_counters.cend(); ++it) {
        if (m_counters.value(it.key(), 0) < it.value())
            return false;
    }
    return true;
}

bool SyncVersion::isConcurrentWith(const SyncVersion &other) const
{
    return !holds(other) && !other.holds(*this);
}

SyncVersion::Revision SyncVersion::revision() const
{
    Revision highest;
    for (auto it = m_counters.cbegin(); it != m_counters.cend(); ++it) {
        const Revision candidate{it.value(), it.key()};
        if (highest < candidate)
            highest = candidate;
    }
    return highest;
}

QString SyncVersion::toText() const
{
    QString text;
    for (auto it = m_counters.cbegin(); it != m_counters.cend(); ++it) {
        if (!text.isEmpty())
            text += QLatin1Char(',');
        text += it.key() + QLatin1Char('=') + QString::number(it.value());
    }
    return text;
}

std::optional<SyncVersion> SyncVersion::fromText(QStringView text)
{
    SyncVersion version;
    if (text.trimmed().isEmpty())
        return std::nullopt;
    const auto entries = text.split(QLatin1Char(','));
    if (entries.size() > kMaxInstallations)
        return std::nullopt;
    for (QStringView entry : entries) {
        const qsizetype equals = entry.indexOf(QLatin1Char('='));
        if (equals <= 0)
            return std::nullopt;
        const QString installation = entry.left(equals).trimmed().toString();
        bool ok = false;
        const quint64 counter = entry.mid(equals + 1).trimmed().toULongLong(&ok);
        // Installations are named by their id without braces; nothing else
        // may enter a file name or a merge.
        if (!ok || counter == 0 || counter > kMaxCounter ||
            QUuid::fromString(installation).isNull() || installation.startsWith(QLatin1Char('{')) ||
            version.m_counters.contains(installation))
            return std::nullopt;
        version.m_counters.insert(installation, counter);
    }
    return version;
}
