#pragma once

#include <QDateTime>
#include <QString>

class QSqlQuery;

// One row of the note tables, in memory. The stored forms ("YES"/"NO",
// seconds since the epoch with 0 for no date) are made by the functions of
// RecordCodec, which the database and its tests share.
struct NoteRecord
{
    int id = 0;
    bool visible = false;
    QString colorRGB;
    QString colorName;
    QDateTime creationDate;
    QDateTime originalReminderDate;
    QDateTime reminderDate;
    QString periodicMask;
    bool locked = false;
    bool alwaysOnTop = false;
    QString message;
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    bool taskbarEntry = true;

    bool operator==(const NoteRecord &other) const = default;
};

namespace RecordCodec {

QString yesNo(bool value);
// Only the exact text "YES" counts as yes.
bool isYes(const QString &stored);
// Seconds since 1970-01-01 00:00 UTC; 0 for a null date.
qint64 toSeconds(const QDateTime &date);
// 0 gives a null date (no reminder); anything else that moment.
QDateTime reminderFromSeconds(qint64 seconds);
// Always a valid date; 0 is the epoch itself.
QDateTime creationFromSeconds(qint64 seconds);

// The sixteen columns of a row, in table order, read from `query` starting
// at column `first`.
NoteRecord decodeRecord(const QSqlQuery &query, int first = 0);
// Binds the sixteen columns of `record` to the placeholders 0..15.
void bindRecord(QSqlQuery &query, const NoteRecord &record);

} // namespace RecordCodec
