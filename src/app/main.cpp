#include "app/mainwindow.h"
#include "app/myapplication.h"
#include "platform/nativesettings.h"
#include "platform/terminationsignals.h"

#include <QTimer>

int main(int argc, char *argv[])
{
    MyApplication application(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    QCoreApplication::setOrganizationName(QString::fromLatin1(NativeSettings::kOrganization));
    QCoreApplication::setApplicationName(QString::fromLatin1(NativeSettings::kApplication));
    TerminationSignals::install();

    MainWindow window;
    mainWindow = &window;
    if (window.startupFailed())
        return 0;
    if (TerminationSignals::requested()) {
        // The signal came during start-up; leave through the ordinary
        // shutdown as soon as the event loop runs.
        QTimer::singleShot(0, &application, [] { QCoreApplication::exit(0); });
    }
    const int result = QApplication::exec();
    mainWindow = nullptr;
    return result;
}
