#include "base/apppaths.h"

#include <QCoreApplication>
#include <QDir>

namespace AppPaths {
namespace {
QString &overrideDirectory()
{
    static QString directory;
    return directory;
}
} // namespace

QString applicationDirectory()
{
    if (!overrideDirectory().isEmpty())
        return overrideDirectory();
    return QCoreApplication::applicationDirPath();
}

QString executablePath()
{
    return QDir::toNativeSeparators(QCoreApplication::applicationFilePath());
}

void setApplicationDirectoryForTesting(const QString &directory)
{
    overrideDirectory() = QDir::fromNativeSeparators(directory);
    while (overrideDirectory().size() > 1 && overrideDirectory().endsWith(QLatin1Char('/')))
        overrideDirectory().chop(1);
}

} // namespace AppPaths
