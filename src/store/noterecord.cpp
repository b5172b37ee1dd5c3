#include "store/noterecord.h"

namespace RecordCodec {

QString yesNo(bool value)
{
    return value ? QStringLiteral("YES") : QStringLiteral("NO");
}

bool isYes(const QString &stored)
{
    return stored == QLatin1String("YES");
}

qint64 toSeconds(const QDateTime &date)
{
    return date.isNull() ? 0 : date.toSecsSinceEpoch();
}

QDateTime reminderFromSeconds(qint64 seconds)
{
    return seconds == 0 ? QDateTime() : QDateTime::fromSecsSinceEpoch(seconds);
}

QDateTime creationFromSeconds(qint64 seconds)
{
    return QDateTime::fromSecsSinceEpoch(seconds);
}

} // namespace RecordCodec
