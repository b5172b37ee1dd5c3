#include "app/myapplication.h"

#include "app/fontsubstitutes.h"
#include "app/translations.h"
#include "base/tracing.h"
#include "widgets/dialogstacking.h"

#include <QSessionManager>

MyApplication::MyApplication(int &argc, char **argv) : QApplication(argc, argv)
{
    qCDebug(lcApp) << "MyApplication::MyApplication( cosntructor )";
    FontSubstitutes::install();
    // Before any window exists, so every text is set in the user's language.
    Translations::install(*this, QLocale::system());
    // Dialogs open above the notes kept on top.
    DialogStacking::install(*this);
    connect(this, &QGuiApplication::commitDataRequest, this, &MyApplication::commitData);
}

void MyApplication::commitData(QSessionManager &)
{
    // exit() rather than quit(): quit() first offers every window a close,
    // and notes refuse that (they only hide), which would cancel the quit.
    QCoreApplication::exit(0);
}
