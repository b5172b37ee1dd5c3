#pragma once

// An open POSIX file descriptor, closed when its holder goes. Moving hands
// the descriptor on; it is never closed twice nor left open by an early
// return.
namespace Platform {

class FileDescriptor
{
public:
    FileDescriptor() = default;
    explicit FileDescriptor(int fd) : m_fd(fd) {}
    FileDescriptor(const FileDescriptor &) = delete;
    FileDescriptor &operator=(const FileDescriptor &) = delete;
    FileDescriptor(FileDescriptor &&other) noexcept;
    FileDescriptor &operator=(FileDescriptor &&other) noexcept;
    ~FileDescriptor();

    int get() const { return m_fd; }
    bool isValid() const { return m_fd >= 0; }

    // Hands the descriptor over to the caller, who closes it.
    int release();

    // Closes the descriptor now; errno is kept as it was, as callers still
    // read the error of the step that failed.
    void reset();

private:
    int m_fd = -1;
};

} // namespace Platform
