// The exported-note page reader on any text, and the round trip that must be
// exact: a note written as a page reads back with every value it had. The
// input is also imported as the page of an exported folder that holds one
// picture, beside one outside it: the pictures it names are taken in or left
// out, and the note loads no picture from a file.

#include "exchange/noteexport.h"
#include "exchange/noteimport.h"
#include "fuzzsupport.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QtEndian>

namespace {

// outside.png and export/picture.png, both real pictures.
QTemporaryDir &folder()
{
    static QTemporaryDir temporary;
    return temporary;
}

QString exportFolder()
{
    return folder().filePath(QStringLiteral("export"));
}

// A note made of the input: numbers and switches from its first bytes, the
// texts from the rest, split at U+001F.
NoteRecord noteOf(const uint8_t *data, size_t size)
{
    NoteRecord record;
    quint8 head[24] = {};
    const size_t headSize = std::min(size, sizeof head);
    std::copy(data, data + headSize, head);
    record.id = qFromLittleEndian<qint32>(head);
    const quint8 flags = head[4];
    record.visible = flags & 1;
    record.locked = flags & 2;
    record.alwaysOnTop = flags & 4;
    record.taskbarEntry = flags & 8;
    record.x = qFromLittleEndian<qint16>(head + 5);
    record.y = qFromLittleEndian<qint16>(head + 7);
    record.width = qFromLittleEndian<quint16>(head + 9);
    record.height = qFromLittleEndian<quint16>(head + 11);
    const qint64 seconds = qFromLittleEndian<quint32>(head + 13);
    record.creationDate = QDateTime::fromSecsSinceEpoch(seconds, Qt::UTC);
    if (flags & 16) {
        record.reminderDate = QDateTime::fromSecsSinceEpoch(seconds + head[17] * 3600, Qt::UTC);
        record.originalReminderDate = record.reminderDate.addDays(-head[18]);
    }
    const QStringList texts =
        FuzzSupport::text(data + headSize, size - headSize).split(QChar(0x1f));
    record.colorRGB = texts.value(0);
    record.colorName = texts.value(1);
    record.periodicMask = texts.value(2);
    record.message = texts.mid(3).join(QChar(0x1f));
    return record;
}

QString describe(const NoteRecord &record)
{
    return QStringLiteral("%1 %2 %3 %4 %5 %6 %7 %8 %9 [%10] [%11] [%12] [%13]")
        .arg(record.id)
        .arg(record.visible)
        .arg(record.locked)
        .arg(record.alwaysOnTop)
        .arg(record.taskbarEntry)
        .arg(QStringLiteral("%1,%2,%3,%4")
                 .arg(record.x)
                 .arg(record.y)
                 .arg(record.width)
                 .arg(record.height))
        .arg(record.creationDate.toString(Qt::ISODate))
        .arg(record.reminderDate.toString(Qt::ISODate))
        .arg(record.originalReminderDate.toString(Qt::ISODate))
        .arg(record.colorRGB, record.colorName, record.periodicMask, record.message);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    FuzzSupport::start(argc, argv);
    FuzzSupport::expect(folder().isValid(), "a temporary folder");
    QDir().mkpath(exportFolder());
    QImage picture(4, 4, QImage::Format_RGB32);
    picture.fill(Qt::magenta);
    FuzzSupport::expect(picture.save(folder().filePath(QStringLiteral("outside.png"))) &&
                            picture.save(exportFolder() + QStringLiteral("/picture.png")),
                        "pictures can be written");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    // Any text as a page: read or refused, never more.
    NoteImport::parsePage(FuzzSupport::text(data, size));
    QFile page(exportFolder() + QStringLiteral("/note.html"));
    FuzzSupport::expect(page.open(QIODevice::WriteOnly | QIODevice::Truncate),
                        "the page can be written");
    page.write(reinterpret_cast<const char *>(data), qint64(size));
    page.close();
    const NoteImport::Result imported = NoteImport::readFolder(exportFolder());
    for (const NoteRecord &record : imported.records)
        FuzzSupport::expectOnlyKeptResources(record.message);

    const NoteRecord written = noteOf(data, size);
    const std::optional<NoteRecord> read =
        NoteImport::parsePage(NoteExport::htmlPage(written, written.message));
    FuzzSupport::expect(read.has_value(), "a written page reads back", describe(written));
    FuzzSupport::expect(*read == written, "with every value it had", describe(*read),
                        describe(written));
    return 0;
}
