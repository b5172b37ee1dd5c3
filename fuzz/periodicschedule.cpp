// The periodic pattern parser and the search for the next match on any
// text: a pattern read from its stored form stores the same way, and the
// next match found matches, lies after the start, and is found within the
// search's bounds (libFuzzer's -timeout).

#include "reminders/periodicschedule.h"
#include "fuzzsupport.h"

namespace {

void check(const PeriodicSchedule &schedule)
{
    const QString mask = schedule.toMask();
    FuzzSupport::expect(mask.size() <= 200, "a stored pattern is at most 200 characters", mask);
    const std::optional<PeriodicSchedule> again = PeriodicSchedule::fromMask(mask);
    FuzzSupport::expect(again.has_value(), "a stored pattern reads back", mask);
    FuzzSupport::expect(again->toMask() == mask, "and stores the same way", again->toMask(), mask);
    const QDateTime start(QDate(2026, 3, 29), QTime(1, 59, 30));
    const std::optional<QDateTime> next = schedule.nextMatch(start);
    if (!next)
        return;
    FuzzSupport::expect(*next > start, "the next match lies after the start",
                        next->toString(Qt::ISODate));
    FuzzSupport::expect(schedule.matches(next->date(), next->time()), "the next match matches",
                        next->toString(Qt::ISODate), mask);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    FuzzSupport::start(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = FuzzSupport::text(data, size);
    if (const std::optional<PeriodicSchedule> stored = PeriodicSchedule::fromMask(text))
        check(*stored);
    // The same text as the five fields of the dialog, one per line.
    const QStringList fields = text.split(QLatin1Char('\n'));
    if (fields.size() == PeriodicSchedule::FieldCount) {
        if (const std::optional<PeriodicSchedule> typed = PeriodicSchedule::fromFieldTexts(fields))
            check(*typed);
    }
    return 0;
}
