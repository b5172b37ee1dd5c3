#pragma once

#include "platform/filedescriptor.h"
#include "platform/ownfolder.h"

#include <QString>

#include <utility>

// Writing into a folder that other users of the machine may reach (a shared
// temporary folder, a folder handed over by someone else). Every step acts on
// a folder held open by its descriptor, never again by its path, and never
// follows a link in the folder's entries: a link or a file of another user
// planted under a name the program writes is refused, not written through.
namespace SafeWrite {

// Why a folder or an entry was refused.
using Problem = Platform::FolderProblem;

// What stands under a name in a folder.
enum class Entry
{
    Absent,
    OwnFile,   // a regular file of the user's own: may be replaced
    OwnFolder, // a folder (not a link) of the user's own
    Other,     // a link, a device, a FIFO, or anything of another user
};

// A folder of the user's own, held open.
class Folder
{
public:
    Folder() = default;

    // The folder at `path` (a link naming it is followed, as the user chose
    // that path) when it belongs to the user and no other user can add or
    // replace entries in it: not writable by others nor by a group other
    // than the user's private one, unless its sticky bit keeps them to their
    // own entries.
    static Folder open(const QString &path, Problem *problem = nullptr);

    bool isOpen() const { return m_fd.isValid(); }

    // The folder `name` in this one, made when missing (mode 0755), held to
    // the same checks as open(); a link under that name is refused.
    Folder subfolder(const QString &name, Problem *problem = nullptr) const;

    // A new folder with a fresh name starting with `prefix`, only the user's
    // (mode 0700); its name goes to `name`.
    Folder makePrivate(const QString &prefix, QString *name, Problem *problem = nullptr) const;

    // Creates the file `name` (mode 0666 less the umask), which must not
    // exist yet, and returns it open for writing; invalid when not made.
    Platform::FileDescriptor createFile(const QString &name, Problem *problem = nullptr) const;

    Entry entry(const QString &name) const;

    // Moves the entry `name` of this folder to `newName` in `to` (the same
    // file system), replacing what is there.
    bool move(const QString &name, const Folder &to, const QString &newName) const;

    // Flushes this folder's entries to the disk: files moved in stay there
    // after a power cut.
    bool sync() const;

    // Removes the file or empty folder `name`.
    bool remove(const QString &name) const;

    // Removes the folder `name` with everything in it, never following a
    // link.
    bool removeTree(const QString &name) const;

private:
    explicit Folder(Platform::FileDescriptor fd) : m_fd(std::move(fd)) {}

    Platform::FileDescriptor m_fd;
};

} // namespace SafeWrite
