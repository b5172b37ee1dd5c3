#include "childprocess.h"

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QThread>

#include <csignal>
#include <fcntl.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>
#include <vector>

namespace {

qint64 monotonicNanoseconds()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return qint64(now.tv_sec) * 1000000000 + now.tv_nsec;
}

} // namespace

double CpuSample::percentSince(const CpuSample &earlier) const
{
    const qint64 wall = wallNanoseconds - earlier.wallNanoseconds;
    return wall > 0 ? 100.0 * (cpuSeconds - earlier.cpuSeconds) / (wall / 1e9) : 0;
}

ChildProcess::~ChildProcess()
{
    stop(3000);
}

bool ChildProcess::start(const QString &program, const QStringList &arguments,
                         const QStringList &environment, bool captureStderr, int descriptor3)
{
    // Everything the child needs is prepared before fork(): after it only
    // async-signal-safe calls are allowed.
    std::vector<QByteArray> storage;
    storage.push_back(QFile::encodeName(program));
    for (const QString &argument : arguments)
        storage.push_back(argument.toLocal8Bit());
    const size_t argumentCount = storage.size();
    for (const QString &entry : environment)
        storage.push_back(entry.toLocal8Bit());
    std::vector<char *> argv;
    std::vector<char *> envp;
    for (size_t i = 0; i < storage.size(); ++i)
        (i < argumentCount ? argv : envp).push_back(storage[i].data());
    argv.push_back(nullptr);
    envp.push_back(nullptr);

    int errorPipe[2] = {-1, -1};
    if (captureStderr && pipe2(errorPipe, O_CLOEXEC) != 0)
        return false;
    const int devNull = open("/dev/null", O_RDWR | O_CLOEXEC);
    m_pid = fork();
    if (m_pid == 0) {
        dup2(devNull, 0);
        dup2(devNull, 1);
        dup2(captureStderr ? errorPipe[1] : devNull, 2);
        if (descriptor3 >= 0)
            dup2(descriptor3, 3); // dup2 clears close-on-exec on the copy
        setpgid(0, 0);
        execve(argv[0], argv.data(), envp.data());
        _exit(127);
    }
    close(devNull);
    if (captureStderr) {
        close(errorPipe[1]);
        m_stderr = errorPipe[0];
        fcntl(m_stderr, F_SETFL, O_NONBLOCK);
    }
    m_reaped = false;
    return m_pid > 0;
}

bool ChildProcess::isRunning()
{
    if (m_pid <= 0 || m_reaped)
        return false;
    int status = 0;
    if (waitpid(m_pid, &status, WNOHANG) == m_pid)
        m_reaped = true;
    return !m_reaped;
}

void ChildProcess::stop(int graceMs)
{
    if (m_pid > 0 && isRunning()) {
        kill(m_pid, SIGTERM);
        QElapsedTimer waited;
        waited.start();
        while (isRunning() && waited.elapsed() < graceMs)
            QThread::msleep(10);
        if (isRunning()) {
            kill(m_pid, SIGKILL);
            waitpid(m_pid, nullptr, 0);
            m_reaped = true;
        }
    }
    if (m_stderr >= 0)
        close(m_stderr);
    m_stderr = -1;
}

long residentKilobytesOf(const QString &pid)
{
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> lines = status.readAll().split('\n');
    for (const QByteArray &line : lines) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toLong();
    }
    return 0;
}

long ChildProcess::residentKilobytes() const
{
    return residentKilobytesOf(QString::number(m_pid));
}

CpuSample ChildProcess::cpuSample() const
{
    CpuSample sample;
    sample.wallNanoseconds = monotonicNanoseconds();
    QFile stat(QStringLiteral("/proc/%1/stat").arg(m_pid));
    if (!stat.open(QIODevice::ReadOnly))
        return sample;
    // The command name may hold blanks; the fields after its closing
    // parenthesis are fixed: utime and stime are the 12th and 13th of them.
    const QByteArray text = stat.readAll();
    const QList<QByteArray> fields = text.mid(text.lastIndexOf(')') + 2).split(' ');
    if (fields.size() > 12) {
        const double ticks = fields.at(11).toDouble() + fields.at(12).toDouble();
        sample.cpuSeconds = ticks / double(sysconf(_SC_CLK_TCK));
    }
    return sample;
}

bool runOffscreenCase(const QString &program, const QStringList &arguments, int timeoutMs)
{
    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("USERNAME"), QStringLiteral("bench"));
    environment.insert(QStringLiteral("QT_LOGGING_RULES"), QStringLiteral("*.debug=false"));
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    child.setProcessEnvironment(environment);
    child.setProcessChannelMode(QProcess::ForwardedOutputChannel);
    child.setStandardErrorFile(QProcess::nullDevice());
    child.start(program, arguments);
    if (child.waitForFinished(timeoutMs))
        return true;
    child.kill();
    child.waitForFinished();
    return false;
}
