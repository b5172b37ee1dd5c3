#include "richtext/helplocation.h"

#include <QDir>
#include <QFileInfo>

namespace {

const QString chmSuffix = QStringLiteral(".chm");
const QString pageSeparator = QStringLiteral("::");

// The entry of `directory` called `name`, preferring an exact match over one
// that differs only in letter case.
QString findEntry(const QDir &directory, const QString &name)
{
    if (QFileInfo::exists(directory.filePath(name)))
        return directory.filePath(name);
    const QStringList entries =
        directory.entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
    for (const QString &entry : entries) {
        if (entry.compare(name, Qt::CaseInsensitive) == 0)
            return directory.filePath(entry);
    }
    return {};
}

} // namespace

std::optional<HelpLocation> HelpLocation::parse(const QString &argument)
{
    // Windows-style paths are welcome: a backslash separates as "/" does.
    const QString text = argument.trimmed().replace(QLatin1Char('\\'), QLatin1Char('/'));

    HelpLocation location;
    QString inside;
    const int separator = text.indexOf(chmSuffix + pageSeparator, 0, Qt::CaseInsensitive);
    if (separator >= 0) {
        location.helpFilePath = text.left(separator + chmSuffix.size());
        inside = text.mid(separator + chmSuffix.size() + pageSeparator.size());
    } else {
        location.helpFilePath = text;
    }

    const QString fileName = QFileInfo(location.helpFilePath).fileName();
    if (!fileName.endsWith(chmSuffix, Qt::CaseInsensitive) || fileName.size() <= chmSuffix.size())
        return std::nullopt;

    while (inside.startsWith(QLatin1Char('/')))
        inside.remove(0, 1);
    const int hash = inside.indexOf(QLatin1Char('#'));
    if (hash >= 0) {
        location.page = inside.left(hash);
        location.anchor = inside.mid(hash + 1);
    } else {
        location.page = inside;
    }
    return location;
}

QString HelpLocation::startPage()
{
    return QStringLiteral("index.html");
}

QString HelpLocation::findHelpFolder(const QString &helpFilePath)
{
    const QFileInfo named(helpFilePath);
    if (named.fileName().isEmpty())
        return {};
    const QString found = findEntry(named.dir(), named.fileName());
    if (found.isEmpty() || !QFileInfo(found).isDir())
        return {};
    return QFileInfo(found).absoluteFilePath();
}

QString HelpLocation::findPage(const QString &helpFolder, const QString &page)
{
    const QStringList parts = page.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    if (helpFolder.isEmpty() || parts.isEmpty())
        return {};
    QString current = helpFolder;
    for (const QString &part : parts) {
        if (part == QLatin1String(".") || part == QLatin1String(".."))
            return {};
        if (!QFileInfo(current).isDir())
            return {};
        current = findEntry(QDir(current), part);
        if (current.isEmpty())
            return {};
    }
    if (!QFileInfo(current).isFile())
        return {};
    return QFileInfo(current).absoluteFilePath();
}
