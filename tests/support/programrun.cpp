#include "programrun.h"

#include <QDateTime>
#include <QDeadlineTimer>
#include <QFileInfo>

#include <csignal>

const QString ProgramRun::kStartedLine =
    QStringLiteral("MainWindow::MainWindow( constructor ) - end");

ProgramRun::ProgramRun(const QString &executable, const QStringList &arguments)
    : m_executable(executable), m_arguments(arguments),
      m_environment(QProcessEnvironment::systemEnvironment())
{
    m_environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    m_environment.insert(QStringLiteral("QT_LOGGING_RULES"), QStringLiteral("notarella.*=true"));
    // Qt may send messages to the journal when stderr is not a terminal.
    m_environment.insert(QStringLiteral("QT_FORCE_STDERR_LOGGING"), QStringLiteral("1"));
    m_process.setProcessChannelMode(QProcess::SeparateChannels);
    m_process.setReadChannel(QProcess::StandardError);
}

ProgramRun::~ProgramRun()
{
    if (m_process.state() != QProcess::NotRunning) {
        m_process.kill();
        m_process.waitForFinished(5000);
    }
}

void ProgramRun::setEnvironmentValue(const QString &name, const QString &value)
{
    m_environment.insert(name, value);
}

void ProgramRun::removeEnvironmentValue(const QString &name)
{
    m_environment.remove(name);
}

bool ProgramRun::start()
{
    m_process.setProcessEnvironment(m_environment);
    m_process.setWorkingDirectory(QFileInfo(m_executable).absolutePath());
    m_startedAt = QDateTime::currentMSecsSinceEpoch();
    m_endedAt = 0;
    m_process.start(m_executable, m_arguments);
    return m_process.waitForStarted(10000);
}

bool ProgramRun::isRunning() const
{
    return m_process.state() != QProcess::NotRunning;
}

qint64 ProgramRun::processId() const
{
    return m_process.processId();
}

void ProgramRun::collectOutput()
{
    m_stderr += m_process.readAllStandardError();
    m_process.readAllStandardOutput(); // not looked at; keeps the pipe from filling
    if (m_endedAt == 0 && m_process.state() == QProcess::NotRunning && m_startedAt != 0)
        m_endedAt = QDateTime::currentMSecsSinceEpoch();
}

bool ProgramRun::waitForStderr(const QString &text, int timeoutMs)
{
    const QByteArray wanted = text.toUtf8();
    QDeadlineTimer deadline(timeoutMs);
    while (true) {
        collectOutput();
        if (m_stderr.contains(wanted))
            return true;
        if (!isRunning() || deadline.hasExpired())
            return false;
        if (!m_process.waitForReadyRead(int(qMin<qint64>(100, deadline.remainingTime()))))
            m_process.waitForFinished(1); // notices an exit without further output
    }
}

bool ProgramRun::waitForExit(int timeoutMs)
{
    QDeadlineTimer deadline(timeoutMs);
    while (isRunning() && !deadline.hasExpired()) {
        m_process.waitForFinished(int(qMin<qint64>(100, deadline.remainingTime())));
        collectOutput();
    }
    collectOutput();
    return !isRunning();
}

bool ProgramRun::sendSignal(int signalNumber)
{
    const qint64 pid = m_process.processId();
    return pid > 0 && ::kill(pid_t(pid), signalNumber) == 0;
}

QString ProgramRun::standardError()
{
    collectOutput();
    return QString::fromUtf8(m_stderr);
}

qint64 ProgramRun::elapsedMs() const
{
    const qint64 end = m_endedAt != 0 ? m_endedAt : QDateTime::currentMSecsSinceEpoch();
    return end - m_startedAt;
}
