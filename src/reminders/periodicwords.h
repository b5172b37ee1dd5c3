#pragma once

#include <QString>
#include <QStringList>

// A periodic reminder's pattern said in words for people who read it outside
// the program ("every weekday at 9:00", "on the 1st of every month at 8:00").
// Common shapes get a sentence; any other pattern is written as its five
// fields, so nothing is lost or misstated.
namespace PeriodicWords {

// The five field texts in PeriodicSchedule::Field order (minutes, hours,
// days, months, weekdays), as the reminder dialog takes them.
QString describe(const QStringList &fieldTexts);

// The same for a stored pattern ("|0|9|*|*|1-5"); a text that is no pattern
// of this program comes back as it is.
QString describeMask(const QString &mask);

} // namespace PeriodicWords
