#include "base/apppaths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace AppPaths {
namespace {
QString &overrideDirectory()
{
    static QString directory;
    return directory;
}

bool isDirectory(const QString &path)
{
    return QFileInfo(path).isDir();
}

QString cleanPath(const QString &path)
{
    return QDir::cleanPath(path);
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

Layout layoutFor(const QString &executableDirectory)
{
    // Files beside the executable win: that is the application folder the
    // program has always used, and the build tree.
    Layout layout{executableDirectory, executableDirectory};
    if (isDirectory(executableDirectory + QStringLiteral("/icons")))
        return layout;
    const QString prefix = cleanPath(executableDirectory + QStringLiteral("/.."));
    const QString sharedData = prefix + QStringLiteral("/share/notarella");
    const QString helpers = prefix + QStringLiteral("/libexec/notarella");
    if (isDirectory(sharedData))
        layout.dataFiles = sharedData;
    if (isDirectory(helpers))
        layout.helpers = helpers;
    return layout;
}

QString dataFilesDirectory()
{
    return layoutFor(applicationDirectory()).dataFiles;
}

QString helperDirectory()
{
    return layoutFor(applicationDirectory()).helpers;
}

QString noteDataDirectoryFor(const QString &executableDirectory, const QString &userDataFolder)
{
    const QString beside = executableDirectory + QStringLiteral("/.NotarellaData");
    // Without a trailing slash: "file/" would not be seen as the file it is.
    const QFileInfo besideInfo(beside);
    // Whatever is already beside the executable stays in use as before (a
    // file in the way is reported as it always was); only a folder that
    // cannot take a new data directory sends the notes elsewhere.
    if (besideInfo.exists())
        return beside + QLatin1Char('/');
    // An installed copy keeps them in the user's data folder even where the
    // user may write into its bin folder (root and /usr/bin, a ~/.local
    // installation): a bin folder is no place for notes.
    const bool installed = layoutFor(executableDirectory).dataFiles != executableDirectory;
    if (!installed && QFileInfo(executableDirectory).isWritable())
        return beside + QLatin1Char('/');
    return userDataFolder + QStringLiteral("/Notarella/");
}

QString noteDataDirectory()
{
    return noteDataDirectoryFor(applicationDirectory(), QStandardPaths::writableLocation(
                                                            QStandardPaths::GenericDataLocation));
}

void setApplicationDirectoryForTesting(const QString &directory)
{
    overrideDirectory() = QDir::fromNativeSeparators(directory);
    while (overrideDirectory().size() > 1 && overrideDirectory().endsWith(QLatin1Char('/')))
        overrideDirectory().chop(1);
}

} // namespace AppPaths
