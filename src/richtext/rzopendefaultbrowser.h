#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>

class QWidget;

// Hands links to the system's URL handler. Links are never shown inside
// Notarella: web addresses, "mailto:" and "file:" URLs all go the same way.
// Nothing waits for the handler; when it cannot be started or reports that
// it failed, a message names the link and the reason.
class RZOpenDefaultBrowser : public QObject
{
    Q_OBJECT

public:
    // Starts a program detached: gets the resolved program and its arguments.
    using Launcher = std::function<void(const QString &program, const QStringList &arguments)>;

    // Opens `url` with the URL handler. The URL reaches the handler as one
    // argument, exactly as given. A failure is reported over `parent`.
    static void url(const QString &url, QWidget *parent = nullptr);

    // The texts of the failure message: the message itself (rich text, with
    // the link and the reason shown as given) and the reasons it names.
    static QString failureTitle();
    static QString failureMessage(const QString &url, const QString &reason);
    static QString notStartedReason(const QString &program, const QString &error);
    static QString failedReason(int exitCode, const QByteArray &errorOutput);
    static QString crashedReason();

    // Test seam: every launch of this file (links and help) goes to
    // `launcher` instead of starting a process. An empty function restores
    // the real start.
    static void setLauncherForTesting(Launcher launcher);

private:
    RZOpenDefaultBrowser() = default; // only the static operations are used
};

// Opens the help viewer at `page`, a path inside the help file such as
// "Additional Components/Reminders.html" or "Options/Formatting.html#DateFormatting";
// an empty page opens the start page. Started detached, never waited for.
void showHelpPage(const QString &page);
