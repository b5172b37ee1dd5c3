// Export of notes to a folder and import from such a folder or from another
// note file: a round trip keeps every field, nothing half-written remains.

#include "base/apppaths.h"
#include "exchange/imagereferences.h"
#include "exchange/noteexport.h"
#include "exchange/noteimport.h"
#include "store/notedatabase.h"
#include "store/picturestore.h"

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

        // Imported, the pictures are kept with the notes, not as files.
        PictureStore::instance().clear();
        const QString imageFolder = m_temporary->filePath(QStringLiteral("data/images"));
        const NoteImport::Result imported = NoteImport::readFolder(folder, imageFolder);
        QVERIFY2(imported.ok, qPrintable(imported.error));
        QCOMPARE(imported.problems, QStringList());
        QCOMPARE(imported.records.size(), notes.size());
        const auto stored = [](const QString &file) {
            return PictureStore::imageSource(PictureStore::hashOf(contentOf(file)));
        };
        for (qsizetype i = 0; i < notes.size(); ++i) {
            NoteRecord expected = notes.at(i);
            expected.message.replace(m_pictures + QStringLiteral("/photo.png"),
                                     stored(m_pictures + QStringLiteral("/photo.png")));
            expected.message.replace(
                m_temporary->filePath(QStringLiteral("other/photo.png")),
                stored(m_temporary->filePath(QStringLiteral("other/photo.png"))));
            expected.message.replace(m_pictures + QStringLiteral("/icon &amp; co.png"),
                                     stored(m_pictures + QStringLiteral("/icon & co.png")));
            compareFields(imported.records.at(i), expected);
        }
        QCOMPARE(PictureStore::instance().size(), 3);
        QCOMPARE(PictureStore::instance().bytes(
                     PictureStore::hashOf(contentOf(m_pictures + QStringLiteral("/photo.png")))),
                 contentOf(m_pictures + QStringLiteral("/photo.png")));
        QVERIFY(!QFileInfo::exists(imageFolder));

        // A second import gives the same notes.
        const NoteImport::Result again = NoteImport::readFolder(folder, imageFolder);
        QCOMPARE(again.records.at(0).message, imported.records.at(0).message);
        QCOMPARE(PictureStore::instance().size(), 3);
    }

    // Pictures kept with the notes and the program's icons are written into
    // the export as files, referred to from both pages; importing the folder
    // into a process that never saw them brings the pictures back.
    void storedPicturesAndIconsExportAsFiles()
    {
        const QString app = m_temporary->filePath(QStringLiteral("app"));
        QVERIFY(QDir().mkpath(app + QStringLiteral("/icons")));
        writePicture(app + QStringLiteral("/icons/star.png"), Qt::yellow);
        AppPaths::setApplicationDirectoryForTesting(app);
        const QByteArray picture = contentOf(m_pictures + QStringLiteral("/photo.png"));
        const QString hash = PictureStore::instance().add(picture);
        NoteRecord note = sampleNotes().constFirst();
        note.message =
            richText(QStringLiteral("<p>a<img src=\"notarella-image:%1\" width=\"30\" "
                                    "height=\"20\"> b <img src=\"notarella-icon:star.png\"> "
                                    "<img src=\"notarella-image:%2\"></p>")
                         .arg(hash, QString(64, QLatin1Char('0'))));
        const QString folder = m_temporary->filePath(QStringLiteral("export"));
        const NoteExport::Result exported = NoteExport::exportNotes({note}, folder);
        QVERIFY2(exported.ok, qPrintable(exported.error));
        const QString written = QStringLiteral("images/%1.png").arg(hash);
        QCOMPARE(contentOf(folder + QLatin1Char('/') + written), picture);
        QCOMPARE(contentOf(folder + QStringLiteral("/images/star.png")),
                 contentOf(app + QStringLiteral("/icons/star.png")));
        const QString page = QString::fromUtf8(
            contentOf(folder + QLatin1Char('/') + NoteExport::htmlFileName(note.id)));
        QVERIFY(page.contains(QStringLiteral("src=\"%1\"").arg(written)));
        QVERIFY(page.contains(QStringLiteral("src=\"images/star.png\"")));
        // A reference to a picture nobody has stays as it was.
        QVERIFY(page.contains(QStringLiteral("notarella-image:") + QString(64, QLatin1Char('0'))));
        const QString markdown = QString::fromUtf8(
            contentOf(folder + QLatin1Char('/') + NoteExport::markdownFileName(note.id)));
        QVERIFY(markdown.contains(written));

        PictureStore::instance().clear();
        const NoteImport::Result imported =
            NoteImport::readFolder(folder, m_temporary->filePath(QStringLiteral("data/images")));
        QVERIFY2(imported.ok, qPrintable(imported.error));
        QCOMPARE(imported.records.size(), 1);
        QVERIFY(imported.records.first().message.contains(PictureStore::imageSource(hash)));
        QCOMPARE(PictureStore::instance().bytes(hash), picture);
        AppPaths::setApplicationDirectoryForTesting(QString());
    }

    // A picture of an export larger than 20 MB is copied beside the notes as
    // before, and the import says so.
    void oversizedExportedPictureIsCopied()
    {
        const QString folder = m_temporary->filePath(QStringLiteral("export"));
        QFile big(m_temporary->filePath(QStringLiteral("other/big.png")));
        QVERIFY(big.open(QIODevice::WriteOnly));
        QVERIFY(big.resize(20 * 1024 * 1024 + 1));
        big.close();
        NoteRecord note = sampleNotes().constLast();
        note.message = QStringLiteral("<img src=\"%1\">").arg(big.fileName());
        QVERIFY(NoteExport::exportNotes({note}, folder).ok);
        const QString imageFolder = m_temporary->filePath(QStringLiteral("data/images"));
        const NoteImport::Result imported = NoteImport::readFolder(folder, imageFolder);
        QVERIFY2(imported.ok, qPrintable(imported.error));
        QCOMPARE(imported.problems.size(), 1);
        QVERIFY(imported.problems.first().contains(QStringLiteral("20 MB")));
        QCOMPARE(QFileInfo(imageFolder + QStringLiteral("/big.png")).size(), 20 * 1024 * 1024 + 1);
        QVERIFY(imported.records.first().message.contains(imageFolder));
    }

    // "Import from Note File" takes the pictures the notes show from the
    // other file's table of pictures.
    void noteFileImportBringsPictures()
    {
        const QByteArray picture = contentOf(m_pictures + QStringLiteral("/photo.png"));
        const QString hash = PictureStore::instance().add(picture);
        const QString unrelated = PictureStore::instance().add(QByteArray("not shown"));
        NoteRecord note = sampleNotes().constLast();
        note.message = QStringLiteral("<img src=\"notarella-image:%1\">").arg(hash);
        NoteRecord other = sampleNotes().constFirst();
        other.message = QStringLiteral("<img src=\"notarella-image:%1\">").arg(unrelated);
        const QString file = m_temporary->filePath(QStringLiteral("other/someone.db"));
        QString error;
        QVERIFY2(NoteDatabase::writeCopy(file, {note, other}, &error), qPrintable(error));
        PictureStore::instance().clear();
        const NoteImport::Result imported = NoteImport::readDatabase(file);
        QVERIFY2(imported.ok, qPrintable(imported.error));
        QCOMPARE(PictureStore::instance().bytes(hash), picture);
        QCOMPARE(PictureStore::instance().size(), 2);
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
