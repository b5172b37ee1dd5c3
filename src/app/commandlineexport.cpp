#include "app/commandlineexport.h"

#include "base/apppaths.h"
#include "exchange/noteexport.h"
#include "exchange/noteimport.h"
#include "platform/username.h"

#include <QCoreApplication>
#include <QDir>
#include <QTextStream>

namespace CommandLineExport {

int run(const QString &directory, QTextStream &out, QTextStream &err)
{
    const QString database = AppPaths::noteDataDirectory() + Platform::currentUserName();
    const NoteImport::Result notes = NoteImport::readDatabase(database);
    if (!notes.ok) {
        err << "notarella: " << notes.error << '\n';
        return 1;
    }
    for (const QString &problem : notes.problems)
        err << "notarella: " << problem << '\n';
    const NoteExport::Result written = NoteExport::exportNotes(notes.records, directory);
    if (!written.ok) {
        err << "notarella: " << written.error << '\n';
        return 1;
    }
    out << QCoreApplication::translate("CommandLine", "%n note(s) exported to %1", nullptr,
                                       written.written)
               .arg(QDir::toNativeSeparators(directory))
        << '\n';
    return notes.problems.isEmpty() ? 0 : 1;
}

} // namespace CommandLineExport
