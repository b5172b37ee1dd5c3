#include "base/localdatetext.h"

#include <QLocale>

QString localDateText(const QDateTime &dateTime, const QString &format)
{
    return QLocale().toString(dateTime, format);
}
