#include "testappfolder.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

TestAppFolder::TestAppFolder(const QString &namePattern)
    : m_directory(QDir::tempPath() + QLatin1Char('/') + namePattern)
{
    if (!m_directory.isValid()) {
        m_error = QStringLiteral("cannot create a temporary folder: ") + m_directory.errorString();
        return;
    }
    m_valid = copyTree(builtAppFolder(), path());
    if (m_valid && !QFileInfo(executable()).isExecutable()) {
        m_error = QStringLiteral("no executable at ") + executable();
        m_valid = false;
    }
}

QString TestAppFolder::builtAppFolder()
{
    return QStringLiteral(NOTARELLA_APP_DIR);
}

QString TestAppFolder::path() const
{
    return m_directory.path();
}

QString TestAppFolder::executable() const
{
    return path() + QStringLiteral("/notarella");
}

QString TestAppFolder::dataDirectory() const
{
    return path() + QStringLiteral("/.NotarellaData");
}

QString TestAppFolder::databaseFile(const QString &userName) const
{
    return dataDirectory() + QLatin1Char('/') + userName;
}

bool TestAppFolder::copyTree(const QString &from, const QString &to)
{
    // A copy, not a link: the program finds its folder through the path of
    // its own executable, which a symbolic link would resolve to the build.
    // Data left behind by programs run from the build folder is not copied.
    const QDir source(from);
    QDirIterator it(from, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString entry = it.next();
        const QString relative = source.relativeFilePath(entry);
        if (relative.startsWith(QLatin1String(".NotarellaData")))
            continue;
        const QString target = to + QLatin1Char('/') + relative;
        const QFileInfo info = it.fileInfo();
        const bool copied = info.isDir() ? QDir().mkpath(target)
                                         : QDir().mkpath(QFileInfo(target).absolutePath()) &&
                                               QFile::copy(entry, target);
        if (!copied) {
            m_error = QStringLiteral("cannot copy %1 to %2").arg(entry, target);
            return false;
        }
    }
    return true;
}
