#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

// Command lines for the programs Notarella hands links and help to. Each launch
// is described twice: as the single command line written to the trace, and as
// a program with a list of arguments, which is what is actually started. The
// argument list keeps a URL in one piece whatever characters it holds, where
// the quoted command line would break apart at a double quote inside the URL.
namespace CommandLine {

struct LaunchCommand
{
    QString commandText;   // the command line as written to the trace
    QString program;       // program name as the command line names it
    QStringList arguments; // what the program receives, one entry per argument
};

// The command templates; "%1" is the only placeholder.
QString linkCommandTemplate();      // rundll32 url.dll,FileProtocolHandler "%1"
QString helpStartCommandTemplate(); // hh "%1/documentation/HELP.chm"
// The page form: this prefix with the application directory for "%1", then the
// page path and a closing double quote.
QString helpPageCommandPrefix(); // hh "%1/documentation/HELP.CHM::/

// The first argument of the URL handler: the entry point it runs.
QString urlHandlerEntryPoint(); // url.dll,FileProtocolHandler

// Opening `url` with the URL handler.
LaunchCommand linkCommand(const QString &url);
// Opening the help viewer at `page` (a path inside the help file, optionally
// with "#anchor"), or at its start page when `page` is empty.
LaunchCommand helpCommand(const QString &applicationDirectory, const QString &page);

// Splits a command line into program and arguments the way QProcess and the
// Windows command-line conventions read it: blanks separate arguments, double
// quotes group, and three double quotes in a row stand for one literal quote.
QStringList splitCommandLine(QStringView command);

// The file to start for `program`: a name with a directory part is taken as
// it is; a bare name is looked for first in `applicationDirectory` (the
// program's own helpers live there), then on PATH. A name found nowhere comes
// back unchanged, so starting it simply fails.
QString resolveProgram(const QString &program, const QString &applicationDirectory);

// The URL that the URL handler was asked to open, given its arguments (without
// the program name): exactly the entry point and one non-empty URL. Anything
// else, including a URL beginning with "-" that an opener could take for an
// option, gives a null string.
QString urlFromHandlerArguments(const QStringList &arguments);

// The program the URL handler passes a URL to: $NOTARELLA_URL_OPENER when set
// and not empty, otherwise "xdg-open".
QString urlOpenerProgram();

// How long the URL handler waits for the opener's answer before it leaves the
// opener running on its own and reports success: $NOTARELLA_URL_OPENER_WAIT_MS
// when set to a number, otherwise 10 seconds. An opener that starts a browser
// in the foreground answers only when the browser closes.
int openerWaitMilliseconds();

} // namespace CommandLine
