// The merge rules, one row per situation: what the notes of this machine
// become and what is written when the folder holds another version.

#include "sync/syncmerge.h"
#include "sync/syncreconcile.h"

#include <QTest>

namespace {

// Three installations whose ids sort a < b < c.
QString installation(QChar letter)
{
    return QStringLiteral("%1-0000-4000-8000-000000000000").arg(QString(8, letter));
}

const QString kUuid = QStringLiteral("44444444-4444-4444-8444-444444444444");
const QDateTime kNow = QDateTime::fromSecsSinceEpoch(1800000000, Qt::UTC);

// "a1 b2" is the version with a's counter 1 and b's counter 2.
SyncVersion version(const QString &text)
{
    SyncVersion result;
    for (const QString &part : text.split(u' ', Qt::SkipEmptyParts)) {
        const QChar letter = part.at(0) == u'a' ? u'1' : part.at(0) == u'b' ? u'2' : u'3';
        result = result.changedBy(installation(letter), part.mid(1).toULongLong());
    }
    return result;
}

NoteRecord record(const QString &text)
{
    NoteRecord record;
    record.visible = true;
    record.colorRGB = QStringLiteral("#FFFF99");
    record.creationDate = QDateTime::fromSecsSinceEpoch(1700000000, Qt::UTC);
    record.message = QStringLiteral("<p>%1</p>").arg(text);
    record.width = 200;
    record.height = 150;
    return record;
}

// "text@a1 b2", "deleted@a3" or "deleted-<days>@a3": a note's version.
std::optional<SyncNote> note(const QString &described)
{
    if (described.isEmpty())
        return std::nullopt;
    const QString what = described.section(u'@', 0, 0);
    SyncNote note;
    note.uuid = kUuid;
    note.version = version(described.section(u'@', 1));
    note.machine = QStringLiteral("office");
    note.changed = kNow.addSecs(-3600);
    if (what.startsWith(QLatin1String("deleted")))
        note.deleted = kNow.addDays(-what.section(u'-', 1).toInt());
    else
        note.record = record(what);
    return note;
}

QString describe(const SyncLocalChange &change)
{
    static const char *const kinds[] = {"add", "update", "delete"};
    QString text = change.record.message;
    text.remove(QStringLiteral("<p>")).replace(QStringLiteral("</p>"), QStringLiteral(" "));
    return QLatin1String(kinds[int(change.kind)]) + u':' + text.trimmed();
}

} // namespace

class SyncMergeTest : public QObject
{
    Q_OBJECT
private slots:
    void rules_data();
    void rules();
    void mergingInAnyOrderGivesOneNote();
    void restoredNoteIsTheSameNote_data();
    void restoredNoteIsTheSameNote();
};

void SyncMergeTest::rules_data()
{
    QTest::addColumn<QString>("local");
    QTest::addColumn<QString>("inFolder");
    QTest::addColumn<QString>("conflictCopy");
    QTest::addColumn<QString>("changes");
    QTest::addColumn<bool>("written");
    QTest::addColumn<int>("conflicts");
    QTest::addColumn<int>("removals");

    const QString marked =
        QStringLiteral(" (changed on office at %1)")
            .arg(QLocale().toString(kNow.addSecs(-3600).toLocalTime(), QLocale::ShortFormat));
    // Local "" is no note here; a row's local note was synced as it is.
    QTest::newRow("newer revision in the folder is taken") << "one@a1"
                                                           << "two@a1 b2"
                                                           << ""
                                                           << "update:two" << false << 0 << 0;
    QTest::newRow("older version in the folder is replaced") << "two@a1 b2"
                                                             << "one@a1"
                                                             << ""
                                                             << "" << true << 0 << 0;
    QTest::newRow("same version leaves all as it is") << "one@a1 b2"
                                                      << "one@a1 b2"
                                                      << ""
                                                      << "" << false << 0 << 0;
    QTest::newRow("both changed, the higher counter stays the note")
        << "mine@a3"
        << "theirs@a1 b2"
        << ""
        << "add:theirs" + marked << true << 1 << 0;
    QTest::newRow("both changed, a tie goes to the higher installation")
        << "mine@a2"
        << "theirs@a1 b2"
        << ""
        << "update:theirs|add:mine" + marked << true << 1 << 0;
    QTest::newRow("both changed to the same text keeps one") << "same@a2"
                                                             << "same@a1 b2"
                                                             << ""
                                                             << "" << true << 0 << 0;
    QTest::newRow("a change newer than a deletion brings the note back")
        << "deleted-1@a2"
        << "changed@a1 b3"
        << ""
        << "add:changed" << true << 0 << 0;
    QTest::newRow("a deletion newer than a change keeps the text beside it")
        << "changed@a1 b2"
        << "deleted-0@a3"
        << ""
        << "delete:changed|add:changed" + marked << true << 1 << 0;
    QTest::newRow("a deletion of the version here deletes the note")
        << "one@a1"
        << "deleted-0@a1 b2"
        << ""
        << "delete:one" << false << 0 << 0;
    QTest::newRow("a conflict copy is merged and removed")
        << "one@a1"
        << "two@a1 b2"
        << "three@a1 c2"
        << "update:three|add:two" + marked << true << 1 << 1;
    QTest::newRow("a conflict copy already held is removed") << "two@a1 b2"
                                                             << "two@a1 b2"
                                                             << "one@a1"
                                                             << "" << false << 0 << 1;
    QTest::newRow("a conflict copy without its note is taken in") << ""
                                                                  << ""
                                                                  << "lost@b1"
                                                                  << "add:lost" << true << 0 << 1;
    QTest::newRow("a note new in the folder is added") << ""
                                                       << "new@b1"
                                                       << ""
                                                       << "add:new" << false << 0 << 0;
    QTest::newRow("a tombstone of 59 days is kept") << ""
                                                    << "deleted-59@b2"
                                                    << ""
                                                    << "" << false << 0 << 0;
    QTest::newRow("a tombstone of 60 days is kept") << ""
                                                    << "deleted-60@b2"
                                                    << ""
                                                    << "" << false << 0 << 0;
    QTest::newRow("a tombstone of 61 days is removed") << ""
                                                       << "deleted-61@b2"
                                                       << ""
                                                       << "" << false << 0 << 1;
    QTest::newRow("a note here the folder lacks is written") << "one@a1"
                                                             << ""
                                                             << ""
                                                             << "" << true << 0 << 0;
}

void SyncMergeTest::rules()
{
    QFETCH(QString, local);
    QFETCH(QString, inFolder);
    QFETCH(QString, conflictCopy);
    QFETCH(QString, changes);
    QFETCH(bool, written);
    QFETCH(int, conflicts);
    QFETCH(int, removals);

    SyncState state;
    state.installation = installation(u'1');
    QList<NoteRecord> notes;
    if (const auto here = note(local)) {
        SyncEntry entry;
        entry.uuid = kUuid;
        entry.version = here->version;
        entry.deleted = here->deleted;
        entry.machine = here->machine;
        entry.changed = here->changed;
        entry.syncedPlace = entry.fittedPlace = QRect(0, 0, 200, 150);
        if (!here->isDeleted()) {
            NoteRecord mine = here->record;
            mine.id = 7;
            notes.append(mine);
            entry.noteId = 7;
            entry.fingerprint = SyncReconcile::fingerprint(mine, entry.syncedPlace);
        }
        state.entries.insert(kUuid, entry);
        state.counter = here->version.highestCounter();
    }
    SyncFolderView folder;
    folder.reachable = true;
    if (const auto there = note(inFolder))
        folder.files.append({kUuid + QStringLiteral(".note"), kUuid, false, there});
    if (const auto copy = note(conflictCopy))
        folder.files.append({kUuid + QStringLiteral(".sync-conflict-20261208-010203-ABCDEFG.note"),
                             kUuid, true, copy});

    int uuids = 0;
    const SyncReconcile::Context context{kNow, QStringLiteral("home"), [&uuids] {
                                             return QStringLiteral("55555555-5555-4555-8555-%1")
                                                 .arg(++uuids, 12, 10, QLatin1Char('0'));
                                         }};
    const SyncPlan plan = SyncReconcile::run(state, notes, folder, context);
    QStringList described;
    for (const SyncLocalChange &change : plan.changes)
        described.append(describe(change));
    QCOMPARE(described.join(u'|'), changes);
    bool noteWritten = false;
    for (const SyncNote &write : plan.writes)
        noteWritten |= write.uuid == kUuid;
    QCOMPARE(noteWritten, written);
    QCOMPARE(plan.conflicts, conflicts);
    QCOMPARE(plan.removals.size(), removals);
    // Whatever the folder held, this machine's version now holds it.
    const auto there = note(inFolder);
    if (there && plan.state.entries.contains(kUuid))
        QVERIFY(plan.state.entries.value(kUuid).version.holds(there->version));
}

void SyncMergeTest::mergingInAnyOrderGivesOneNote()
{
    // Three versions made on three machines that saw none of the others.
    const QList<SyncNote> versions{*note("one@a2"), *note("two@a1 b2"), *note("three@a1 c2")};
    const QList<QList<int>> orders{{0, 1, 2}, {0, 2, 1}, {1, 0, 2},
                                   {1, 2, 0}, {2, 0, 1}, {2, 1, 0}};
    std::optional<SyncNote> first;
    QSet<QString> firstCopies;
    for (const QList<int> &order : orders) {
        SyncNote merged = versions.at(order.at(0));
        QSet<QString> copies;
        for (qsizetype i = 1; i < order.size(); ++i) {
            const SyncMerge::Outcome outcome = SyncMerge::merge(merged, versions.at(order.at(i)));
            merged = outcome.result;
            if (outcome.copy)
                copies.insert(outcome.copy->uuid);
        }
        if (!first) {
            first = merged;
            firstCopies = copies;
            continue;
        }
        QCOMPARE(merged, *first);
        QCOMPARE(copies, firstCopies);
    }
    QCOMPARE(first->record.message, QStringLiteral("<p>three</p>"));
    QCOMPARE(firstCopies.size(), 2);
}

void SyncMergeTest::restoredNoteIsTheSameNote_data()
{
    QTest::addColumn<QPoint>("restoredAt");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("same");
    // The note came from the folder at 500,400 and was fitted to 100,80 here.
    QTest::newRow("at its fitted place") << QPoint(100, 80) << "one" << true;
    QTest::newRow("at its synced place") << QPoint(500, 400) << "one" << true;
    QTest::newRow("elsewhere") << QPoint(300, 300) << "one" << false;
    QTest::newRow("another text") << QPoint(100, 80) << "two" << false;
}

void SyncMergeTest::restoredNoteIsTheSameNote()
{
    QFETCH(QPoint, restoredAt);
    QFETCH(QString, text);
    QFETCH(bool, same);
    SyncState state;
    state.installation = installation(u'1');
    SyncEntry entry;
    entry.uuid = kUuid;
    entry.version = version(QStringLiteral("a1 b2"));
    entry.noteId = 7;
    entry.syncedPlace = QRect(500, 400, 200, 150);
    NoteRecord taken = record(QStringLiteral("one"));
    taken.id = 7;
    taken.x = 500;
    taken.y = 400;
    state.entries.insert(kUuid, entry);
    NoteRecord fitted = taken;
    fitted.x = 100;
    fitted.y = 80;
    SyncReconcile::noteApplied(state, kUuid, fitted);
    const SyncReconcile::Context context{
        kNow, QStringLiteral("home"),
        [] { return QStringLiteral("55555555-5555-4555-8555-000000000001"); }};
    // Deleted here, then restored from the trash.
    SyncState deleted = SyncReconcile::run(state, {}, SyncFolderView(), context).state;
    QVERIFY(deleted.entries.value(kUuid).isDeleted());
    NoteRecord restored = record(text);
    restored.id = 12;
    restored.x = restoredAt.x();
    restored.y = restoredAt.y();
    const SyncPlan plan = SyncReconcile::run(deleted, {restored}, SyncFolderView(), context);
    const SyncEntry *now = plan.state.entryOfNote(12);
    QVERIFY(now);
    QCOMPARE(now->uuid == kUuid, same);
    if (same)
        QVERIFY(now->version.holds(deleted.entries.value(kUuid).version));
}

QTEST_GUILESS_MAIN(SyncMergeTest)
#include "tst_syncmerge.moc"
