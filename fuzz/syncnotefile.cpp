// The sync folder's note-file reader on any bytes: what it accepts writes
// back to a file that reads as the same note, byte for byte, and the note
// makes the rich text reader load no picture from a file of this machine.

#include "sync/syncnotefile.h"
#include "fuzzsupport.h"

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    FuzzSupport::start(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const SyncNoteFile::Decoded decoded = SyncNoteFile::decode(bytes);
    if (!decoded.note)
        return 0;
    FuzzSupport::expectOnlyKeptResources(decoded.note->record.message);
    const QByteArray written = SyncNoteFile::encode(*decoded.note);
    const SyncNoteFile::Decoded again = SyncNoteFile::decode(written);
    FuzzSupport::expect(again.note.has_value(), "a written note reads back", again.problem);
    FuzzSupport::expect(
        SyncNoteFile::encode(*again.note) == written, "a note read back writes the same file",
        QString::fromUtf8(SyncNoteFile::encode(*again.note)), QString::fromUtf8(written));
    FuzzSupport::expect(again.pictures == decoded.pictures, "the same pictures");
    return 0;
}
