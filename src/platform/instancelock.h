#pragma once

#include <QLockFile>
#include <QString>

#include <memory>

namespace Platform {

// The lock file that marks the one running copy of the program for a user.
// It is held for the whole life of the process; when the copy that held it
// has died (crash, kill), the next start takes it over.
class InstanceLock
{
public:
    enum class State
    {
        Acquired,      // this process holds the lock now
        HeldByAnother, // a live process holds it
        Unavailable    // the lock file cannot be made (folder missing, no rights)
    };

    // "<runtimeFolder>/notarella-<user>.lock", the user name percent-encoded
    // so that any name makes one plain file name. Empty when `runtimeFolder`
    // is no absolute path; a lock at an empty path is always Unavailable.
    static QString pathFor(const QString &runtimeFolder, const QString &userName);

    explicit InstanceLock(const QString &path);
    ~InstanceLock(); // releases the lock if held

    InstanceLock(const InstanceLock &) = delete;
    InstanceLock &operator=(const InstanceLock &) = delete;

    // Tries once, without waiting. Taking the file is atomic: of two
    // processes trying at the same instant exactly one gets it.
    State tryAcquire();
    bool isHeld() const;
    QString path() const { return m_path; }

private:
    QString m_path;
    std::unique_ptr<QLockFile> m_lock;
};

} // namespace Platform
