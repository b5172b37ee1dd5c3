#include "store/noterecord.h"

#include <QSqlQuery>
#include <QVariant>

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

NoteRecord decodeRecord(const QSqlQuery &query, int first)
{
    NoteRecord record;
    record.id = query.value(first + 0).toInt();
    record.visible = isYes(query.value(first + 1).toString());
    record.colorRGB = query.value(first + 2).toString();
    record.colorName = query.value(first + 3).toString();
    record.creationDate = creationFromSeconds(query.value(first + 4).toLongLong());
    record.originalReminderDate = reminderFromSeconds(query.value(first + 5).toLongLong());
    record.reminderDate = reminderFromSeconds(query.value(first + 6).toLongLong());
    record.periodicMask = query.value(first + 7).toString();
    record.locked = isYes(query.value(first + 8).toString());
    record.alwaysOnTop = isYes(query.value(first + 9).toString());
    const QVariant message = query.value(first + 10);
    record.message = message.typeId() == QMetaType::QByteArray
                         ? QString::fromUtf8(message.toByteArray())
                         : message.toString();
    record.x = query.value(first + 11).toInt();
    record.y = query.value(first + 12).toInt();
    record.width = query.value(first + 13).toInt();
    record.height = query.value(first + 14).toInt();
    record.taskbarEntry = isYes(query.value(first + 15).toString());
    return record;
}

void bindRecord(QSqlQuery &query, const NoteRecord &record)
{
    query.bindValue(0, record.id);
    query.bindValue(1, yesNo(record.visible));
    query.bindValue(2, record.colorRGB);
    query.bindValue(3, record.colorName);
    query.bindValue(4, record.creationDate.toSecsSinceEpoch());
    query.bindValue(5, toSeconds(record.originalReminderDate));
    query.bindValue(6, toSeconds(record.reminderDate));
    // No pattern is stored as empty text, never as NULL.
    query.bindValue(7, record.periodicMask.isNull() ? QStringLiteral("") : record.periodicMask);
    query.bindValue(8, yesNo(record.locked));
    query.bindValue(9, yesNo(record.alwaysOnTop));
    query.bindValue(10, record.message);
    query.bindValue(11, record.x);
    query.bindValue(12, record.y);
    query.bindValue(13, record.width);
    query.bindValue(14, record.height);
    query.bindValue(15, yesNo(record.taskbarEntry));
}

} // namespace RecordCodec
