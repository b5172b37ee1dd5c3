#include "platform/peercredentials.h"

#include <cerrno>
#include <csignal>

#include <sys/socket.h>
#include <sys/types.h>
#include <unistd.h>

namespace Platform {

std::optional<PeerCredentials> peerCredentials(qintptr socketDescriptor)
{
    ucred credentials = {};
    socklen_t size = sizeof credentials;
    if (socketDescriptor < 0 ||
        ::getsockopt(int(socketDescriptor), SOL_SOCKET, SO_PEERCRED, &credentials, &size) != 0 ||
        size != sizeof credentials || credentials.pid <= 0)
        return std::nullopt;
    return PeerCredentials{credentials.pid, credentials.uid};
}

bool isPeerOfThisUser(qintptr socketDescriptor)
{
    const auto peer = peerCredentials(socketDescriptor);
    return peer && peer->uid == geteuid();
}

bool isProcessAlive(qint64 pid)
{
    // A process of another user answers EPERM: it exists all the same.
    return pid > 0 && (::kill(pid_t(pid), 0) == 0 || errno == EPERM);
}

} // namespace Platform
