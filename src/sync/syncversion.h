#pragma once

#include <QMap>
#include <QString>

#include <optional>

// Which changes a version of a synced note holds: for every installation of
// the program that changed the note, the counter of its latest change. A
// counter is above every counter its installation has seen, so the order of
// versions never depends on a machine's clock.
//
// One version holds another when it has every change of the other (its
// counters are all at least as high); two versions of which neither holds
// the other were made on two machines that had not seen each other's change.
// Of two versions the newer is the one with the higher revision: the highest
// counter, then the installation's id as the tie-breaker.
class SyncVersion
{
public:
    struct Revision
    {
        quint64 counter = 0;
        QString installation;

        bool operator<(const Revision &other) const
        {
            return counter != other.counter ? counter < other.counter
                                            : installation < other.installation;
        }
        bool operator==(const Revision &other) const = default;
    };

    // The most installations one version may name, and the highest counter:
    // limits on what a file from the folder may hold.
    static constexpr int kMaxInstallations = 1000;
    static constexpr quint64 kMaxCounter = quint64(1) << 53;

    bool isEmpty() const { return m_counters.isEmpty(); }
    // The version after a change made by `installation` with `counter`.
    SyncVersion changedBy(const QString &installation, quint64 counter) const;
    // The version holding the changes of both.
    SyncVersion mergedWith(const SyncVersion &other) const;
    // Whether this version holds every change of `other`.
    bool holds(const SyncVersion &other) const;
    // Whether neither holds the other.
    bool isConcurrentWith(const SyncVersion &other) const;
    Revision revision() const;
    quint64 highestCounter() const { return revision().counter; }
    const QMap<QString, quint64> &counters() const { return m_counters; }

    // "<installation>=<counter>" entries joined by commas, in the order of
    // the installations; fromText() reads it back, nothing for text that is
    // not such a list (or breaks the limits above).
    QString toText() const;
    static std::optional<SyncVersion> fromText(QStringView text);

    bool operator==(const SyncVersion &other) const = default;

private:
    QMap<QString, quint64> m_counters;
};
