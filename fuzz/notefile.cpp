// The note file readers on any bytes: the user's own file as the program
// opens and loads it at start, and another note file read for an import.
// Either reads notes or says what is wrong; neither may hang (libFuzzer's
// -timeout) or take more memory than -rss_limit_mb allows.

#include "exchange/noteimport.h"
#include "fuzzsupport.h"
#include "store/notewriter.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace {

QTemporaryDir &folder()
{
    static QTemporaryDir temporary;
    return temporary;
}

void writeInput(const QString &path, const uint8_t *data, size_t size)
{
    QFile file(path);
    FuzzSupport::expect(file.open(QIODevice::WriteOnly | QIODevice::Truncate),
                        "the input can be written", path);
    file.write(reinterpret_cast<const char *>(data), qint64(size));
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    FuzzSupport::start(argc, argv);
    FuzzSupport::expect(folder().isValid(), "a temporary folder");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    QDir dir(folder().path());
    dir.removeRecursively();
    dir.mkpath(QStringLiteral("."));
    const QString file = dir.filePath(QStringLiteral("fuzz-user"));

    writeInput(file, data, size);
    NoteImport::readDatabase(file);

    writeInput(file, data, size);
    {
        NoteWriter writer;
        const NoteDatabase::OpenResult opened = writer.open(dir.path(), file);
        Q_UNUSED(opened);
        QList<NoteDatabase::Incident> incidents;
        writer.load(&incidents);
    }
    return 0;
}
