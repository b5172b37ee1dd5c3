// The sync folder on disk: what a look reads from it, what is written, and
// the two services of two computers sharing one folder.

#include "store/picturestore.h"
#include "sync/syncfolder.h"
#include "sync/syncnotefile.h"
#include "sync/syncservice.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QUuid>

namespace {

const QDateTime kNow = QDateTime::currentDateTimeUtc();

SyncNote note(const QString &text, int counter = 1)
{
    SyncNote note;
    note.uuid = QUuid::createUuid().toString(QUuid::WithoutBraces);
    note.version = SyncVersion().changedBy(QUuid::createUuid().toString(QUuid::WithoutBraces),
                                           quint64(counter));
    note.machine = QStringLiteral("office");
    note.changed = kNow.addSecs(-60);
    note.record.visible = true;
    note.record.colorRGB = QStringLiteral("#FFFF99");
    note.record.colorName = QStringLiteral("Yellow");
    note.record.creationDate = kNow.addDays(-1);
    note.record.message = QStringLiteral("<p>%1</p>").arg(text);
    note.record.width = 200;
    note.record.height = 150;
    return note;
}

QByteArray pngBytes(const QColor &colour)
{
    QImage image(8, 8, QImage::Format_RGB32);
    image.fill(colour);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

void writeRaw(const QString &path, const QByteArray &bytes, int ageSeconds = 0)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    file.close();
    if (ageSeconds > 0) {
        QVERIFY(file.open(QIODevice::ReadWrite));
        QVERIFY(file.setFileTime(QDateTime::currentDateTime().addSecs(-ageSeconds),
                                 QFileDevice::FileModificationTime));
    }
}

const SyncFolderView::File *fileNamed(const SyncFolderView &view, const QString &name)
{
    for (const SyncFolderView::File &file : view.files) {
        if (file.name == name)
            return &file;
    }
    return nullptr;
}

// A computer's notes, kept in memory, with the service that keeps them in
// step with `folder`.
struct Computer
{
    QList<NoteRecord> notes;
    QHash<QString, QString> kept;
    int lastId = 100;
    std::unique_ptr<SyncService> service;

    explicit Computer(const QString &folder)
    {
        SyncService::Hooks hooks;
        hooks.records = [this] { return notes; };
        hooks.apply = [this](const QList<SyncLocalChange> &changes) {
            QList<NoteRecord> applied;
            for (const SyncLocalChange &change : changes) {
                NoteRecord record = change.record;
                const auto found =
                    std::find_if(notes.begin(), notes.end(),
                                 [&](const NoteRecord &r) { return r.id == record.id; });
                if (change.kind == SyncLocalChange::Kind::Add) {
                    record.id = ++lastId;
                    notes.append(record);
                } else if (found != notes.end() && change.kind == SyncLocalChange::Kind::Update) {
                    *found = record;
                } else if (found != notes.end()) {
                    notes.erase(found);
                    record.id = 0;
                }
                applied.append(record);
            }
            return applied;
        };
        hooks.keep = [this](const QHash<QString, QString> &rows) { kept = rows; };
        service = std::make_unique<SyncService>(hooks);
        service->setStoredState({});
        service->setFolder(folder);
    }

    // One look at the folder, with the writes it leads to.
    bool look()
    {
        QSignalSpy finished(service.get(), &SyncService::cycleFinished);
        service->syncNow();
        return finished.wait(10000);
    }
};

} // namespace

class SyncFolderTest : public QObject
{
    Q_OBJECT
private slots:
    void init() { PictureStore::instance().clear(); }
    void writtenNotesReadBack();
    void unreadableFileWaitsThenCountsAsAbsent_data();
    void unreadableFileWaitsThenCountsAsAbsent();
    void noteWaitsForItsPicture();
    void linksAndForeignFilesAreLeftAlone();
    void missingFolderIsUnreachable();
    void twoComputersShareOneFolder();
    void unreachableFolderKeepsChangesAndTellsOnce();
};

void SyncFolderTest::writtenNotesReadBack()
{
    QTemporaryDir dir;
    SyncFolder folder(dir.path());
    SyncNote plain = note(QStringLiteral("plain"));
    SyncNote pictured = note(QStringLiteral("with a picture"));
    const QString hash = PictureStore::instance().add(pngBytes(Qt::red));
    pictured.record.message +=
        QStringLiteral("<img src=\"%1\">").arg(PictureStore::imageSource(hash));
    SyncNote tombstone = note(QString());
    tombstone.deleted = kNow.addDays(-2);
    tombstone.record = NoteRecord();
    // A temporary file left by a write cut short is written over.
    writeRaw(dir.filePath(SyncNoteFile::temporaryName(SyncNoteFile::noteFileName(plain.uuid))),
             "half");

    const SyncFolder::WriteResult result = folder.write({plain, pictured, tombstone}, {});
    QCOMPARE(result.error, QString());
    QCOMPARE(result.written, 3);
    QVERIFY(QFile::exists(dir.filePath(SyncNoteFile::pictureFileName(hash, pngBytes(Qt::red)))));

    PictureStore::instance().clear();
    const SyncFolderView view = SyncFolder(dir.path()).read(kNow);
    QVERIFY(view.reachable);
    QCOMPARE(view.files.size(), 3);
    for (const SyncNote &written : {plain, pictured, tombstone}) {
        const auto *file = fileNamed(view, SyncNoteFile::noteFileName(written.uuid));
        QVERIFY2(file && file->note, qPrintable(written.uuid));
        QCOMPARE(file->key, written.uuid);
        QCOMPARE(file->note->uuid, written.uuid);
        QCOMPARE(file->note->version, written.version);
        QCOMPARE(file->note->isDeleted(), written.isDeleted());
        QCOMPARE(file->note->record.message, written.record.message);
    }
    // The picture came back from its file.
    QCOMPARE(PictureStore::instance().bytes(hash), pngBytes(Qt::red));
}

void SyncFolderTest::unreadableFileWaitsThenCountsAsAbsent_data()
{
    QTest::addColumn<int>("ageSeconds");
    QTest::addColumn<bool>("listed");
    QTest::newRow("just written") << 0 << true;
    QTest::newRow("within the grace") << int(SyncFolder::kUnreadableGraceSeconds) - 10 << true;
    QTest::newRow("past the grace") << int(SyncFolder::kUnreadableGraceSeconds) + 10 << false;
}

void SyncFolderTest::unreadableFileWaitsThenCountsAsAbsent()
{
    QFETCH(int, ageSeconds);
    QFETCH(bool, listed);
    QTemporaryDir dir;
    const QString uuid = QUuid::createUuid().toString(QUuid::WithoutBraces);
    writeRaw(dir.filePath(uuid + QStringLiteral(".note")), "notarella-note: 1\nid: ", ageSeconds);
    const SyncFolderView view = SyncFolder(dir.path()).read(QDateTime::currentDateTimeUtc());
    const auto *file = fileNamed(view, uuid + QStringLiteral(".note"));
    QCOMPARE(file != nullptr, listed);
    if (file) {
        QVERIFY(!file->note);
        QCOMPARE(file->key, uuid);
    }
}

void SyncFolderTest::noteWaitsForItsPicture()
{
    QTemporaryDir dir;
    SyncNote pictured = note(QStringLiteral("holiday"));
    const QByteArray bytes = pngBytes(Qt::blue);
    const QString hash = PictureStore::hashOf(bytes);
    pictured.record.message +=
        QStringLiteral("<img src=\"%1\">").arg(PictureStore::imageSource(hash));
    const QString name = SyncNoteFile::noteFileName(pictured.uuid);
    writeRaw(dir.filePath(name), SyncNoteFile::encode(pictured));
    SyncFolder folder(dir.path());
    QVERIFY(!fileNamed(folder.read(QDateTime::currentDateTimeUtc()), name)->note);

    // Not a picture under the picture's name: still waiting.
    QDir(dir.path()).mkpath(QStringLiteral("pictures"));
    const QString pictureName = SyncNoteFile::pictureFileName(hash, bytes);
    writeRaw(dir.filePath(pictureName), "not a picture");
    QVERIFY(!fileNamed(folder.read(QDateTime::currentDateTimeUtc()), name)->note);
    QVERIFY(!PictureStore::instance().contains(hash));

    writeRaw(dir.filePath(pictureName), bytes);
    QVERIFY(fileNamed(folder.read(QDateTime::currentDateTimeUtc()), name)->note);
    QCOMPARE(PictureStore::instance().bytes(hash), bytes);

    // A picture that never comes holds the note back only for a while.
    SyncNote late = note(QStringLiteral("late"));
    late.record.message += QStringLiteral("<img src=\"%1\">")
                               .arg(PictureStore::imageSource(QString(64, QLatin1Char('a'))));
    const QString lateName = SyncNoteFile::noteFileName(late.uuid);
    writeRaw(dir.filePath(lateName), SyncNoteFile::encode(late),
             int(SyncFolder::kPictureGraceSeconds) + 10);
    QVERIFY(fileNamed(folder.read(QDateTime::currentDateTimeUtc()), lateName)->note);
}

void SyncFolderTest::linksAndForeignFilesAreLeftAlone()
{
    QTemporaryDir dir;
    QTemporaryDir elsewhere;
    const SyncNote outside = note(QStringLiteral("outside"));
    writeRaw(elsewhere.filePath(QStringLiteral("target")), SyncNoteFile::encode(outside));
    const QString linked = SyncNoteFile::noteFileName(outside.uuid);
    QVERIFY(QFile::link(elsewhere.filePath(QStringLiteral("target")), dir.filePath(linked)));
    writeRaw(dir.filePath(QStringLiteral("shopping.txt")), "milk");
    SyncFolder folder(dir.path());
    QVERIFY(folder.read(kNow).files.isEmpty());
    // Only a note's file or its conflict copy is ever removed.
    const SyncFolder::WriteResult result =
        folder.write({}, {QStringLiteral("shopping.txt"), QStringLiteral("../escape.note")});
    QCOMPARE(result.removed, 0);
    QVERIFY(QFile::exists(dir.filePath(QStringLiteral("shopping.txt"))));
}

void SyncFolderTest::missingFolderIsUnreachable()
{
    QTemporaryDir dir;
    SyncFolder folder(dir.filePath(QStringLiteral("unplugged")));
    QVERIFY(!folder.read(kNow).reachable);
    const SyncFolder::WriteResult result = folder.write({note(QStringLiteral("kept"))}, {});
    QCOMPARE(result.written, 0);
    QVERIFY(!result.error.isEmpty());
}

void SyncFolderTest::twoComputersShareOneFolder()
{
    QTemporaryDir dir;
    Computer office(dir.path());
    Computer home(dir.path());
    QVERIFY(office.look());
    QVERIFY(home.look());
    NoteRecord made = note(QStringLiteral("made at the office")).record;
    made.id = 1;
    office.notes.append(made);
    QVERIFY(office.look());
    QVERIFY(home.look());
    QCOMPARE(home.notes.size(), 1);
    QCOMPARE(home.notes.first().message, made.message);
    QCOMPARE(home.service->status(), SyncService::Status::InStep);
    QVERIFY(home.service->statusText().contains(QLatin1String("1")));

    // Changed on both before either looked: both texts stay, on both.
    office.notes.first().message = QStringLiteral("<p>office text</p>");
    home.notes.first().message = QStringLiteral("<p>home text</p>");
    for (int round = 0; round < 3; ++round) {
        QVERIFY(office.look());
        QVERIFY(home.look());
    }
    for (const Computer *computer : {&office, &home}) {
        QStringList texts;
        for (const NoteRecord &record : computer->notes)
            texts.append(record.message);
        QCOMPARE(texts.size(), 2);
        QVERIFY(texts.join(u' ').contains(QLatin1String("office text")));
        QVERIFY(texts.join(u' ').contains(QLatin1String("home text")));
    }
    QVERIFY(office.service->conflicts() + home.service->conflicts() > 0);
    // Deleted at home: gone at the office too.
    home.notes.clear();
    QVERIFY(home.look());
    QVERIFY(office.look());
    QVERIFY(office.notes.isEmpty());
}

void SyncFolderTest::unreachableFolderKeepsChangesAndTellsOnce()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("share"));
    Computer office(path);
    QSignalSpy notices(office.service.get(), &SyncService::notice);
    NoteRecord made = note(QStringLiteral("written later")).record;
    made.id = 1;
    office.notes.append(made);
    QVERIFY(office.look());
    QVERIFY(office.look());
    QCOMPARE(office.service->status(), SyncService::Status::Unreachable);
    QCOMPARE(notices.size(), 1);
    // The change has its version already, kept with the notes.
    QVERIFY(!office.kept.isEmpty());

    QVERIFY(QDir().mkpath(path));
    QVERIFY(office.look());
    QCOMPARE(office.service->status(), SyncService::Status::InStep);
    const QStringList files = QDir(path).entryList({QStringLiteral("*.note")}, QDir::Files);
    QCOMPARE(files.size(), 1);
    QVERIFY(QDir(path).entryList().size() >= 1);
    QCOMPARE(notices.size(), 1);
}

QTEST_MAIN(SyncFolderTest)
#include "tst_syncfolder.moc"
