// Export of notes to a folder and import from such a folder or from another
// note file: a round trip keeps every field, nothing half-written remains.

#include "base/apppaths.h"
#include "exchange/importmerge.h"
#include "exchange/noteexport.h"
#include "exchange/noteimport.h"
#include "richtext/imagereferences.h"
#include "store/foreignnotefile.h"
#include "store/notedatabase.h"
#include "store/picturestore.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QImage>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextDocument>
#include <QtTest>

#include <memory>

#include <sys/stat.h>
#include <unistd.h>

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

// Every file below `root` (links not followed) and its bytes; folders and
// links as entries of their own.
QMap<QString, QByteArray> filesBelow(const QString &root)
{
    QMap<QString, QByteArray> files;
    QDirIterator it(root, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QFileInfo info(path);
        files.insert(path, info.isSymLink() ? "link to " + info.symLinkTarget().toUtf8()
                           : info.isDir()   ? QByteArray("folder")
                                            : contentOf(path));
    }
    return files;
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
        // The sample notes show them as pictures kept with the notes.
        m_hashes.clear();
        for (const QString &file : {m_pictures + QStringLiteral("/photo.png"),
                                    m_temporary->filePath(QStringLiteral("other/photo.png")),
                                    m_pictures + QStringLiteral("/icon & co.png")})
            m_hashes.append(PictureStore::instance().add(contentOf(file)));
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
        // Each picture is copied once, under its hash.
        QStringList expectedImages;
        for (const QString &hash : std::as_const(m_hashes))
            expectedImages << hash + QStringLiteral(".png");
        expectedImages.sort();
        const QStringList images = QDir(dir.filePath("images")).entryList(QDir::Files, QDir::Name);
        QCOMPARE(images, expectedImages);
        const QString photo = QStringLiteral("images/%1.png").arg(m_hashes.value(0));
        const QString page = QString::fromUtf8(contentOf(dir.filePath("note-17.html")));
        QVERIFY(page.contains(QStringLiteral("src=\"%1\"").arg(photo)));
        const QString markdown = QString::fromUtf8(contentOf(dir.filePath("note-17.md")));
        QVERIFY(markdown.contains(QStringLiteral("**bold**")));
        QVERIFY(markdown.contains(photo));

        // Imported, the pictures are kept with the notes, not as files.
        PictureStore::instance().clear();
        const NoteImport::Result imported = NoteImport::readFolder(folder);
        QVERIFY2(imported.ok, qPrintable(imported.error));
        QCOMPARE(imported.problems, QStringList());
        QCOMPARE(imported.records.size(), notes.size());
        for (qsizetype i = 0; i < notes.size(); ++i)
            compareFields(imported.records.at(i), notes.at(i));
        QCOMPARE(PictureStore::instance().size(), 3);
        QCOMPARE(PictureStore::instance().bytes(m_hashes.value(0)),
                 contentOf(m_pictures + QStringLiteral("/photo.png")));

        // A second import gives the same notes.
        const NoteImport::Result again = NoteImport::readFolder(folder);
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
        const NoteImport::Result imported = NoteImport::readFolder(folder);
        QVERIFY2(imported.ok, qPrintable(imported.error));
        QCOMPARE(imported.records.size(), 1);
        QVERIFY(imported.records.first().message.contains(PictureStore::imageSource(hash)));
        QCOMPARE(PictureStore::instance().bytes(hash), picture);
        AppPaths::setApplicationDirectoryForTesting(QString());
    }

    // Only pictures go into an export: those kept with the notes and the
    // program's icons, when they decode as pictures. A file a note names by
    // its path is never copied out, however large, and never read.
    void onlyPicturesAreCopied_data()
    {
        QTest::addColumn<QString>("source");
        QTest::addColumn<QString>("copy"); // in "images", or empty
        QTest::newRow("huge sparse file by path") << "{huge}"
                                                  << "";
        QTest::newRow("huge sparse file by file address") << "file://{huge}"
                                                          << "";
        QTest::newRow("text file by path") << "{secret}"
                                           << "";
        QTest::newRow("picture by path") << "{photo}"
                                         << "";
        QTest::newRow("stored bytes that are no picture") << "{stored text}"
                                                          << "";
        QTest::newRow("stored picture") << "{stored photo}"
                                        << "{photo hash}.png";
        QTest::newRow("icon that is no picture") << "notarella-icon:fake.png"
                                                 << "";
        QTest::newRow("icon") << "notarella-icon:star.png"
                              << "star.png";
    }

    void onlyPicturesAreCopied()
    {
        QFETCH(QString, source);
        QFETCH(QString, copy);
        const QString app = m_temporary->filePath(QStringLiteral("app"));
        QVERIFY(QDir().mkpath(app + QStringLiteral("/icons")));
        writePicture(app + QStringLiteral("/icons/star.png"), Qt::yellow);
        QFile fake(app + QStringLiteral("/icons/fake.png"));
        QVERIFY(fake.open(QIODevice::WriteOnly));
        fake.write("my secret, not a picture");
        fake.close();
        AppPaths::setApplicationDirectoryForTesting(app);
        QFile huge(m_temporary->filePath(QStringLiteral("other/huge.png")));
        QVERIFY(huge.open(QIODevice::WriteOnly));
        QVERIFY(huge.resize(qint64(3) << 30)); // sparse: costs no disk
        huge.close();
        const QString photo = m_pictures + QStringLiteral("/photo.png");
        source.replace(QStringLiteral("{huge}"), huge.fileName())
            .replace(QStringLiteral("{secret}"), app + QStringLiteral("/icons/fake.png"))
            .replace(QStringLiteral("{photo}"), photo)
            .replace(QStringLiteral("{stored text}"),
                     PictureStore::imageSource(PictureStore::instance().add("not a picture")))
            .replace(QStringLiteral("{stored photo}"),
                     PictureStore::imageSource(m_hashes.value(0)));
        copy.replace(QStringLiteral("{photo hash}"), m_hashes.value(0));
        NoteRecord note = sampleNotes().constLast();
        note.message = QStringLiteral("<p>a<img src=\"%1\"></p>").arg(source.toHtmlEscaped());
        const QString folder = m_temporary->filePath(QStringLiteral("export"));
        const NoteExport::Result exported = NoteExport::exportNotes({note}, folder);
        AppPaths::setApplicationDirectoryForTesting(QString());
        QVERIFY2(exported.ok, qPrintable(exported.error));
        const QStringList copies =
            QDir(folder + QStringLiteral("/images")).entryList(QDir::Files | QDir::Hidden);
        QCOMPARE(copies, copy.isEmpty() ? QStringList() : QStringList{copy});
        const QString page = QString::fromUtf8(contentOf(folder + QStringLiteral("/note-8.html")));
        QVERIFY(page.contains(copy.isEmpty() ? source.toHtmlEscaped()
                                             : QStringLiteral("images/") + copy));
    }

    // A picture of an export larger than 20 MB is left out, and the import
    // says so; it is copied nowhere.
    void oversizedExportedPictureIsLeftOut()
    {
        const QString folder = m_temporary->filePath(QStringLiteral("export"));
        NoteRecord note = sampleNotes().constLast();
        note.message = QStringLiteral("<p>MARK</p>");
        QVERIFY(NoteExport::exportNotes({note}, folder).ok);
        const QString page = folder + QLatin1Char('/') + NoteExport::htmlFileName(note.id);
        QByteArray html = contentOf(page);
        html.replace("MARK", "<img src=\"images/big.png\">");
        QFile rewritten(page);
        QVERIFY(rewritten.open(QIODevice::WriteOnly));
        rewritten.write(html);
        rewritten.close();
        QVERIFY(QDir().mkpath(folder + QStringLiteral("/images")));
        writePicture(folder + QStringLiteral("/images/big.png"), Qt::red);
        QFile big(folder + QStringLiteral("/images/big.png"));
        QVERIFY(big.resize(NoteImport::kMaxPictureBytes + 1));
        const qsizetype before = PictureStore::instance().size();
        const NoteImport::Result imported = NoteImport::readFolder(folder);
        QVERIFY2(imported.ok, qPrintable(imported.error));
        QCOMPARE(imported.problems.size(), 1);
        QVERIFY(imported.problems.first().contains(QStringLiteral("20 MB")));
        QCOMPARE(imported.records.first().message,
                 QStringLiteral("<p><img src=\"%1\"></p>").arg(PictureStore::kLeftOutSource));
        QCOMPARE(PictureStore::instance().size(), before);
    }

    // A page whose note would load a file of this machine another way than
    // through a quoted image source loads nothing from it once imported.
    void hiddenPictureLoadsAreLeftOut_data()
    {
        QTest::addColumn<QString>("markup");
        QTest::newRow("unquoted source") << "<img src=/tmp/secret.png>";
        QTest::newRow("source given twice")
            << "<img src=\"https://x/a.png\" src=\"/tmp/secret.png\">";
        QTest::newRow("cell background")
            << "<table><tr><td background=\"/tmp/secret.png\">x</td></tr></table>";
        QTest::newRow("style sheet") << "<p style=\"background-image: url(/tmp/secret.png)\">x</p>";
    }

    void hiddenPictureLoadsAreLeftOut()
    {
        QFETCH(QString, markup);
        const QString folder = m_temporary->filePath(QStringLiteral("export"));
        NoteRecord note = sampleNotes().constLast();
        note.message = QStringLiteral("<p>MARK</p>");
        QVERIFY(NoteExport::exportNotes({note}, folder).ok);
        const QString page = folder + QLatin1Char('/') + NoteExport::htmlFileName(note.id);
        QByteArray html = contentOf(page);
        html.replace("MARK", markup.toUtf8());
        QFile rewritten(page);
        QVERIFY(rewritten.open(QIODevice::WriteOnly));
        rewritten.write(html);
        rewritten.close();
        const NoteImport::Result imported = NoteImport::readFolder(folder);
        QVERIFY2(imported.ok, qPrintable(imported.error));
        QCOMPARE(imported.records.size(), 1);
        QVERIFY2(!imported.records.first().message.contains(QLatin1String("secret")),
                 qPrintable(imported.records.first().message));
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

    // A statement on another person's note file ends: after its time, or
    // when the reading is cancelled; the next one runs again.
    void longStatementsAreStopped_data()
    {
        QTest::addColumn<int>("limitMs");
        QTest::addColumn<bool>("cancel");
        QTest::newRow("time limit") << 100 << false;
        QTest::newRow("cancelled") << 600000 << true;
    }

    void longStatementsAreStopped()
    {
        QFETCH(int, limitMs);
        QFETCH(bool, cancel);
        const QString file = m_temporary->filePath(QStringLiteral("other/theirs.db"));
        QString error;
        QVERIFY2(NoteDatabase::writeCopy(file, sampleNotes(), &error), qPrintable(error));
        const QByteArray before = contentOf(file);
        bool cancelled = false;
        {
            ForeignNoteFile source(file, limitMs);
            source.setStopCheck([&] { return cancelled; });
            QCOMPARE(source.open(), QString());
            cancelled = cancel;
            QSqlQuery endless(source.database());
            QVERIFY(!source.run(endless,
                                QStringLiteral("WITH RECURSIVE n(x) AS (SELECT 1 UNION ALL SELECT "
                                               "x + 1 FROM n) SELECT COUNT(*) FROM n")));
            QVERIFY(source.wasStopped());
            cancelled = false;
            QSqlQuery notes(source.database());
            QVERIFY(source.run(notes, QStringLiteral("SELECT COUNT(*) FROM stickies")));
            QVERIFY(!source.wasStopped());
            QVERIFY(notes.next());
            QCOMPARE(notes.value(0).toInt(), int(sampleNotes().size()));
        }
        QCOMPARE(contentOf(file), before);
    }

    // A column computed on reading (here a value of 80 MB) is refused.
    void computedColumnsAreRefused()
    {
        const QString file = m_temporary->filePath(QStringLiteral("other/huge.db"));
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), "maker");
            db.setDatabaseName(file);
            QVERIFY(db.open());
            QSqlQuery query(db);
            QVERIFY2(query.exec(QStringLiteral(
                         "CREATE TABLE stickies (id, visible, colorRGB, colorName, creationDate, "
                         "originalReminderDate, reminderDate, periodicMask, locked, alwaysontop, "
                         "xPos, yPos, width, height, taskbarentry, message TEXT GENERATED ALWAYS "
                         "AS (hex(zeroblob(40000000))) VIRTUAL)")),
                     qPrintable(query.lastError().text()));
            QVERIFY(query.exec(QStringLiteral("INSERT INTO stickies (id) VALUES (1)")));
            db.close();
        }
        QSqlDatabase::removeDatabase(QStringLiteral("maker"));
        const NoteImport::Result imported = NoteImport::readDatabase(file);
        QVERIFY(!imported.ok);
        QVERIFY(imported.records.isEmpty());
        QVERIFY2(imported.error.contains(QStringLiteral("\"message\" is computed")),
                 qPrintable(imported.error));
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
        const NoteImport::Result fromFolder =
            NoteImport::readFolder(m_temporary->filePath("my pictures"));
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
        const NoteImport::Result imported = NoteImport::readFolder(folder);
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

    // Another user prepares the folder the export goes to. Nothing outside
    // it is ever written, and an entry the user does not own or that is a
    // link is never replaced: the export is refused and leaves all as it was.
    void foreignFoldersAndLinks_data()
    {
        QTest::addColumn<QString>("setup");
        QTest::addColumn<bool>("ok");
        QTest::newRow("note page links outside") << "link note-8.html" << false;
        QTest::newRow("Markdown page links outside") << "link note-8.md" << false;
        QTest::newRow("index links outside") << "link index.html" << false;
        QTest::newRow("images links to another folder") << "link images" << false;
        QTest::newRow("a picture links outside") << "link images/{hash}.png" << false;
        QTest::newRow("note page of another user") << "foreign note-8.html" << false;
        QTest::newRow("images of another user") << "foreign images" << false;
        QTest::newRow("folder of another user") << "foreign ." << false;
        QTest::newRow("sticky folder of another user") << "foreign sticky ." << false;
        QTest::newRow("folder writable by others") << "mode 0777" << false;
        QTest::newRow("folder writable by another group") << "mode 0775 group" << false;
        QTest::newRow("folder writable by the own group") << "mode 0775" << true;
        QTest::newRow("own folder writable by others, sticky") << "mode 1777" << true;
        QTest::newRow("own folder") << "mode 0755" << true;
        QTest::newRow("own folder, no umask") << "umask 0" << true;
        QTest::newRow("own note page and images") << "own note-8.html" << true;
        QTest::newRow("link to an own folder") << "target link" << true;
        QTest::newRow("link to a folder of another user") << "target link foreign" << false;
    }

    void foreignFoldersAndLinks()
    {
        QFETCH(QString, setup);
        QFETCH(bool, ok);
        const bool foreign = setup.contains(QLatin1String("foreign"));
        if ((foreign || setup.endsWith(QLatin1String(" group"))) && ::geteuid() != 0)
            QSKIP("making files of another user needs root");
        const QString victim = m_temporary->filePath(QStringLiteral("victim"));
        QVERIFY(QDir().mkpath(victim));
        const QString bashrc = victim + QStringLiteral("/.bashrc");
        QFile file(bashrc);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("export PATH=/usr/bin\n");
        file.close();
        const QString real = m_temporary->filePath(QStringLiteral("shared"));
        QVERIFY(QDir().mkpath(real + QStringLiteral("/images")));
        QString folder = real;
        NoteRecord note = sampleNotes().constLast(); // id 8
        note.message = QStringLiteral("<p>x<img src=\"%1\"></p>")
                           .arg(PictureStore::imageSource(m_hashes.value(0)));
        const QStringList words = setup.split(QLatin1Char(' '));
        QString entry = words.constLast();
        entry.replace(QStringLiteral("{hash}"), m_hashes.value(0));
        const QString path = QDir(real).filePath(entry);
        if (words.first() == QLatin1String("link")) {
            QVERIFY(QFile::remove(path) || QDir(path).removeRecursively());
            QVERIFY(QFile::link(entry == QLatin1String("images") ? victim : bashrc, path));
        } else if (words.first() == QLatin1String("foreign") ||
                   words.first() == QLatin1String("own")) {
            if (!QFileInfo(path).isDir()) {
                QFile planted(path);
                QVERIFY(planted.open(QIODevice::WriteOnly));
                planted.write("planted");
            }
            if (setup.contains(QLatin1String("sticky")))
                QVERIFY(::chmod(QFile::encodeName(path).constData(), 01777) == 0);
            if (foreign)
                QVERIFY(::chown(QFile::encodeName(path).constData(), 65534, 65534) == 0);
        } else if (words.first() == QLatin1String("mode")) {
            QVERIFY(::chmod(QFile::encodeName(real).constData(),
                            mode_t(words.at(1).toUInt(nullptr, 8))) == 0);
            if (words.size() > 2)
                QVERIFY(::chown(QFile::encodeName(real).constData(), ::geteuid(), 65534) == 0);
        } else if (words.first() == QLatin1String("umask")) {
            QVERIFY(QDir(real).removeRecursively()); // the images folder is made anew
            QVERIFY(QDir().mkpath(real));
        } else {
            if (foreign)
                QVERIFY(::chown(QFile::encodeName(real).constData(), 65534, 65534) == 0);
            folder = m_temporary->filePath(QStringLiteral("chosen"));
            QVERIFY(QFile::link(real, folder));
        }
        const QMap<QString, QByteArray> before = filesBelow(m_temporary->path());

        const mode_t umask = ::umask(words.first() == QLatin1String("umask") ? 0 : 022);
        const NoteExport::Result result = NoteExport::exportNotes({note}, folder);
        ::umask(umask);
        QVERIFY2(result.ok == ok, qPrintable(result.error));
        QMap<QString, QByteArray> after = filesBelow(m_temporary->path());
        QCOMPARE(after.value(bashrc), before.value(bashrc));
        QCOMPARE(QDir(victim).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
                 QStringList{".bashrc"});
        if (!ok) {
            QVERIFY2(!result.error.isEmpty(), qPrintable(setup));
            QCOMPARE(after.keys(), before.keys());
            QCOMPARE(after, before);
            return;
        }
        QVERIFY(after.value(real + QStringLiteral("/note-8.html")).contains("x<img"));
        QCOMPARE(after.value(QStringLiteral("%1/images/%2.png").arg(real, m_hashes.value(0))),
                 contentOf(m_pictures + QStringLiteral("/photo.png")));
    }

    // A cancelled or failed export leaves an earlier export in the same
    // folder byte for byte as it was.
    void earlierExportSurvives_data()
    {
        QTest::addColumn<int>("cancelAfter"); // notes, or 0
        QTest::addColumn<bool>("blocked");    // a page of the new export is in the way
        QTest::newRow("cancelled at the first note") << 1 << false;
        QTest::newRow("cancelled at the last note") << 3 << false;
        QTest::newRow("a page in the way") << 0 << true;
    }

    void earlierExportSurvives()
    {
        QFETCH(int, cancelAfter);
        QFETCH(bool, blocked);
        const QString folder = m_temporary->filePath(QStringLiteral("export"));
        QVERIFY(NoteExport::exportNotes(sampleNotes(), folder).ok);
        QList<NoteRecord> changed = sampleNotes();
        for (NoteRecord &note : changed)
            note.message = richText(QStringLiteral("<p>changed</p>"));
        if (blocked) {
            changed.append(changed.first());
            changed.last().id = 9;
            QVERIFY(QDir().mkpath(folder + QStringLiteral("/note-9.html")));
        }
        const QMap<QString, QByteArray> before = filesBelow(folder);
        const NoteExport::Result result = NoteExport::exportNotes(
            changed, folder, [&](int done, int) { return cancelAfter == 0 || done < cancelAfter; });
        QVERIFY(!result.ok);
        QCOMPARE(result.cancelled, cancelAfter > 0);
        QCOMPARE(result.written, 0);
        QVERIFY(blocked == result.error.contains(QStringLiteral("note-9.html")));
        const QMap<QString, QByteArray> after = filesBelow(folder);
        QCOMPARE(after.keys(), before.keys());
        QCOMPARE(after, before);
    }

    // A note whose markup the layout cannot bear is exported as its plain
    // text, at once; one within bounds keeps its formatting.
    void deepMarkupExportsAsPlainText_data()
    {
        QTest::addColumn<int>("depth");
        QTest::addColumn<bool>("formatted");
        QTest::newRow("50 nested blocks") << 50 << true;
        QTest::newRow("150 nested blocks") << 150 << false;
        QTest::newRow("50,000 nested blocks") << 50000 << false;
    }

    void deepMarkupExportsAsPlainText()
    {
        QFETCH(int, depth);
        QFETCH(bool, formatted);
        NoteRecord note = sampleNotes().constLast();
        note.message = QStringLiteral("<div>").repeated(depth) +
                       QStringLiteral("deep <b>bold</b> words") +
                       QStringLiteral("</div>").repeated(depth);
        const QString folder = m_temporary->filePath(QStringLiteral("export"));
        const NoteExport::Result result = NoteExport::exportNotes({note}, folder);
        QVERIFY2(result.ok, qPrintable(result.error));
        const QString page = QString::fromUtf8(contentOf(folder + QStringLiteral("/note-8.html")));
        const QString markdown =
            QString::fromUtf8(contentOf(folder + QStringLiteral("/note-8.md")));
        QCOMPARE(page.contains(QStringLiteral("deep <b>bold</b> words")), formatted);
        QCOMPARE(page.contains(QStringLiteral("<div>")), formatted);
        QCOMPARE(markdown.contains(QStringLiteral("deep **bold** words")), formatted);
        if (!formatted) {
            QVERIFY(page.contains(QStringLiteral("deep bold words")));
            QVERIFY(markdown.contains(QStringLiteral("deep bold words")));
        }
    }

    // What a note says reaches the index, its page and its Markdown page as
    // text, never as markup: read back, each shows exactly what was typed.
    void specialCharactersStayText_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::newRow("markup") << "<img src=x onerror=alert(1)> <script>alert(2)</script>";
        QTest::newRow("entities") << "&amp; &lt; &#60; & < >";
        QTest::newRow("quotes") << "\"double\" 'single' `back`";
        QTest::newRow("Markdown marks") << "*a* _b_ [c](d) # e | f ~~g~~ \\h ![i](j)";
    }

    void specialCharactersStayText()
    {
        QFETCH(QString, typed);
        NoteRecord note = sampleNotes().constLast(); // id 8
        note.colorName = typed;
        QTextDocument written;
        written.setPlainText(typed);
        note.message = written.toHtml();
        const QString folder = m_temporary->filePath(QStringLiteral("export"));
        QVERIFY(NoteExport::exportNotes({note}, folder).ok);

        QTextDocument index;
        index.setHtml(QString::fromUtf8(contentOf(folder + QStringLiteral("/index.html"))));
        const QString shown = index.toPlainText();
        QVERIFY2(shown.contains(typed), qPrintable(shown)); // the excerpt

        const QString markdown =
            QString::fromUtf8(contentOf(folder + QStringLiteral("/note-8.md")));
        QTextDocument read;
        read.setMarkdown(markdown);
        const QStringList lines = read.toPlainText().split(QLatin1Char('\n'));
        QVERIFY2(lines.contains(typed), qPrintable(markdown));
        QVERIFY2(lines.contains(QStringLiteral("Colour: %1 (#ffffff)").arg(typed)),
                 qPrintable(markdown));

        const NoteImport::Result back = NoteImport::readFolder(folder);
        QCOMPARE(back.records.size(), 1);
        QTextDocument imported;
        imported.setHtml(back.records.first().message);
        QCOMPARE(imported.toPlainText(), typed);
        QCOMPARE(back.records.first().colorName, typed);
    }

    // A stored text may hold markup Qt ignores but a browser runs (scripts,
    // event attributes, "javascript:" links): the page tells the browser,
    // ahead of any note text, to run no script at all. Links keep their
    // address in the Markdown page.
    void pagesCarryNoScript()
    {
        NoteRecord note = sampleNotes().constLast();
        const QString address = QStringLiteral("https://example.org/a b)c<d>?x=1&y=[2]");
        note.message = QStringLiteral("<p>hi<img src=\"x\" onerror=\"alert(1)\">"
                                      "<script>alert(2)</script>"
                                      "<a href=\"%1\" onclick=\"alert(3)\">li]nk</a></p>")
                           .arg(address.toHtmlEscaped());
        const QString folder = m_temporary->filePath(QStringLiteral("export"));
        QVERIFY(NoteExport::exportNotes({note}, folder).ok);
        for (const QString &name : {QStringLiteral("note-8.html"), QStringLiteral("index.html")}) {
            const QString page = QString::fromUtf8(contentOf(folder + QLatin1Char('/') + name));
            static const QRegularExpression policy(QStringLiteral(
                "<meta http-equiv=\"Content-Security-Policy\" content=\"([^\"]*)\">"));
            const QRegularExpressionMatch match = policy.match(page);
            QVERIFY2(match.hasMatch(), qPrintable(name));
            const qsizetype noteText = page.indexOf(QStringLiteral("<body"));
            QVERIFY(match.capturedStart() < noteText);
            const QStringList rules = match.captured(1).split(QStringLiteral("; "));
            QVERIFY(rules.contains(QStringLiteral("default-src 'none'")));
            QVERIFY(!match.captured(1).contains(QStringLiteral("script-src")));
        }
        QTextDocument read;
        read.setMarkdown(QString::fromUtf8(contentOf(folder + QStringLiteral("/note-8.md"))));
        QStringList links;
        for (QTextBlock block = read.begin(); block.isValid(); block = block.next()) {
            for (auto it = block.begin(); !it.atEnd(); ++it) {
                if (it.fragment().charFormat().isAnchor())
                    links << it.fragment().text() + QLatin1Char(' ') +
                                 QUrl::fromPercentEncoding(
                                     it.fragment().charFormat().anchorHref().toUtf8());
            }
        }
        QCOMPARE(links, QStringList{QStringLiteral("li]nk ") + address});
    }

    void cancelledImportReturnsNothing()
    {
        const QString folder = m_temporary->filePath(QStringLiteral("export"));
        QVERIFY(NoteExport::exportNotes(sampleNotes(), folder).ok);
        const NoteImport::Result imported =
            NoteImport::readFolder(folder, [](int done, int) { return done < 2; });
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

    void indexNamesNotesByTheirSummary()
    {
        NoteRecord typed;
        typed.id = 4;
        typed.creationDate = at("2025-03-01T08:15:00Z");
        // Typed as it reads: "<b>x</b> & "y"".
        typed.message = richText(QStringLiteral("<p>&lt;b&gt;x&lt;/b&gt; &amp; &quot;y&quot;</p>"));
        NoteRecord pictured = typed;
        pictured.id = 5;
        pictured.message = richText(
            QStringLiteral("<p><img src=\"%1/photo.png\" />Photo<img src=\"%1/photo.png\" /></p>")
                .arg(m_pictures));
        NoteRecord pictureOnly = pictured;
        pictureOnly.id = 6;
        pictureOnly.message =
            richText(QStringLiteral("<p><img src=\"%1/photo.png\" /></p>").arg(m_pictures));
        const QString folder = m_temporary->filePath(QStringLiteral("export"));
        QVERIFY(NoteExport::exportNotes({typed, pictured, pictureOnly}, folder).ok);
        const QString index = QString::fromUtf8(contentOf(folder + QStringLiteral("/index.html")));
        QVERIFY(!index.contains(QChar::ObjectReplacementCharacter));
        QVERIFY(!index.contains(QStringLiteral("<b>x</b>")));
        QVERIFY(!index.contains(QStringLiteral("Note 4")));
        // What a browser shows: the link texts are the summaries.
        QTextDocument shown;
        shown.setHtml(index);
        QStringList links;
        for (QTextBlock block = shown.begin(); block.isValid(); block = block.next()) {
            for (auto it = block.begin(); !it.atEnd(); ++it) {
                const QTextFragment fragment = it.fragment();
                if (fragment.charFormat().anchorHref().startsWith(QLatin1String("note-")) &&
                    fragment.charFormat().anchorHref().endsWith(QLatin1String(".html")))
                    links << fragment.text();
            }
        }
        QCOMPARE(links, (QStringList{"\"<b>x</b> & \"y\"\"", "\"Photo\"", "Note 6"}));
    }

    void rulesShowInABrowser()
    {
        NoteRecord ruled = sampleNotes().at(1); // holds a rule
        QVERIFY(ruled.message.contains(QStringLiteral("<hr")));
        const QString folder = m_temporary->filePath(QStringLiteral("export"));
        QVERIFY(NoteExport::exportNotes({ruled}, folder).ok);
        const QString page = QString::fromUtf8(contentOf(folder + QStringLiteral("/note-3.html")));
        // Qt's own rule style draws nothing in a browser: no border, no colour.
        QVERIFY(page.contains(QStringLiteral("hr { height: 1px; border-width: 0; }")));
        static const QRegularExpression pageRule(
            QStringLiteral(R"(<head>.*<style>[^<]*hr \{([^}]*)\}.*</head>)"),
            QRegularExpression::DotMatchesEverythingOption);
        const QRegularExpressionMatch match = pageRule.match(page);
        QVERIFY2(match.hasMatch(), qPrintable(page.left(1200)));
        const QString rule = match.captured(1);
        QVERIFY(rule.contains(QStringLiteral("background-color: currentColor !important")));
        QVERIFY(rule.contains(QStringLiteral("height: 1px !important")));
    }

    void markdownUnderline_data()
    {
        QTest::addColumn<QString>("html");
        QTest::addColumn<QString>("markdown");
        QTest::newRow("underline") << "<p>a <u>under</u> b</p>"
                                   << "a <u>under</u> b";
        QTest::newRow("inside bold") << "<p><b>bold <u>both</u></b> after</p>"
                                     << "**bold <u>both</u>** after";
        QTest::newRow("around bold") << "<p><u>one <b>two</b> three</u></p>"
                                     << "<u>one **two** three</u>";
        QTest::newRow("bold after a word") << "<p>word<u><b>a</b></u> x</p>"
                                           << "word<u>**a**</u> x";
        QTest::newRow("italic") << "<p><i><u>it</u></i></p>"
                                << "<u>*it*</u>";
        QTest::newRow("in italic") << "<p><i>so <u>very</u> much</i></p>"
                                   << "*so <u>very</u> much*";
        QTest::newRow("bold, then underlined plain") << "<p><b>b<u>bu</u></b><u>c</u> d</p>"
                                                     << "**b**<u>**bu**c</u> d";
        QTest::newRow("list item") << "<ul><li><u>item</u></li></ul>"
                                   << "- <u>item</u>";
        QTest::newRow("link") << "<p><a href=\"https://example.org/\">site</a></p>"
                              << "[site](https://example.org/)";
        QTest::newRow("text holding private characters")
            << QStringLiteral("<p>\uE000\uE001 <u>u</u> \uE002</p>")
            << QStringLiteral("\uE000\uE001 <u>u</u> \uE002");
    }

    void markdownUnderline()
    {
        QFETCH(QString, html);
        QFETCH(QString, markdown);
        NoteRecord note = sampleNotes().at(2);
        note.message = richText(html);
        const QString folder = m_temporary->filePath(QStringLiteral("export"));
        QVERIFY(NoteExport::exportNotes({note}, folder).ok);
        const QString page = QString::fromUtf8(contentOf(folder + QStringLiteral("/note-8.md")));
        QVERIFY2(page.contains(markdown), qPrintable(page));
        QVERIFY(!page.contains(QLatin1Char('_'))); // Qt's own underline
        QCOMPARE(page.count(QStringLiteral("<u>")), page.count(QStringLiteral("</u>")));
    }

    void repeatsInWords()
    {
        NoteRecord note = sampleNotes().at(1);
        note.periodicMask = QStringLiteral("|0|9|*|*|1-5");
        const QString folder = m_temporary->filePath(QStringLiteral("export"));
        QVERIFY(NoteExport::exportNotes({note}, folder).ok);
        const QString page = QString::fromUtf8(contentOf(folder + QStringLiteral("/note-3.html")));
        const QString markdown =
            QString::fromUtf8(contentOf(folder + QStringLiteral("/note-3.md")));
        QVERIFY(page.contains(QStringLiteral("<th>Repeats</th><td>every weekday at 9:00</td>")));
        QVERIFY(markdown.contains(QStringLiteral("- Repeats: every weekday at 9:00\n")));
        // The pattern itself is kept for the import.
        const NoteImport::Result back = NoteImport::readFolder(folder);
        QCOMPARE(back.records.size(), 1);
        QCOMPARE(back.records.first().periodicMask, note.periodicMask);
    }

    void notNoteFilesSayWhy_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("named");
        QTest::newRow("text file") << "text"
                                   << "not a database";
        QTest::newRow("database without notes") << "sqlite"
                                                << "\"stickies\"";
        QTest::newRow("empty file") << "empty"
                                    << "\"stickies\"";
    }

    void notNoteFilesSayWhy()
    {
        QFETCH(QString, kind);
        QFETCH(QString, named);
        const QString file = m_temporary->filePath(QStringLiteral("other.db"));
        if (kind == QLatin1String("sqlite")) {
            {
                QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), "maker");
                db.setDatabaseName(file);
                QVERIFY(db.open());
                QSqlQuery(db).exec(QStringLiteral("CREATE TABLE recipes (name TEXT)"));
                db.close();
            }
            QSqlDatabase::removeDatabase(QStringLiteral("maker"));
        } else {
            QFile out(file);
            QVERIFY(out.open(QIODevice::WriteOnly));
            if (kind == QLatin1String("text"))
                out.write(QByteArray("these are my notes, honestly\n").repeated(200));
        }
        const QByteArray before = contentOf(file);
        const NoteImport::Result imported = NoteImport::readDatabase(file);
        QVERIFY(!imported.ok);
        const QString prefix = QStringLiteral("is not a Notarella note file: ");
        const qsizetype at = imported.error.indexOf(prefix);
        QVERIFY2(at >= 0, qPrintable(imported.error));
        const QString reason = imported.error.mid(at + prefix.size()).trimmed();
        QVERIFY2(!reason.isEmpty(), qPrintable(imported.error));
        QVERIFY2(reason.contains(named), qPrintable(reason));
        QCOMPARE(contentOf(file), before);
    }

    void duplicatesAreFound_data()
    {
        QTest::addColumn<QString>("existingText");
        QTest::addColumn<int>("existingSeconds"); // after the sample's creation
        QTest::addColumn<QStringList>("incomingTexts");
        QTest::addColumn<QList<int>>("incomingSeconds");
        QTest::addColumn<QList<bool>>("present");
        const QString doc = richText(QStringLiteral("<p><b>Buy</b> milk &amp; <i>bread</i></p>"));
        QTest::newRow("same date and text")
            << doc << 0 << QStringList{doc} << QList<int>{0} << QList<bool>{true};
        QTest::newRow("a second later")
            << doc << 0 << QStringList{doc} << QList<int>{1} << QList<bool>{false};
        QTest::newRow("a second earlier")
            << doc << 0 << QStringList{doc} << QList<int>{-1} << QList<bool>{false};
        QTest::newRow("other text")
            << doc << 0 << QStringList{richText("<p>Buy milk &amp; bread!</p>")} << QList<int>{0}
            << QList<bool>{false};
        // Formatting is not compared; what the HTML says is.
        QTest::newRow("written differently")
            << doc << 0 << QStringList{QStringLiteral("<b>Buy</b> milk &amp; bread")}
            << QList<int>{0} << QList<bool>{true};
        QTest::newRow("only formatting differs")
            << doc << 0 << QStringList{richText("<p>Buy milk &amp; bread</p>")} << QList<int>{0}
            << QList<bool>{true};
        QTest::newRow("twice in the import")
            << doc << 5 << QStringList{doc, doc, doc} << QList<int>{0, 0, 1}
            << QList<bool>{false, true, false};
        QTest::newRow("picture path differs")
            << richText("<p>a<img src=\"/home/me/x.png\" />b</p>") << 0
            << QStringList{richText("<p>a<img src=\"/data/images/x-2.png\" />b</p>")}
            << QList<int>{0} << QList<bool>{true};
        QTest::newRow("a picture more") << richText("<p>ab</p>") << 0
                                        << QStringList{richText("<p>a<img src=\"/x.png\" />b</p>")}
                                        << QList<int>{0} << QList<bool>{false};
        QTest::newRow("empty notes") << QString() << 0 << QStringList{QString(), QString()}
                                     << QList<int>{0, 0} << QList<bool>{true, true};
    }

    void duplicatesAreFound()
    {
        QFETCH(QString, existingText);
        QFETCH(int, existingSeconds);
        QFETCH(QStringList, incomingTexts);
        QFETCH(QList<int>, incomingSeconds);
        QFETCH(QList<bool>, present);
        const QDateTime created = at("2025-03-01T08:15:00Z");
        NoteRecord existing;
        existing.creationDate = created.addSecs(existingSeconds);
        existing.message = existingText;
        QList<NoteRecord> incoming;
        for (qsizetype i = 0; i < incomingTexts.size(); ++i) {
            NoteRecord record;
            record.creationDate = created.addSecs(incomingSeconds.at(i));
            record.message = incomingTexts.at(i);
            incoming << record;
        }
        QCOMPARE(ImportMerge::alreadyPresent({existing}, incoming), present);
    }

    void datesCompareToTheSecond()
    {
        // A note made while the program runs has milliseconds; its export
        // and its note file keep whole seconds.
        NoteRecord existing;
        existing.creationDate = at("2025-03-01T08:15:00Z").addMSecs(999);
        existing.message = QStringLiteral("x");
        NoteRecord incoming = existing;
        incoming.creationDate = at("2025-03-01T08:15:00Z");
        QCOMPARE(ImportMerge::alreadyPresent({existing}, {incoming}), QList<bool>{true});
        incoming.creationDate = incoming.creationDate.toUTC(); // another time zone, same moment
        QCOMPARE(ImportMerge::alreadyPresent({existing}, {incoming}), QList<bool>{true});
    }

    void secondImportAddsNothing_data()
    {
        QTest::addColumn<bool>("fromFolder");
        QTest::newRow("exported folder") << true;
        QTest::newRow("note file") << false;
    }

    void secondImportAddsNothing()
    {
        QFETCH(bool, fromFolder);
        const QList<NoteRecord> notes = sampleNotes();
        const QString folder = m_temporary->filePath(QStringLiteral("export"));
        const QString file = m_temporary->filePath(QStringLiteral("theirs.db"));
        QString error;
        QVERIFY(NoteExport::exportNotes(notes, folder).ok);
        QVERIFY(NoteDatabase::writeCopy(file, notes, &error));
        const auto read = [&] {
            return fromFolder ? NoteImport::readFolder(folder) : NoteImport::readDatabase(file);
        };
        // The notes as they are once the first import made windows of them.
        const NoteImport::Result first = read();
        QVERIFY(first.ok);
        const ImportMerge::Outcome added = ImportMerge::merge({}, first.records, {});
        QCOMPARE(added.added.size(), notes.size());
        QList<NoteRecord> shown = added.added;
        for (NoteRecord &record : shown)
            record.message = richText(record.message);

        const ImportMerge::Outcome again = ImportMerge::merge(shown, read().records, {});
        QVERIFY(again.added.isEmpty());
        QCOMPARE(again.alreadyPresent, int(notes.size()));
        // The notes the export came from count as well.
        QCOMPARE(ImportMerge::merge(notes, read().records, {}).alreadyPresent, int(notes.size()));
    }

    void freeCorners_data()
    {
        QTest::addColumn<QRect>("note");
        QTest::addColumn<QList<QPoint>>("taken");
        QTest::addColumn<QList<QRect>>("screens");
        QTest::addColumn<QPoint>("corner");
        const QList<QRect> screen{QRect(0, 0, 800, 600)};
        const QRect note(200, 200, 300, 200);
        QTest::newRow("free") << note << QList<QPoint>{{201, 200}, {200, 199}, {220, 220}} << screen
                              << QPoint(200, 200);
        QTest::newRow("taken") << note << QList<QPoint>{{200, 200}} << screen << QPoint(220, 220);
        QTest::newRow("taken twice over")
            << note << QList<QPoint>{{220, 220}, {200, 200}, {260, 260}} << screen
            << QPoint(240, 240);
        // 480 + 300 = 780 fits; 500 + 300 = 800 still fits; 520 does not.
        QTest::newRow("step to the edge")
            << QRect(480, 380, 300, 200) << QList<QPoint>{{480, 380}} << screen << QPoint(500, 400);
        QTest::newRow("step past the edge starts at the top left")
            << QRect(500, 400, 300, 200) << QList<QPoint>{{500, 400}} << screen << QPoint(0, 0);
        QTest::newRow("top left taken as well")
            << QRect(500, 400, 300, 200) << QList<QPoint>{{500, 400}, {0, 0}} << screen
            << QPoint(20, 20);
        QTest::newRow("second screen")
            << QRect(1700, 1000, 300, 200) << QList<QPoint>{{1700, 1000}}
            << QList<QRect>{QRect(0, 0, 800, 600), QRect(800, 0, 1200, 1200)} << QPoint(800, 0);
        QTest::newRow("no screens, no edge")
            << QRect(5000, 5000, 300, 200) << QList<QPoint>{{5000, 5000}} << QList<QRect>{}
            << QPoint(5020, 5020);
        // Every corner the walk can reach is taken: it ends, wherever.
        QTest::newRow("screen too small") << QRect(0, 0, 300, 200) << QList<QPoint>{{0, 0}}
                                          << QList<QRect>{QRect(0, 0, 300, 200)} << QPoint(0, 0);
    }

    void freeCorners()
    {
        QFETCH(QRect, note);
        QFETCH(QList<QPoint>, taken);
        QFETCH(QList<QRect>, screens);
        QFETCH(QPoint, corner);
        QCOMPARE(ImportMerge::freeCorner(note, taken, screens), corner);
    }

    void mergePlacesAddedNotesApart()
    {
        NoteRecord here;
        here.creationDate = at("2025-01-01T10:00:00Z");
        here.message = QStringLiteral("here");
        here.x = 100;
        here.y = 100;
        here.width = 200;
        here.height = 150;
        NoteRecord copy = here; // already present: neither added nor moved
        NoteRecord other = here;
        other.message = QStringLiteral("other");
        NoteRecord third = other;
        third.creationDate = third.creationDate.addSecs(60);
        NoteRecord offScreen = third;
        offScreen.creationDate = offScreen.creationDate.addSecs(60);
        offScreen.x = 5000;
        offScreen.y = 5000;
        const ImportMerge::Outcome outcome =
            ImportMerge::merge({here}, {copy, other, third, offScreen}, {QRect(0, 0, 800, 600)});
        QCOMPARE(outcome.alreadyPresent, 1);
        QCOMPARE(outcome.added.size(), 3);
        QCOMPARE(QPoint(outcome.added.at(0).x, outcome.added.at(0).y), QPoint(120, 120));
        QCOMPARE(QPoint(outcome.added.at(1).x, outcome.added.at(1).y), QPoint(140, 140));
        // Brought onto the screen as loading would, at its corner.
        QCOMPARE(QPoint(outcome.added.at(2).x, outcome.added.at(2).y), QPoint(600, 450));
        QCOMPARE(outcome.added.at(2).message, offScreen.message);
        QCOMPARE(QSize(outcome.added.at(2).width, outcome.added.at(2).height), QSize(200, 150));
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
                           "link</a> <img src=\"%1\" width=\"4\" height=\"4\" /></p>"
                           "<p><img src=\"%2\" /> <img src=\"%1\" /> <img src=\"%3\" /></p>")
                .arg(PictureStore::imageSource(m_hashes.value(0)),
                     PictureStore::imageSource(m_hashes.value(1)),
                     PictureStore::imageSource(m_hashes.value(2))));
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
    QStringList m_hashes; // of photo.png, other/photo.png and "icon & co.png"
};

QTEST_MAIN(TestNoteExchange)
#include "tst_noteexchange.moc"
