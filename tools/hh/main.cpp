// The help viewer of Notarella on Linux: takes the same command line as the
// Windows one, hh "<dir>/documentation/HELP.chm" or
// hh "<dir>/documentation/HELP.CHM::/<page>[#anchor]", and shows that page.

#include "richtext/helplocation.h"
#include "richtext/helpviewer.h"
#include "ui/userprompt.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>

#include <cstdio>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Varnholt"));
    QApplication::setApplicationName(QStringLiteral("Notarella"));
    QApplication::setQuitOnLastWindowClosed(true);

    const QStringList arguments = QCoreApplication::arguments().mid(1);
    const std::optional<HelpLocation> location =
        arguments.size() == 1 ? HelpLocation::parse(arguments.first()) : std::nullopt;
    if (!location) {
        std::fprintf(stderr, "usage: hh <help file>.chm[::/<page>[#anchor]]\n");
        return 2;
    }

    const QString folder = HelpLocation::findHelpFolder(location->helpFilePath);
    if (folder.isEmpty()) {
        UserPrompt::warning(nullptr, QCoreApplication::translate("HelpViewer", "Notarella Help"),
                            QCoreApplication::translate("HelpViewer", "Cannot open the file: %1.")
                                .arg(QDir::toNativeSeparators(location->helpFilePath)),
                            QMessageBox::Ok, QMessageBox::Ok);
        return 1;
    }

    HelpViewer viewer(folder);
    viewer.openPage(location->page, location->anchor);
    viewer.show();
    return app.exec();
}
