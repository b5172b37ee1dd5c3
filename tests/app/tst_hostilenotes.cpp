// The real program started on a database holding notes that once hung or
// crashed every start: markup nested beyond what the layout handles (in any
// spelling Qt reads as tags), image sources that are devices or FIFOs, sizes
// and positions far off any screen, unreadable colours. It must start,
// answer SIGTERM and keep the stored text.

#include "programrun.h"
#include "sqlrows.h"
#include "testappfolder.h"

#include <QColor>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <sys/stat.h>

namespace {

const QString kUser = QStringLiteral("eve");
const QString kConnection = QStringLiteral("hostile");

struct HostileNote
{
    int id;
    QString message;
    QString colour = QStringLiteral("#FFFF00");
    int x = 100, y = 100, width = 210, height = 150;
};

QString nested(const QString &open, const QString &close, int levels)
{
    return open.repeated(levels) + QStringLiteral("deep") + close.repeated(levels);
}

bool startAndWait(ProgramRun &run)
{
    return run.start() && run.waitForStderr(ProgramRun::kStartedLine, 60000);
}

} // namespace

class TestHostileNotes : public QObject
{
    Q_OBJECT

private slots:
    void hostileNotesNeitherHangNorCrashTheStart();
};

void TestHostileNotes::hostileNotesNeitherHangNorCrashTheStart()
{
    TestAppFolder folder;
    QVERIFY2(folder.isValid(), qPrintable(folder.errorString()));
    QTemporaryDir scratch;
    QVERIFY(scratch.isValid());
    const QString fifo = scratch.filePath(QStringLiteral("picture.png"));
    QVERIFY(::mkfifo(QFile::encodeName(fifo).constData(), 0600) == 0);
    {
        ProgramRun first(folder.executable());
        first.setEnvironmentValue(QStringLiteral("USERNAME"), kUser);
        QVERIFY(startAndWait(first));
        QVERIFY(first.sendSignal(SIGTERM));
        QVERIFY(first.waitForExit(20000));
    }

    const QString table = QStringLiteral("<table><tr><td>");
    const QString tableEnd = QStringLiteral("</td></tr></table>");
    const QList<HostileNote> notes = {
        {2, nested(table, tableEnd, 30)},
        {3, nested(table, tableEnd, 3000)},
        {4, QStringLiteral("<b>").repeated(100000) + QStringLiteral("bold")},
        {5, nested(QStringLiteral("<div>"), QStringLiteral("</div>"), 50000)},
        {6, QStringLiteral("<p>zero<img src=\"/dev/zero\" /></p>")},
        {7, QStringLiteral("<p>fifo<img src=\"%1\" /><img src=\"file://%1\" /></p>").arg(fifo)},
        {8, QStringLiteral("<p>wide</p>"), QStringLiteral("#FF0000\"; x"), 100, 100, 1000000000,
         30000},
        {9, QStringLiteral("<p>away</p>"), QStringLiteral("#90EE90"), 100000, -50000, 210, 150},
        // Tables as Qt still reads them: a blank after '<', any case.
        {10, nested(QStringLiteral("< TABLE>< tr>< td>"), tableEnd, 3000)},
        // Cells alone, each after the row before it closes: a table each.
        {11, QStringLiteral("<td></tr>").repeated(40) + QStringLiteral("cells")},
    };
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), kConnection);
        db.setDatabaseName(folder.databaseFile(kUser));
        QVERIFY(db.open());
        QSqlQuery query(db);
        QVERIFY(query.prepare(QStringLiteral(
            "INSERT INTO stickies VALUES (?, 'YES', ?, 'Hostile', 1700000000, 0, 0, '', 'NO', "
            "'NO', ?, ?, ?, ?, ?, 'YES')")));
        for (const HostileNote &note : notes) {
            query.bindValue(0, note.id);
            query.bindValue(1, note.colour);
            query.bindValue(2, note.message);
            query.bindValue(3, note.x);
            query.bindValue(4, note.y);
            query.bindValue(5, note.width);
            query.bindValue(6, note.height);
            QVERIFY2(query.exec(), qPrintable(query.lastError().text()));
        }
    }
    QSqlDatabase::removeDatabase(kConnection);

    ProgramRun run(folder.executable());
    run.setEnvironmentValue(QStringLiteral("USERNAME"), kUser);
    QVERIFY2(startAndWait(run), qPrintable(run.standardError().right(3000)));
    qInfo() << "start-up with the hostile notes took" << run.elapsedMs() << "ms";
    QTest::qWait(500); // the notes are shown and painted by now
    QVERIFY(run.isRunning());
    // A layout or a read that never ends would keep the event loop from
    // seeing the signal.
    QVERIFY(run.sendSignal(SIGTERM));
    QVERIFY2(run.waitForExit(30000), qPrintable(run.standardError().right(3000)));
    QCOMPARE(run.exitStatus(), QProcess::NormalExit);
    QCOMPARE(run.exitCode(), 0);

    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), kConnection);
    db.setDatabaseName(folder.databaseFile(kUser));
    QVERIFY(db.open());
    for (const HostileNote &note : notes) {
        const QList<QVariantList> rows =
            queryRows(db, QStringLiteral("SELECT message, colorRGB, xPos, yPos, width, height "
                                         "FROM stickies WHERE id = %1")
                              .arg(note.id));
        QCOMPARE(rows.size(), 1);
        const QVariantList &row = rows.first();
        // The text is kept as stored until the user edits it.
        QVERIFY2(row.at(0).toString() == note.message, qPrintable(QString::number(note.id)));
        QVERIFY(QColor::isValidColorName(row.at(1).toString()));
        // Every note is saved back on the screen (offscreen: 800x800).
        const QRect saved(row.at(2).toInt(), row.at(3).toInt(), row.at(4).toInt(),
                          row.at(5).toInt());
        QVERIFY2(QRect(0, 0, 800, 800).contains(saved), qPrintable(QStringLiteral("%1: %2,%3 %4x%5")
                                                                       .arg(note.id)
                                                                       .arg(saved.x())
                                                                       .arg(saved.y())
                                                                       .arg(saved.width())
                                                                       .arg(saved.height())));
    }
    db.close();
    db = QSqlDatabase();
    QSqlDatabase::removeDatabase(kConnection);
}

QTEST_MAIN(TestHostileNotes)
#include "tst_hostilenotes.moc"
