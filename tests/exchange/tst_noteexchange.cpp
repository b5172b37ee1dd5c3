// Export of notes to a folder and import from such a folder or from another
// note file: a round trip keeps every field, nothing half-written remains.

#include "exchange/imagereferences.h"
#include "exchange/noteexport.h"
#include "exchange/noteimport.h"
#include "store/notedatabase.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QTextDocument>
#include <QtTest>

#include <memory>

namespace {

QDateTime at(const char *iso)
{
    return QDateTime::fromString(QString::fromLatin1(iso), Qt::ISODate).toLocalTime();
}

QString richText(const QString &body)
{
    QTextDocument document;
    document.setHtml(body);
    return document.toHtml();
}

QByteArray contentOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writePicture(const QString &path, Qt::GlobalColor color)
{
    QImage image(4, 4, QImage::Format_RGB32);
    image.fill(color);
    QVERIFY(image.save(path));
}

} // namespace

class TestNoteExchange : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_temporary = std::make_unique<QTemporaryDir>();
        QVERIFY(m_temporary->isValid());
        m_pictures = m_temporary->filePath(QStringLiteral("my pictures"));
        QVERIFY(QDir().mkpath(m_pictures));
        writePicture(m_pictures + QStringLiteral("/photo.png"), Qt::red);
        writePicture(m_pictures + QStringLiteral("/icon & co.png"), Qt::blue);
        // Another picture of the same file name elsewhere.
        QVERIFY(QDir().mkpath(m_temporary->filePath(QStringLiteral("other"))));
        writePicture(m_temporary->filePath(QStringLiteral("other/photo.png")), Qt::green);
    }

    void imageSourcesAreRewritten_data()
    {
        QTest::addColumn<QString>("html");
        QTest::addColumn<QString>("expected");
        QTest::newRow("plain path") << R"(<p><img src="/a/b.png" /></p>)"
                                    << R"(<p><img src="[/a/b.png]" /></p>)";
        QTest::newRow("entities and sizes")
            << R"(<img width="3" src="/a/x &amp; y.png" height="4">)"
            << R"(<img width="3" src="[/a/x &amp; y.png]" height="4">)";
        QTest::newRow("single quotes, upper case")
            << "<IMG SRC='/p.png'> and <img src=\"/q.png\">"
            << "<IMG SRC='[/p.png]'> and <img src=\"[/q.png]\">";
        QTest::newRow("web address kept") << R"(<img src="http://x/y.png">)"
                                          << R"(<img src="http://x/y.png">)";
        QTest::newRow("no image, src in text kept") << R"(<p>src="/a.png"</p>)"
                                                    << R"(<p>src="/a.png"</p>)";
    }

    void imageSourcesAreRewritten()
    {
        QFETCH(QString, html);
        QFETCH(QString, expected);
        const QString result = ImageReferences::rewrite(html, [](const QString &source) {
            return source.startsWith(QLatin1Char('/'))
                       ? QLatin1Char('[') + source + QLatin1Char(']')
                       : QString();
        });
        QCOMPARE(result, expected);
    }

    void localFiles_data()
    {
        QTest::addColumn<QString>("source");
        QTest::addColumn<QString>("file");
        QTest::newRow("path") << "/home/a/b.png"
                              << "/home/a/b.png";
        QTest::newRow("file address") << "file:///home/a/b%20c.png"
                                      << "/home/a/b c.png";
        QTest::newRow("file: prefix") << "file:/home/a/b.png"
                                      << "/home/a/b.png";
        QTest::newRow("web") << "https://example.org/b.png"
                             << "";
        QTest::newRow("resource") << ":/icons/b.png"
                                  << "";
        QTest::newRow("relative") << "images/b.png"
                                  << "";
    }

    void localFiles()
    {
        QFETCH(QString, source);
        QFETCH(QString, file);
        QCOMPARE(ImageReferences::localFile(source), file);
    }

    void roundTripThroughFolder()
    {
        const QList<NoteRecord> notes = sampleNotes();
        const QString folder = m_temporary->filePath(QStringLiteral("export"));
        QList<int> steps;
        const NoteExport::Result exported =
            NoteExport::exportNotes(notes, folder, [&](int done, int total) {
                steps.append(done);
                return total == int(notes.size());
            });
        QVERIFY2(exported.ok, qPrintable(exported.error));
        QCOMPARE(exported.written, int(notes.size()));
        QCOMPARE(steps, (QList<int>{1, 2, 3}));

        // The folder a person opens.
        const QDir dir(folder);
        for (const NoteRecord &note : notes) {
            QVERIFY(dir.exists(NoteExport::htmlFileName(note.id)));
            QVERIFY(dir.exists(NoteExport::markdownFileName(note.id)));
        }
        const QString index = QString::fromUtf8(contentOf(dir.filePath("index.html")));
        QVERIFY(index.contains(QStringLiteral("href=\"note-17.html\"")));
        QVERIFY(index.contains(QStringLiteral("Gr&lt;ü&gt;n &amp; &quot;Blau&quot;")));
        // The two pictures named photo.png stay apart; each is copied once.
        const QStringList images = QDir(dir.filePath("images")).entryList(QDir::Files, QDir::Name);
        QCOMPARE(images, (QStringList{"icon & co.png", "photo-2.png", "photo.png"}));
        const QString page = QString::fromUtf8(contentOf(dir.filePath("note-17.html")));
        QVERIFY(page.contains(QStringLiteral("src=\"images/photo.png\"")));
        QVERIFY(!page.contains(m_pictures));
        const QString markdown = QString::fromUtf8(contentOf(dir.filePath("note-17.md")));
        QVERIFY(markdown.contains(QStringLiteral("**bold**")));
        QVERIFY(markdown.contains(QStringLiteral("images/photo.png")));

        const QString imageFolder = m_temporary->filePath(QStringLiteral("data/images"));
        const NoteImport::Result imported = NoteImport::readFolder(folder, imageFolder);
        QVERIFY2(imported.ok, qPrintable(imported.error));
        QCOMPARE(imported.problems, QStringList());
        QCOMPARE(imported.records.size(), notes.size());
        for (qsizetype i = 0; i < notes.size(); ++i) {
            NoteRecord expected = notes.at(i);
            expected.message.replace(m_pictures + QStringLiteral("/photo.png"),
                                     imageFolder + QStringLiteral("/photo.png"));
            expected.message.replace(m_temporary->filePath(QStringLiteral("other/photo.png")),
                                     imageFolder + QStringLiteral("/photo-2.png"));
            expected.message.replace(m_pictures + QStringLiteral("/icon &amp; co.png"),
                                     imageFolder + QStringLiteral("/icon &amp; co.png"));
            compareFields(imported.records.at(i), expected);
        }
        QCOMPARE(contentOf(imageFolder + QStringLiteral("/photo.png")),
                 contentOf(m_pictures + QStringLiteral("/photo.png")));
        QCOMPARE(contentOf(imageFolder + QStringLiteral("/photo-2.png")),
                 contentOf(m_temporary->filePath(QStringLiteral("other/photo.png"))));

        // A second import reuses the pictures already copied.
        const NoteImport::Result again = NoteImport::readFolder(folder, imageFolder);
        QCOMPARE(again.records.at(0).message, imported.records.at(0).message);
        QCOMPARE(QDir(imageFolder).entryList(QDir::Files).size(), 3);
    }

    void roundTripThroughDatabase()
    {
        const QList<NoteRecord> notes = sampleNotes();
        const QString file = m_temporary->filePath(QStringLiteral("other/someone.db"));
        QString error;
        QVERIFY2(NoteDatabase::writeCopy(file, notes, &error), qPrintable(error));
        const QByteArray before = contentOf(file);
        const NoteImport::Result imported = NoteImport::readDatabase(file);
        QVERIFY2(imported.ok, qPrintable(imported.error));
        QCOMPARE(imported.records.size(), notes.size());
        for (qsizetype i = 0; i < notes.size(); ++i)
            compareFields(imported.records.at(i), notes.at(i));
        QCOMPARE(contentOf(file), before);
    }

    void unreadableSources_data()
    {
        QTest::addColumn<QString>("content");
        QTest::newRow("missing") << QString();
        QTest::newRow("not a database") << "hello, this is text";
    }

    void unreadableSources()
    {
        QFETCH(QString, content);
        const QString file = m_temporary->filePath(QStringLiteral("source.db"));
        if (!content.isNull()) {
            QFile out(file);
            QVERIFY(out.open(QIODevice::WriteOnly));
            out.write(content.toUtf8());
        }
        const NoteImport::Result imported = NoteImport::readDatabase(file);
        QVERIFY(!imported.ok);
        QVERIFY(!imported.error.isEmpty());
        QVERIFY(imported.records.isEmpty());
        // Nothing was created or changed.
        QCOMPARE(QFileInfo::exists(file), !content.isNull());
        if (!content.isNull())
            QCOMPARE(contentOf(file), content.toUtf8());
        const NoteImport::Result fromFolder = NoteImport::readFolder(
            m_temporary->filePath("my pictures"), m_temporary->filePath("img"));
        QVERIFY(!fromFolder.ok);
        QVERIFY(!fromFolder.error.isEmpty());
    }

    void pagesOutsideTheIndex_data()
    {
        QTest::addColumn<bool>("keepIndex");
        QTest::addColumn<QList<int>>("ids");
        QTest::addColumn<int>("problems");
        // Pages of an earlier export into the same folder (8) and strangers
        // (5) are left out.
        QTest::newRow("index") << true << QList<int>{17, 3} << 0;
        // Without the index every page counts, by id; a stranger is skipped.
        QTest::newRow("no index") << false << QList<int>{3, 8, 17} << 1;
    }

    void pagesOutsideTheIndex()
    {
        QFETCH(bool, keepIndex);
        QFETCH(QList<int>, ids);
        QFETCH(int, problems);
        const QString folder = m_temporary->filePath(QStringLiteral("export"));
        QVERIFY(NoteExport::exportNotes(sampleNotes(), folder).ok); // 17, 3, 8
        QVERIFY(NoteExport::exportNotes(sampleNotes().mid(0, 2), folder).ok);
        QFile stranger(folder + QStringLiteral("/note-5.html"));
        QVERIFY(stranger.open(QIODevice::WriteOnly));
        stranger.write("<html><body>not ours</body></html>");
        stranger.close();
        if (!keepIndex)
            QVERIFY(QFile::remove(folder + QStringLiteral("/index.html")));
        const NoteImport::Result imported =
            NoteImport::readFolder(folder, m_temporary->filePath("img"));
        QVERIFY(imported.ok);
        QList<int> found;
        for (const NoteRecord &record : imported.records)
            found << record.id;
        QCOMPARE(found, ids);
        QCOMPARE(imported.problems.size(), problems);
        if (problems > 0)
            QVERIFY(imported.problems.first().contains(QStringLiteral("note-5.html")));
    }

    void cancelledExportLeavesFolderAsItWas()
    {
        const QString folder = m_temporary->filePath(QStringLiteral("export"));
        QVERIFY(QDir().mkpath(folder));
        QFile earlier(folder + QStringLiteral("/keep.txt"));
        QVERIFY(earlier.open(QIODevice::WriteOnly));
        earlier.close();
        const NoteExport::Result result =
            NoteExport::exportNotes(sampleNotes(), folder, [](int done, int) { return done < 2; });
        QVERIFY(result.cancelled);
        QVERIFY(!result.ok);
        QCOMPARE(QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
                 QStringList{"keep.txt"});
    }

    void cancelledImportReturnsNothing()
    {
        const QString folder = m_temporary->filePath(QStringLiteral("export"));
        QVERIFY(NoteExport::exportNotes(sampleNotes(), folder).ok);
        const NoteImport::Result imported = NoteImport::readFolder(
            folder, m_temporary->filePath("img"), [](int done, int) { return done < 2; });
        QVERIFY(imported.cancelled);
        QVERIFY(imported.records.isEmpty());
    }

    void exportIntoUnwritableFolderFails()
    {
        const QString blocker = m_temporary->filePath(QStringLiteral("file"));
        QFile file(blocker);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        const NoteExport::Result result =
            NoteExport::exportNotes(sampleNotes(), blocker + QStringLiteral("/sub"));
        QVERIFY(!result.ok);
        QVERIFY(result.error.contains(QStringLiteral("sub")));
    }

    void newIdsFollowTheLargest()
    {
        QList<NoteRecord> records = sampleNotes();
        NoteImport::assignNewIds(records, 41);
        QCOMPARE(records.at(0).id, 42);
        QCOMPARE(records.at(1).id, 43);
        QCOMPARE(records.at(2).id, 44);
    }

private:
    QList<NoteRecord> sampleNotes() const
    {
        NoteRecord linked;
        linked.id = 17;
        linked.visible = true;
        linked.colorRGB = QStringLiteral("#A0FFA0");
        linked.colorName = QStringLiteral("Gr<ü>n & \"Blau\"");
        linked.creationDate = at("2025-03-01T08:15:00Z");
        linked.message = richText(
            QStringLiteral("<p><b>bold</b> and <a href=\"https://example.org/?a=1&amp;b=2\">a "
                           "link</a> <img src=\"%1/photo.png\" width=\"4\" height=\"4\" /></p>"
                           "<p><img src=\"%2\" /> <img src=\"%1/photo.png\" /> "
                           "<img src=\"%1/icon &amp; co.png\" /></p>")
                .arg(m_pictures, m_temporary->filePath(QStringLiteral("other/photo.png"))));
        linked.x = -20;
        linked.y = 30;
        linked.width = 250;
        linked.height = 180;

        NoteRecord reminded;
        reminded.id = 3;
        reminded.colorRGB = QStringLiteral("#FFFF00");
        reminded.colorName = QStringLiteral("Yellow");
        reminded.creationDate = at("2024-12-31T23:59:59Z");
        reminded.originalReminderDate = at("2025-01-02T09:00:00Z");
        reminded.reminderDate = at("2025-01-09T09:00:00Z");
        reminded.periodicMask = QStringLiteral("1:0:0:0:0:0");
        reminded.locked = true;
        reminded.alwaysOnTop = true;
        reminded.taskbarEntry = false;
        reminded.message = richText(QStringLiteral(
            "<ul><li>one</li><li>two &lt;!--notarella-note-end--&gt;</li></ul><hr />"));
        reminded.width = 100;
        reminded.height = 100;

        NoteRecord raw;
        raw.id = 8;
        raw.visible = true;
        raw.colorRGB = QStringLiteral("#ffffff");
        raw.colorName = QString();
        raw.creationDate = at("2020-01-01T00:00:00Z");
        // Stored text that is not the editor's document, and holds the
        // marker itself.
        raw.message = QStringLiteral("plain <!--notarella-note-end--> text");
        raw.periodicMask = QStringLiteral("");
        return {linked, reminded, raw};
    }

    static void compareFields(const NoteRecord &actual, const NoteRecord &expected)
    {
        QCOMPARE(actual.id, expected.id);
        QCOMPARE(actual.visible, expected.visible);
        QCOMPARE(actual.colorRGB, expected.colorRGB);
        QCOMPARE(actual.colorName, expected.colorName);
        QCOMPARE(actual.creationDate, expected.creationDate);
        QCOMPARE(actual.originalReminderDate, expected.originalReminderDate);
        QCOMPARE(actual.reminderDate, expected.reminderDate);
        QCOMPARE(actual.periodicMask, expected.periodicMask);
        QCOMPARE(actual.locked, expected.locked);
        QCOMPARE(actual.alwaysOnTop, expected.alwaysOnTop);
        QCOMPARE(actual.message, expected.message);
        QCOMPARE(QRect(actual.x, actual.y, actual.width, actual.height),
                 QRect(expected.x, expected.y, expected.width, expected.height));
        QCOMPARE(actual.taskbarEntry, expected.taskbarEntry);
    }

    std::unique_ptr<QTemporaryDir> m_temporary; // fresh for every test
    QString m_pictures;
};

QTEST_MAIN(TestNoteExchange)
#include "tst_noteexchange.moc"
