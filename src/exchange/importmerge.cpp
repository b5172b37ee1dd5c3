#include "exchange/importmerge.h"

#include "notes/noteplacement.h"

#include <QMultiHash>
#include <QSet>
#include <QTextDocument>

#include <optional>

namespace ImportMerge {

namespace {

// The notes seen so far by creation second. The texts are parsed only for
// notes whose second is shared and whose HTML differs, as parsing is what
// costs: a thousand foreign notes need none, one's own export hardly any.
class Known
{
public:
    bool contains(const NoteRecord &record)
    {
        const auto range = m_bySecond.equal_range(record.creationDate.toSecsSinceEpoch());
        std::optional<QString> text;
        for (auto it = range.first; it != range.second; ++it) {
            Entry &entry = it.value();
            if (entry.message == record.message)
                return true;
            if (!text)
                text = comparableText(record.message);
            if (!entry.text)
                entry.text = comparableText(entry.message);
            if (*entry.text == *text)
                return true;
        }
        return false;
    }

    void insert(const NoteRecord &record)
    {
        m_bySecond.insert(record.creationDate.toSecsSinceEpoch(), Entry{record.message, {}});
    }

private:
    struct Entry
    {
        QString message;
        std::optional<QString> text; // parsed when first needed
    };
    QMultiHash<qint64, Entry> m_bySecond;
};

// The area the note's corner lies in, else the one it overlaps most.
const QRect *areaHolding(const QRect &note, const QList<QRect> &screens)
{
    const QRect *best = nullptr;
    qint64 bestOverlap = 0;
    for (const QRect &screen : screens) {
        if (screen.contains(note.topLeft()))
            return &screen;
        const QRect overlap = screen & note;
        if (!overlap.isEmpty() && qint64(overlap.width()) * overlap.height() > bestOverlap) {
            bestOverlap = qint64(overlap.width()) * overlap.height();
            best = &screen;
        }
    }
    return best;
}

} // namespace

QString comparableText(const QString &message)
{
    QTextDocument document;
    document.setHtml(message);
    return document.toPlainText();
}

QList<bool> alreadyPresent(const QList<NoteRecord> &existing, const QList<NoteRecord> &incoming)
{
    Known known;
    for (const NoteRecord &record : existing)
        known.insert(record);
    QList<bool> present;
    present.reserve(incoming.size());
    for (const NoteRecord &record : incoming) {
        const bool found = known.contains(record);
        present.append(found);
        if (!found)
            known.insert(record);
    }
    return present;
}

QPoint freeCorner(const QRect &note, const QList<QPoint> &taken, const QList<QRect> &screens)
{
    const QSet<QPoint> corners(taken.cbegin(), taken.cend());
    QRect placed = note;
    // Every corner tried is distinct until the walk comes round again, so one
    // more try than there are taken corners finds a free one when the screen
    // has room for it; otherwise the walk ends where it is.
    for (qsizetype tries = 0; corners.contains(placed.topLeft()) && tries <= corners.size();
         ++tries) {
        QRect next = placed.translated(kStep, kStep);
        if (const QRect *home = areaHolding(placed, screens); home && !home->contains(next))
            next.moveTopLeft(home->topLeft());
        placed = next;
    }
    return placed.topLeft();
}

Outcome merge(const QList<NoteRecord> &existing, const QList<NoteRecord> &incoming,
              const QList<QRect> &screens)
{
    Outcome outcome;
    QList<QPoint> taken;
    taken.reserve(existing.size() + incoming.size());
    for (const NoteRecord &record : existing)
        taken.append(QPoint(record.x, record.y));
    const QList<bool> present = alreadyPresent(existing, incoming);
    for (qsizetype i = 0; i < incoming.size(); ++i) {
        if (present.at(i)) {
            ++outcome.alreadyPresent;
            continue;
        }
        NoteRecord record = incoming.at(i);
        // Placed where it will show: a note off every screen is brought onto
        // one first, as when it is created.
        QRect rect = NotePlacement::fitToScreens(
            QRect(record.x, record.y, record.width, record.height), screens);
        rect.moveTopLeft(freeCorner(rect, taken, screens));
        // The size is left to the note window, which fits it as it loads.
        record.x = rect.x();
        record.y = rect.y();
        taken.append(rect.topLeft());
        outcome.added.append(record);
    }
    return outcome;
}

} // namespace ImportMerge
