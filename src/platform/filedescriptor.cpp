#include "platform/filedescriptor.h"

#include <cerrno>
#include <unistd.h>
#include <utility>

namespace Platform {

FileDescriptor::FileDescriptor(FileDescriptor &&other) noexcept
    : m_fd(std::exchange(other.m_fd, -1))
{
}

FileDescriptor &FileDescriptor::operator=(FileDescriptor &&other) noexcept
{
    if (this != &other) {
        reset();
        m_fd = std::exchange(other.m_fd, -1);
    }
    return *this;
}

FileDescriptor::~FileDescriptor()
{
    reset();
}

int FileDescriptor::release()
{
    return std::exchange(m_fd, -1);
}

void FileDescriptor::reset()
{
    if (m_fd < 0)
        return;
    const int saved = errno;
    ::close(std::exchange(m_fd, -1));
    errno = saved;
}

} // namespace Platform
