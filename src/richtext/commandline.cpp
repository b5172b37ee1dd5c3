#include "richtext/commandline.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace CommandLine {

QString linkCommandTemplate()
{
    return QStringLiteral("rundll32 url.dll,FileProtocolHandler \"%1\"");
}

QString helpStartCommandTemplate()
{
    return QStringLiteral("hh \"%1/documentation/HELP.chm\"");
}

QString helpPageCommandPrefix()
{
    return QStringLiteral("hh \"%1/documentation/HELP.CHM::/");
}

QString urlHandlerEntryPoint()
{
    return QStringLiteral("url.dll,FileProtocolHandler");
}

LaunchCommand linkCommand(const QString &url)
{
    // arg() puts the URL in as it is and never looks into it again, so "%1"
    // or "%2" inside the URL stay untouched.
    return {
        linkCommandTemplate().arg(url), QStringLiteral("rundll32"), {urlHandlerEntryPoint(), url}};
}

LaunchCommand helpCommand(const QString &applicationDirectory, const QString &page)
{
    if (page.isEmpty()) {
        const QString helpFile = applicationDirectory + QStringLiteral("/documentation/HELP.chm");
        return {
            helpStartCommandTemplate().arg(applicationDirectory), QStringLiteral("hh"), {helpFile}};
    }
    const QString location =
        applicationDirectory + QStringLiteral("/documentation/HELP.CHM::/") + page;
    return {helpPageCommandPrefix().arg(applicationDirectory) + page + QLatin1Char('"'),
            QStringLiteral("hh"),
            {location}};
}

QStringList splitCommandLine(QStringView command)
{
    QStringList arguments;
    QString current;
    int quoteRun = 0;
    bool inQuote = false;
    for (const QChar c : command) {
        if (c == QLatin1Char('"')) {
            ++quoteRun;
            if (quoteRun == 3) {
                quoteRun = 0;
                current += c;
            }
            continue;
        }
        // A single quote opens or closes a group; a pair is an empty group.
        if (quoteRun == 1)
            inQuote = !inQuote;
        quoteRun = 0;
        if (!inQuote && c.isSpace()) {
            if (!current.isEmpty()) {
                arguments += current;
                current.clear();
            }
        } else {
            current += c;
        }
    }
    if (!current.isEmpty())
        arguments += current;
    return arguments;
}

QString resolveProgram(const QString &program, const QString &applicationDirectory)
{
    if (program.isEmpty() || program.contains(QLatin1Char('/')) ||
        program.contains(QLatin1Char('\\')))
        return program;
    if (!applicationDirectory.isEmpty()) {
        const QFileInfo besideUs(QDir(applicationDirectory).filePath(program));
        if (besideUs.isFile() && besideUs.isExecutable())
            return besideUs.absoluteFilePath();
    }
    const QString onPath = QStandardPaths::findExecutable(program);
    return onPath.isEmpty() ? program : onPath;
}

QString urlFromHandlerArguments(const QStringList &arguments)
{
    if (arguments.size() != 2)
        return {};
    if (arguments.at(0).compare(urlHandlerEntryPoint(), Qt::CaseInsensitive) != 0)
        return {};
    const QString &url = arguments.at(1);
    if (url.isEmpty() || url.startsWith(QLatin1Char('-')))
        return {};
    return url;
}

QString urlOpenerProgram()
{
    const QString configured = qEnvironmentVariable("NOTARELLA_URL_OPENER");
    return configured.isEmpty() ? QStringLiteral("xdg-open") : configured;
}

int openerWaitMilliseconds()
{
    bool isNumber = false;
    const int configured = qEnvironmentVariableIntValue("NOTARELLA_URL_OPENER_WAIT_MS", &isNumber);
    return isNumber && configured >= 0 ? configured : 10000;
}

} // namespace CommandLine
