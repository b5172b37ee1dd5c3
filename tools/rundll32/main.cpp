// The URL handler of Notarella on Linux: takes the same command line as the
// Windows one, "rundll32 url.dll,FileProtocolHandler <url>", and hands the URL
// to the desktop's opener (xdg-open, or $NOTARELLA_URL_OPENER) as one
// argument. No shell is involved, so nothing inside the URL is interpreted.
//
// Its exit status tells Notarella whether the link opened: 127 when the
// opener cannot be started, the opener's own status when it answers within
// the wait (see CommandLine::openerWaitMilliseconds), with what the opener
// wrote to its error output; 0 when it is still busy after the wait. The
// opener runs in a session of its own and writes into an unnamed file, so it
// goes on undisturbed when this handler or Notarella ends.

#include "richtext/commandline.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QStringList>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

// An unnamed file for the opener's error output, or -1.
int unnamedFile()
{
    QByteArray name = QFile::encodeName(QDir::tempPath()) + "/notarella-opener-XXXXXX";
    const int file = mkstemp(name.data());
    if (file >= 0)
        unlink(name.constData());
    return file;
}

void copyToErrorOutput(int file)
{
    if (file < 0 || lseek(file, 0, SEEK_SET) != 0)
        return;
    char buffer[4096];
    ssize_t got = 0;
    while ((got = read(file, buffer, sizeof buffer)) > 0) {
        if (write(STDERR_FILENO, buffer, size_t(got)) != got)
            return;
    }
}

} // namespace

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
    const int errorFile = unnamedFile();
    int startReport[2];
    if (pipe2(startReport, O_CLOEXEC) != 0) {
        std::fprintf(stderr, "rundll32: cannot start %s: %s\n", opener.constData(),
                     std::strerror(errno));
        return 127;
    }
    const pid_t child = fork();
    if (child < 0) {
        std::fprintf(stderr, "rundll32: cannot start %s: %s\n", opener.constData(),
                     std::strerror(errno));
        return 127;
    }
    if (child == 0) {
        setsid();
        const int nothing = open("/dev/null", O_RDWR);
        if (nothing >= 0) {
            dup2(nothing, STDIN_FILENO);
            dup2(nothing, STDOUT_FILENO);
        }
        dup2(errorFile >= 0 ? errorFile : nothing, STDERR_FILENO);
        for (const int extra : {nothing, errorFile}) {
            if (extra > STDERR_FILENO)
                close(extra);
        }
        execvp(opener.constData(), openerArguments);
        // Only reached when the start failed: tell the parent why.
        const int error = errno;
        [[maybe_unused]] const ssize_t written = write(startReport[1], &error, sizeof error);
        _exit(127);
    }
    close(startReport[1]);
    int startError = 0;
    ssize_t got = 0;
    do {
        got = read(startReport[0], &startError, sizeof startError);
    } while (got < 0 && errno == EINTR);
    if (got == ssize_t(sizeof startError)) {
        waitpid(child, nullptr, 0);
        std::fprintf(stderr, "rundll32: cannot start %s: %s\n", opener.constData(),
                     std::strerror(startError));
        return 127;
    }

    using namespace std::chrono;
    const auto deadline = steady_clock::now() + milliseconds(CommandLine::openerWaitMilliseconds());
    int status = 0;
    for (;;) {
        const pid_t ended = waitpid(child, &status, WNOHANG);
        if (ended == child)
            break;
        if (ended < 0 && errno != EINTR)
            return 0;
        if (steady_clock::now() >= deadline)
            return 0; // still busy opening: it carries on by itself
        std::this_thread::sleep_for(milliseconds(20));
    }
    copyToErrorOutput(errorFile);
    if (WIFSIGNALED(status)) {
        std::fprintf(stderr, "rundll32: %s ended by signal %d\n", opener.constData(),
                     WTERMSIG(status));
        return 128 + WTERMSIG(status);
    }
    return WEXITSTATUS(status);
}
