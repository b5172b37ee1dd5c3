#pragma once

#include <QByteArray>
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

// Runs the real program as a child process the way a test needs it: headless
// (offscreen platform), with the test's own HOME and XDG folders inherited,
// every trace channel switched on and written to stderr, and helpers to wait
// for a trace line, send a signal and collect the exit code and stderr.
class ProgramRun
{
public:
    // Trace line written when start-up is complete and the event loop is next.
    static const QString kStartedLine;

    explicit ProgramRun(const QString &executable, const QStringList &arguments = {});
    ~ProgramRun(); // kills a child that is still running

    ProgramRun(const ProgramRun &) = delete;
    ProgramRun &operator=(const ProgramRun &) = delete;

    // Environment of the child; change it before start().
    void setEnvironmentValue(const QString &name, const QString &value);
    void removeEnvironmentValue(const QString &name);

    // Starts the child in the executable's folder. False when it did not start.
    bool start();
    bool isRunning() const;
    qint64 processId() const;

    // Waits until stderr contains `text`; false on time-out or when the child
    // ended without writing it.
    bool waitForStderr(const QString &text, int timeoutMs = 10000);
    // Waits until the child has ended.
    bool waitForExit(int timeoutMs = 10000);
    // Sends a POSIX signal (SIGTERM, SIGHUP, ...) to the child.
    bool sendSignal(int signalNumber);

    // Everything the child wrote to stderr so far.
    QString standardError();
    int exitCode() const { return m_process.exitCode(); }
    QProcess::ExitStatus exitStatus() const { return m_process.exitStatus(); }
    // Milliseconds from start() until the child ended (or until now).
    qint64 elapsedMs() const;

private:
    void collectOutput();

    QProcess m_process;
    QString m_executable;
    QStringList m_arguments;
    QProcessEnvironment m_environment;
    QByteArray m_stderr;
    qint64 m_startedAt = 0;
    qint64 m_endedAt = 0;
};
