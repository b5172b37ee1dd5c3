#include "app/translations.h"

#include "base/tracing.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace Translations {
namespace {

QTranslator *load(QCoreApplication &application, const QLocale &locale, const QString &name,
                  const QString &folder)
{
    auto *translator = new QTranslator(&application);
    if (!translator->load(locale, name, QStringLiteral("_"), folder)) {
        qCDebug(lcApp) << "Translations: none for" << name << "in" << locale.uiLanguages();
        delete translator;
        return nullptr;
    }
    qCDebug(lcApp) << "Translations: loaded" << translator->filePath();
    QCoreApplication::installTranslator(translator);
    return translator;
}

} // namespace

QString programFolder()
{
    return QStringLiteral(":/i18n");
}

QList<QTranslator *> install(QCoreApplication &application, const QLocale &locale)
{
    QList<QTranslator *> installed;
    const QString qtFolder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    for (QTranslator *translator :
         {load(application, locale, QStringLiteral("qtbase"), qtFolder),
          load(application, locale, QStringLiteral("notarella"), programFolder())}) {
        if (translator)
            installed.append(translator);
    }
    return installed;
}

} // namespace Translations
