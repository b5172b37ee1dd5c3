#pragma once

#include <QtGlobal>

#include <optional>

// Who is at the other end of a local socket, as the kernel reports it: the
// process and user that connected (seen by a server) or that listen (seen by
// a client). Nobody can forge it, unlike anything sent over the socket.
namespace Platform {

struct PeerCredentials
{
    qint64 pid = 0;
    uint uid = 0;
};

// Nothing when `socketDescriptor` is no connected local socket.
std::optional<PeerCredentials> peerCredentials(qintptr socketDescriptor);

// True when the peer of `socketDescriptor` runs as this process's user.
bool isPeerOfThisUser(qintptr socketDescriptor);

// True while process `pid` exists.
bool isProcessAlive(qint64 pid);

} // namespace Platform
