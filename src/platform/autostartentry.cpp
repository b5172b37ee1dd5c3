#include "platform/autostartentry.h"

#include "base/tracing.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QStandardPaths>

namespace AutostartEntry {
namespace {

constexpr QLatin1StringView kReservedCharacters(" \t\n\"'\\><~|&;$*?#()`");

bool needsQuoting(const QString &argument)
{
    if (argument.isEmpty())
        return true;
    for (const QChar c : argument) {
        if (kReservedCharacters.contains(c))
            return true;
    }
    return false;
}

// Undoes the escapes of the key file's string type (\s \n \t \r \\).
QString unescapeString(const QString &raw)
{
    QString result;
    result.reserve(raw.size());
    for (qsizetype i = 0; i < raw.size(); ++i) {
        const QChar c = raw.at(i);
        if (c != QLatin1Char('\\') || i + 1 == raw.size()) {
            result += c;
            continue;
        }
        const QChar next = raw.at(++i);
        switch (next.unicode()) {
        case 's':
            result += QLatin1Char(' ');
            break;
        case 'n':
            result += QLatin1Char('\n');
            break;
        case 't':
            result += QLatin1Char('\t');
            break;
        case 'r':
            result += QLatin1Char('\r');
            break;
        default:
            result += next;
            break;
        }
    }
    return result;
}

} // namespace

QString entryPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QLatin1String("/autostart/notarella.desktop");
}

QString execValue(const QString &executablePath)
{
    QString argument = executablePath;
    argument.replace(QLatin1Char('%'), QLatin1String("%%"));
    if (needsQuoting(argument)) {
        QString quoted;
        for (const QChar c : std::as_const(argument)) {
            if (c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$') ||
                c == QLatin1Char('\\'))
                quoted += QLatin1Char('\\');
            quoted += c;
        }
        argument = QLatin1Char('"') + quoted + QLatin1Char('"');
    }
    // The key file's own string escapes come on top of the quoting rules.
    argument.replace(QLatin1Char('\\'), QLatin1String("\\\\"));
    argument.replace(QLatin1Char('\n'), QLatin1String("\\n"));
    argument.replace(QLatin1Char('\t'), QLatin1String("\\t"));
    argument.replace(QLatin1Char('\r'), QLatin1String("\\r"));
    return argument;
}

QString programFromExecValue(const QString &exec)
{
    const QString line = unescapeString(exec);
    QString program;
    qsizetype i = 0;
    if (line.startsWith(QLatin1Char('"'))) {
        for (i = 1; i < line.size(); ++i) {
            const QChar c = line.at(i);
            if (c == QLatin1Char('"'))
                break;
            if (c == QLatin1Char('\\') && i + 1 < line.size())
                program += line.at(++i);
            else
                program += c;
        }
    } else {
        const qsizetype end = line.indexOf(QLatin1Char(' '));
        program = end < 0 ? line : line.left(end);
    }
    return program.replace(QLatin1String("%%"), QLatin1String("%"));
}

bool write(const QString &executablePath)
{
    const QString path = entryPath();
    if (!QDir().mkpath(QFileInfo(path).absolutePath())) {
        qCWarning(lcPlatform) << "cannot create the autostart folder for" << path;
        return false;
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text)) {
        qCWarning(lcPlatform) << "cannot write" << path << file.errorString();
        return false;
    }
    const QString content = QLatin1String("[Desktop Entry]\n"
                                          "Type=Application\n"
                                          "Name=Notarella\n"
                                          "Comment=Sticky notes with reminders\n"
                                          "Exec=") +
                            execValue(executablePath) +
                            QLatin1String("\n"
                                          "Terminal=false\n"
                                          "X-GNOME-Autostart-enabled=true\n");
    file.write(content.toUtf8());
    return file.commit();
}

void remove()
{
    QFile::remove(entryPath());
}

QString executable()
{
    QFile file(entryPath());
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return QString();
    bool inMainGroup = false;
    bool switchedOff = false;
    QString program;
    while (!file.atEnd()) {
        const QString line = QString::fromUtf8(file.readLine()).trimmed();
        if (line.startsWith(QLatin1Char('['))) {
            inMainGroup = line == QLatin1String("[Desktop Entry]");
            continue;
        }
        if (!inMainGroup)
            continue;
        // Session settings switch an entry off without removing it; the
        // desktop then does not start it.
        if (line == QLatin1String("Hidden=true") ||
            line == QLatin1String("X-GNOME-Autostart-enabled=false"))
            switchedOff = true;
        else if (program.isEmpty() && line.startsWith(QLatin1String("Exec=")))
            program = programFromExecValue(line.mid(5));
    }
    return switchedOff ? QString() : program;
}

} // namespace AutostartEntry
