#pragma once

class QString;
class QTextStream;

// "notarella --export DIR": writes every note of the current user to a folder
// through NoteExport. It reads the database file read-only, so it runs beside
// a running copy of the program as well as alone.
namespace CommandLineExport {

// The whole command for the current user; the exit code of the program.
int run(const QString &directory, QTextStream &out, QTextStream &err);

} // namespace CommandLineExport
