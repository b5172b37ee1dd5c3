#pragma once

#include <QString>
#include <QStringList>

#include <sys/types.h>

// CPU time used by a process up to one moment, read from /proc.
struct CpuSample
{
    double cpuSeconds = 0; // user and system time of all its threads
    qint64 wallNanoseconds = 0;
    // The share of one core used between `earlier` and this sample, in %.
    double percentSince(const CpuSample &earlier) const;
};

// Resident memory of the process `pid` ("self" for this one), from /proc;
// 0 when it cannot be read.
long residentKilobytesOf(const QString &pid);

// Runs `program` (the bench itself, on one case) on the offscreen platform as
// the user "bench", with no trace lines; its figures go to this standard
// output. False when it did not finish within `timeoutMs` (it is killed).
bool runOffscreenCase(const QString &program, const QStringList &arguments, int timeoutMs);

// A child process started with exactly the given environment, stopped by its
// process id. Its standard error can be read through a pipe; an extra pipe
// end can be handed to it as file descriptor 3 (Xvfb's -displayfd).
class ChildProcess
{
public:
    ChildProcess() = default;
    ChildProcess(const ChildProcess &) = delete;
    ChildProcess &operator=(const ChildProcess &) = delete;
    ~ChildProcess();

    bool start(const QString &program, const QStringList &arguments, const QStringList &environment,
               bool captureStderr, int descriptor3 = -1);
    // SIGTERM, then SIGKILL if it has not ended within `graceMs`.
    void stop(int graceMs);
    bool isRunning();

    pid_t pid() const { return m_pid; }
    // The read end of the child's standard error, or -1.
    int stderrDescriptor() const { return m_stderr; }

    long residentKilobytes() const;
    CpuSample cpuSample() const;

private:
    pid_t m_pid = -1;
    int m_stderr = -1;
    bool m_reaped = false;
};
