// The note book's commands: the signals each one sends, the record the next
// save writes, and the one rule for new ids.

#include "model/notebook.h"

#include <QSignalSpy>
#include <QTest>

namespace {

Note note(int id, const QString &text)
{
    Note note;
    note.id = id;
    note.colorRGB = QStringLiteral("#FFFF00");
    note.colorName = QStringLiteral("Yellow");
    note.creationDate = QDateTime::fromSecsSinceEpoch(1700000000);
    note.place = QRect(10, 20, 200, 150);
    note.message = text;
    return note;
}

NoteRecord recordOf(int id, const QString &text)
{
    return note(id, text).record();
}

// What the book announced, in order: "+3", "~3:Text|Color", "-3", "reset".
struct Announcements
{
    explicit Announcements(NoteBook &book)
    {
        QObject::connect(&book, &NoteBook::noteAdded, &book,
                         [this](int id) { seen << QStringLiteral("+%1").arg(id); });
        QObject::connect(&book, &NoteBook::noteChanged, &book, [this](int id, NoteFields fields) {
            seen << QStringLiteral("~%1:%2").arg(id).arg(fields.toInt());
        });
        QObject::connect(&book, &NoteBook::noteRemoved, &book,
                         [this](const Note &gone) { seen << QStringLiteral("-%1").arg(gone.id); });
        QObject::connect(&book, &NoteBook::reset, &book,
                         [this] { seen << QStringLiteral("reset"); });
    }
    QStringList seen;
};

QString field(NoteFields fields)
{
    return QString::number(fields.toInt());
}

} // namespace

class TestNoteBook : public QObject
{
    Q_OBJECT
private slots:
    void commandsAnnounceWhatTheyChanged_data();
    void commandsAnnounceWhatTheyChanged();
    void newIdsFollowOneRule_data();
    void newIdsFollowOneRule();
    void typedTextIsReadOnceWhenNeeded();
    void batchIsMarkedAndKeepsOrder();
    void recordRoundTripKeepsEveryStoredField();
};

// Each row starts from the notes 1 "one" and 2 "two" and runs one command.
void TestNoteBook::commandsAnnounceWhatTheyChanged_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QStringList>("announced");
    QTest::addColumn<QStringList>("savedTexts");
    QTest::addColumn<QList<int>>("savedIds");

    const QStringList both{QStringLiteral("one"), QStringLiteral("two")};
    QTest::newRow("add") << "add" << QStringList{"+3"} << QStringList{"one", "two", "new"}
                         << QList<int>{1, 2, 3};
    QTest::newRow("recolour") << "color" << QStringList{"~2:" + field(NoteField::Color)} << both
                              << QList<int>{1, 2};
    QTest::newRow("same colour again") << "samecolor" << QStringList{} << both << QList<int>{1, 2};
    QTest::newRow("text and lock in one")
        << "textlock" << QStringList{"~1:" + field(NoteField::Text | NoteField::Locked)}
        << QStringList{"changed", "two"} << QList<int>{1, 2};
    QTest::newRow("change limited to its fields")
        << "textonlyasked" << QStringList{} << both << QList<int>{1, 2};
    QTest::newRow("remove the first")
        << "remove" << QStringList{"-1"} << QStringList{"two"} << QList<int>{2};
    QTest::newRow("remove a note not there")
        << "removemissing" << QStringList{} << both << QList<int>{1, 2};
    QTest::newRow("restore keeps a free id") << "restorefree" << QStringList{"-1", "+1"}
                                             << QStringList{"two", "one"} << QList<int>{2, 1};
    QTest::newRow("restore over a taken id")
        << "restoretaken" << QStringList{"+3"} << QStringList{"one", "two", "back"}
        << QList<int>{1, 2, 3};
    QTest::newRow("load") << "load" << QStringList{"reset"} << QStringList{"x", "y"}
                          << QList<int>{7, 8};
}

void TestNoteBook::commandsAnnounceWhatTheyChanged()
{
    QFETCH(QString, command);
    NoteBook book;
    book.load({recordOf(1, QStringLiteral("one")), recordOf(2, QStringLiteral("two"))});
    Announcements announcements(book);
    if (command == QLatin1String("add")) {
        QCOMPARE(book.add(note(1, QStringLiteral("new"))), 3);
    } else if (command == QLatin1String("color") || command == QLatin1String("samecolor")) {
        Note values = *book.find(2);
        if (command == QLatin1String("color"))
            values.colorRGB = QStringLiteral("#00FF00");
        QCOMPARE(book.change(2, values, NoteField::Color), command == QLatin1String("color"));
    } else if (command == QLatin1String("textlock") || command == QLatin1String("textonlyasked")) {
        Note values = *book.find(1);
        values.message = QStringLiteral("changed");
        values.locked = true;
        const NoteFields asked = command == QLatin1String("textlock")
                                     ? NoteFields(NoteField::Text | NoteField::Locked)
                                     : NoteFields(NoteField::Color | NoteField::Place);
        book.change(1, values, asked);
    } else if (command == QLatin1String("remove")) {
        const auto gone = book.remove(1, QDateTime::fromSecsSinceEpoch(5));
        QVERIFY(gone);
        QCOMPARE(gone->trashed, QDateTime::fromSecsSinceEpoch(5));
    } else if (command == QLatin1String("removemissing")) {
        QVERIFY(!book.remove(9, QDateTime()));
    } else if (command == QLatin1String("restorefree")) {
        const Note one = *book.remove(1, QDateTime::currentDateTime());
        QCOMPARE(book.add(one, true), 1);
    } else if (command == QLatin1String("restoretaken")) {
        QCOMPARE(book.add(note(2, QStringLiteral("back")), true), 3);
    } else if (command == QLatin1String("load")) {
        book.load({recordOf(7, QStringLiteral("x")), recordOf(8, QStringLiteral("y"))});
    }
    QTEST(announcements.seen, "announced");
    QStringList texts;
    QList<int> ids;
    for (const NoteRecord &record : book.records()) {
        texts << record.message;
        ids << record.id;
    }
    QTEST(texts, "savedTexts");
    QTEST(ids, "savedIds");
}

void TestNoteBook::newIdsFollowOneRule_data()
{
    QTest::addColumn<QList<int>>("ids");
    QTest::addColumn<int>("wanted");
    QTest::addColumn<int>("fresh");
    QTest::addColumn<int>("kept");

    QTest::newRow("empty book") << QList<int>{} << 0 << 1 << 1;
    QTest::newRow("gap is not reused for a new note") << QList<int>{1, 5} << 3 << 6 << 3;
    QTest::newRow("wanted id taken") << QList<int>{1, 5} << 5 << 6 << 6;
    QTest::newRow("negative wanted") << QList<int>{2} << -4 << 3 << 3;
    QTest::newRow("a file repeating an id") << QList<int>{4, 4} << 4 << 6 << 6;
}

void TestNoteBook::newIdsFollowOneRule()
{
    QFETCH(QList<int>, ids);
    QFETCH(int, wanted);
    NoteBook book;
    QList<NoteRecord> records;
    for (const int id : std::as_const(ids))
        records << recordOf(id, QString());
    book.load(records);
    // A repeated id is given a new one at the load: no two notes share one.
    const QList<int> loaded = book.ids();
    QCOMPARE(QSet<int>(loaded.cbegin(), loaded.cend()).size(), book.size());
    QTEST(book.newId(), "fresh");
    QTEST(book.freeId(wanted), "kept");
}

void TestNoteBook::typedTextIsReadOnceWhenNeeded()
{
    NoteBook book;
    book.load({recordOf(1, QStringLiteral("stored"))});
    Announcements announcements(book);
    int reads = 0;
    QString document = QStringLiteral("typed");
    book.setTextReader(1, [&] {
        ++reads;
        return document;
    });
    book.textEdited(1);
    book.textEdited(1); // the next key: no second announcement
    QCOMPARE(announcements.seen, QStringList{"~1:" + field(NoteField::Text)});
    QCOMPARE(reads, 0);
    QCOMPARE(book.records().constFirst().message, QStringLiteral("typed"));
    QCOMPARE(book.records().constFirst().message, QStringLiteral("typed"));
    QCOMPARE(reads, 1);
    book.announcePendingText(1); // nothing typed since the read
    QCOMPARE(announcements.seen.size(), 1);
    document = QStringLiteral("typed on");
    book.textEdited(1); // read since: announced again
    book.announcePendingText(1);
    QCOMPARE(announcements.seen.size(), 3);
    // A note leaving the book is taken with the text typed last.
    QCOMPARE(book.remove(1, QDateTime())->message, QStringLiteral("typed on"));
    QCOMPARE(reads, 2);
}

void TestNoteBook::batchIsMarkedAndKeepsOrder()
{
    NoteBook book;
    book.load({recordOf(1, QStringLiteral("one")), recordOf(2, QStringLiteral("two"))});
    QList<bool> inBatch;
    connect(&book, &NoteBook::noteAdded, this, [&] { inBatch << book.isApplyingBatch(); });
    connect(&book, &NoteBook::noteRemoved, this, [&] { inBatch << book.isApplyingBatch(); });
    Note changed = note(2, QStringLiteral("two, changed elsewhere"));
    changed.place = QRect(900, 900, 10, 10);
    const QList<int> ids =
        book.apply({{NoteChange::Kind::Add, note(0, QStringLiteral("arrived")), {}},
                    {NoteChange::Kind::Update, changed, ~NoteFields(NoteField::Place)},
                    {NoteChange::Kind::Remove, note(1, QString()), {}},
                    {NoteChange::Kind::Update, note(9, QStringLiteral("gone")), NoteField::Text}},
                   QDateTime());
    QCOMPARE(ids, (QList<int>{3, 2, 0, 0}));
    QCOMPARE(inBatch, (QList<bool>{true, true}));
    QVERIFY(!book.isApplyingBatch());
    QCOMPARE(book.ids(), (QList<int>{2, 3}));
    // The place stays this machine's own when the batch did not bring one.
    QCOMPARE(book.find(2)->place, QRect(10, 20, 200, 150));
    QCOMPARE(book.find(2)->message, QStringLiteral("two, changed elsewhere"));
}

void TestNoteBook::recordRoundTripKeepsEveryStoredField()
{
    NoteRecord record = recordOf(4, QStringLiteral("<p>Grüße &amp; „Zitat“ 😀</p>"));
    record.visible = true;
    record.originalReminderDate = QDateTime::fromSecsSinceEpoch(1800000000);
    record.reminderDate = QDateTime::fromSecsSinceEpoch(1800000600);
    record.periodicMask = QStringLiteral("0 9 * * 1-5");
    record.locked = true;
    record.alwaysOnTop = true;
    record.taskbarEntry = false;
    record.x = -30;
    QCOMPARE(Note::fromRecord(record).record(), record);
    // No pattern is stored as an empty text, never as NULL.
    record.periodicMask = QString();
    QVERIFY(!Note::fromRecord(record).record().periodicMask.isNull());
}

QTEST_GUILESS_MAIN(TestNoteBook)
#include "tst_notebook.moc"
