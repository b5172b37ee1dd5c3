#include "app/myapplication.h"

#include "app/fontsubstitutes.h"
#include "base/tracing.h"

#include <QSessionManager>

MyApplication::MyApplication(int &argc, char **argv) : QApplication(argc, argv)
{
    qCDebug(lcApp) << "MyApplication::MyApplication( cosntructor )";
    FontSubstitutes::install();
    connect(this, &QGuiApplication::commitDataRequest, this, &MyApplication::commitData);
}

void MyApplication::commitData(QSessionManager &)
{
    // exit() rather than quit(): quit() first offers every window a close,
    // and notes refuse that (they only hide), which would cancel the quit.
    QCoreApplication::exit(0);
}
