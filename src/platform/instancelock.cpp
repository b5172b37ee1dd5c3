#include "platform/instancelock.h"

#include <QDir>
#include <QUrl>

namespace Platform {

QString InstanceLock::pathFor(const QString &runtimeFolder, const QString &userName)
{
    // Without a folder there is no lock: never one in the current directory.
    if (!QDir::isAbsolutePath(runtimeFolder))
        return QString();
    const QByteArray safeName = QUrl::toPercentEncoding(userName);
    return QDir(runtimeFolder)
        .filePath(QStringLiteral("notarella-%1.lock").arg(QString::fromLatin1(safeName)));
}

InstanceLock::InstanceLock(const QString &path)
    : m_path(path), m_lock(path.isEmpty() ? nullptr : std::make_unique<QLockFile>(path))
{
    if (!m_lock)
        return;
    // The lock lasts as long as the process, however long that is: only a
    // lock whose process has ended counts as stale, never an old one.
    m_lock->setStaleLockTime(0);
}

InstanceLock::~InstanceLock() = default; // QLockFile removes a held lock

InstanceLock::State InstanceLock::tryAcquire()
{
    if (!m_lock)
        return State::Unavailable;
    if (m_lock->isLocked())
        return State::Acquired;
    // A lock left by a process that has ended (its process id is gone or now
    // runs another program) is removed and taken over by QLockFile itself.
    if (m_lock->tryLock(0))
        return State::Acquired;
    return m_lock->error() == QLockFile::LockFailedError ? State::HeldByAnother
                                                         : State::Unavailable;
}

bool InstanceLock::isHeld() const
{
    return m_lock && m_lock->isLocked();
}

} // namespace Platform
