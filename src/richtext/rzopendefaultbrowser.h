#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>

// Hands links to the system's URL handler. Links are never shown inside
// Notarella: web addresses, "mailto:" and "file:" URLs all go the same way.
// The handler is started detached; nothing waits for it or checks it.
class RZOpenDefaultBrowser : public QObject
{
    Q_OBJECT

public:
    // Starts a program detached: gets the resolved program and its arguments.
    using Launcher = std::function<void(const QString &program, const QStringList &arguments)>;

    // Opens `url` with the URL handler. The URL reaches the handler as one
    // argument, exactly as given.
    static void url(const QString &url);

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
