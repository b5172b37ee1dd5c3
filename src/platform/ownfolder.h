#pragma once

#include "platform/filedescriptor.h"

#include <QString>

// Whether a folder is one of the user's own, under the one rule for that
// question. Whoever else can add or replace entries in a folder can put a
// link where the program writes next, or take the lock it keeps there; how
// strict the rule is depends on what the folder is for.
namespace Platform {

enum class FolderRule
{
    // Not a link, owned by the user, no rights at all for group or others:
    // the folder of the running copy's lock and command socket.
    Private,
    // Not a link, owned by the user, nobody else may write into it (reading
    // is allowed): where a rescue copy of the notes goes.
    ClosedToWriters,
    // A folder the user chose: a link naming it is followed, as the user
    // chose that path. Owned by the user; others may write into it only
    // where its sticky bit keeps them to their own entries, or where the
    // group that may is the user's private one (named after the user, no
    // other members).
    Chosen,
};

// Why a folder, or an entry in one, was refused.
enum class FolderProblem
{
    None,
    Failed,           // the system refused; see the errno text
    NotAFolder,       // a file, a device or a link where a folder should be
    NotOwned,         // belongs to another user
    WritableByOthers, // others may change its entries (Private: may use it at all)
    InTheWay,         // an entry that is not a plain file of the user's own
};

// The folder open at `fd` judged under `rule`.
FolderProblem judgeFolder(int fd, FolderRule rule);

// The folder at `path`, held open, when it passes `rule`; an invalid
// descriptor and the reason in `problem` when not.
FileDescriptor openOwnFolder(const QString &path, FolderRule rule,
                             FolderProblem *problem = nullptr);

// The folder `name` inside the open folder `parent`, never through a link
// under that name, when it passes `rule`.
FileDescriptor openOwnFolderAt(int parent, const QString &name, FolderRule rule,
                               FolderProblem *problem = nullptr);

inline bool isOwnFolder(const QString &path, FolderRule rule)
{
    return openOwnFolder(path, rule).isValid();
}

} // namespace Platform
