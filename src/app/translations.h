#pragma once

#include <QList>
#include <QLocale>

class QCoreApplication;
class QTranslator;

// The program's texts and the toolkit's own (standard dialogs, context menus
// of text fields) in the user's language. The program's translations are
// embedded under :/i18n; the toolkit's come from its installation.
namespace Translations {

// Folder of the program's compiled translations.
QString programFolder();

// Loads the toolkit's and the program's translations for `locale` and
// installs them on `application`, which owns them. Returns the installed
// translators, empty when `locale` has none (English stays as written).
QList<QTranslator *> install(QCoreApplication &application, const QLocale &locale);

} // namespace Translations
