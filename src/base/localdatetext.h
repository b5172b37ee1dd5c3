#pragma once

#include <QDateTime>
#include <QString>

// `dateTime` written in `format` with the day and month names of the user's
// language ("Montag, 7. Dezember" in German); QDateTime::toString() always
// gives the English ones.
QString localDateText(const QDateTime &dateTime, const QString &format);
