// The URL handler of Notarella on Linux: takes the same command line as the
// Windows one, "rundll32 url.dll,FileProtocolHandler <url>", and hands the URL
// to the desktop's opener (xdg-open, or $NOTARELLA_URL_OPENER) as one
// argument. No shell is involved, so nothing inside the URL is interpreted.

#include "richtext/commandline.h"

#include <QByteArray>
#include <QFile>
#include <QStringList>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <unistd.h>

int main(int argc, char *argv[])
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);

    const QString url = CommandLine::urlFromHandlerArguments(arguments);
    if (url.isNull()) {
        std::fprintf(stderr, "usage: %s %s <url>\n", argc > 0 ? argv[0] : "rundll32",
                     qPrintable(CommandLine::urlHandlerEntryPoint()));
        return 2;
    }

    // The URL goes on exactly as it arrived: hand over the original bytes.
    const QByteArray opener = QFile::encodeName(CommandLine::urlOpenerProgram());
    char *openerArguments[] = {const_cast<char *>(opener.constData()), argv[2], nullptr};
    execvp(opener.constData(), openerArguments);
    std::fprintf(stderr, "rundll32: cannot start %s: %s\n", opener.constData(),
                 std::strerror(errno));
    return 127;
}
