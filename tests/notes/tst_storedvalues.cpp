// Values read back from the database and the settings that are out of range
// or damaged: unreadable colours, absurd date formats, and a note without a
// periodic pattern, which must be stored as empty text rather than NULL.

#include "notes/notecolor.h"
#include "notes/stickywidget.h"
#include "platform/nativesettings.h"
#include "sandboxstate.h"
#include "settings/preferences.h"
#include "store/notedatabase.h"
#include "testnotes.h"

#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QtTest>

using namespace Preferences;

namespace {

std::unique_ptr<StickyWidget> makeNote(const QString &rgb, const QString &name,
                                       const QString &mask = QString())
{
    return std::unique_ptr<StickyWidget>(
        newTestNote(3, rgb, name, QDateTime(QDate(2024, 5, 6), QTime(7, 8)), QDateTime(),
                    QDateTime(), mask, false, QStringLiteral("<p>text</p>")));
}

} // namespace

class TestStoredValues : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void unreadableColourFallsBack_data();
    void unreadableColourFallsBack();
    void dateFormatWithinBounds_data();
    void dateFormatWithinBounds();
    void missingPatternStoredAsEmptyText_data();
    void missingPatternStoredAsEmptyText();
};

void TestStoredValues::init()
{
    SandboxState::reset();
    NativeSettings::setValue(userKey(Names::DefaultRGB), QStringLiteral("#ADD8E6"));
    NativeSettings::setValue(userKey(Names::DefaultColor), QStringLiteral("Light Blue"));
}

void TestStoredValues::unreadableColourFallsBack_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("userDefault");
    QTest::addColumn<QString>("rgb");
    QTest::addColumn<QString>("name");

    QTest::newRow("six digits kept") << "#FF0000"
                                     << "#ADD8E6"
                                     << "#FF0000"
                                     << "Stored";
    QTest::newRow("named colour kept") << "red"
                                       << "#ADD8E6"
                                       << "red"
                                       << "Stored";
    QTest::newRow("injected text") << "#FF0000\"; x"
                                   << "#ADD8E6"
                                   << "#ADD8E6"
                                   << "Light Blue";
    QTest::newRow("five digits") << "#12345"
                                 << "#ADD8E6"
                                 << "#ADD8E6"
                                 << "Light Blue";
    QTest::newRow("empty") << ""
                           << "#ADD8E6"
                           << "#ADD8E6"
                           << "Light Blue";
    QTest::newRow("default unreadable too") << "nonsense"
                                            << "#GGGGGG"
                                            << "#FFFF00"
                                            << "Yellow";
}

void TestStoredValues::unreadableColourFallsBack()
{
    QFETCH(QString, stored);
    QFETCH(QString, userDefault);
    QFETCH(QString, rgb);
    QFETCH(QString, name);
    NativeSettings::setValue(userKey(Names::DefaultRGB), userDefault);

    auto note = makeNote(stored, QStringLiteral("Stored"));
    QCOMPARE(note->colorRGB(), rgb);
    QCOMPARE(note->colorName(), name);
    // The note and its text are painted in that colour, not black.
    QCOMPARE(note->textBrowser()->palette().color(QPalette::Base), QColor(rgb));
    QCOMPARE(note->palette().color(QPalette::Window), QColor(rgb));
}

void TestStoredValues::dateFormatWithinBounds_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("used");
    const QString factory = QStringLiteral("d MMM yyyy h:mm AP");
    const QString longest = QStringLiteral("yyyy").repeated(kMaxDateFormatLength / 4);
    QTest::newRow("user's choice") << "yyyy-MM-dd hh:mm"
                                   << "yyyy-MM-dd hh:mm";
    QTest::newRow("longest allowed") << longest << longest;
    QTest::newRow("one longer") << longest + QLatin1Char('y') << factory;
    QTest::newRow("one megabyte") << QStringLiteral("d").repeated(1 << 20) << factory;
    QTest::newRow("empty") << "" << factory;
}

void TestStoredValues::dateFormatWithinBounds()
{
    QFETCH(QString, stored);
    QFETCH(QString, used);
    NativeSettings::setValue(userKey(Names::DateFormat), stored);
    QCOMPARE(Preferences::dateFormat(), used);
    auto note = makeNote(QStringLiteral("#FFFF00"), QStringLiteral("Yellow"));
    QCOMPARE(note->creationDateText(), note->creationDate().toString(used));
}

void TestStoredValues::missingPatternStoredAsEmptyText_data()
{
    QTest::addColumn<QString>("mask");
    QTest::addColumn<QString>("stored");
    QTest::newRow("null") << QString() << "";
    QTest::newRow("empty") << QStringLiteral("") << "";
    QTest::newRow("periodic") << QStringLiteral("|0|9|*|*|1-5") << "|0|9|*|*|1-5";
}

void TestStoredValues::missingPatternStoredAsEmptyText()
{
    QFETCH(QString, mask);
    QFETCH(QString, stored);
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    auto note = makeNote(QStringLiteral("#FFFF00"), QStringLiteral("Yellow"), mask);
    QVERIFY(!note->periodicMask().isNull());

    NoteRecord record;
    record.id = note->stickyID();
    record.colorRGB = note->colorRGB();
    record.creationDate = note->creationDate();
    record.periodicMask = note->periodicMask();
    record.message = note->message();
    {
        NoteDatabase database;
        QCOMPARE(database.open(folder.path() + QStringLiteral("/data/"),
                               folder.filePath(QStringLiteral("data/user"))),
                 NoteDatabase::OpenResult::Opened);
        QVERIFY(database.save({record}));
        database.close();
    }
    {
        QSqlDatabase db =
            QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("check"));
        db.setDatabaseName(folder.filePath(QStringLiteral("data/user")));
        QVERIFY(db.open());
        QSqlQuery query(db);
        QVERIFY(query.exec(QStringLiteral("SELECT periodicMask IS NULL, periodicMask FROM stickies "
                                          "WHERE id = 3")));
        QVERIFY(query.next());
        QCOMPARE(query.value(0).toInt(), 0);
        QCOMPARE(query.value(1).toString(), stored);
    }
    QSqlDatabase::removeDatabase(QStringLiteral("check"));
}

QTEST_MAIN(TestStoredValues)
#include "tst_storedvalues.moc"
