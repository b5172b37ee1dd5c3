#include "../tests/support/testnotes.h"
#include "benchmarks.h"

#include "notes/stickywidget.h"
#include "reminders/reminderdialog.h"
#include "reminders/reminderqueue.h"
#include "richtext/markupsafety.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QPushButton>

#include <cstdio>
#include <memory>
#include <vector>

namespace {

// Many reminders due at once: how long the tick that finds them takes, and
// how long one answer takes while the others wait.
void benchManyDueReminders(int count)
{
    const QDateTime due = QDateTime::currentDateTime().addSecs(-600);
    std::vector<std::unique_ptr<StickyWidget>> notes;
    for (int i = 0; i < count; ++i) {
        notes.push_back(std::unique_ptr<StickyWidget>(
            newTestNote(i + 1, QStringLiteral("#FFFF00"), QStringLiteral("Yellow"), due, due, due,
                        QString(), false, QStringLiteral("<p>Due</p>"))));
        notes.back()->setGeometry(20 + i % 40 * 20, 20 + i % 30 * 20, 120, 90);
    }
    ReminderQueue &queue = ReminderQueue::instance();
    QElapsedTimer timer;
    timer.start();
    for (const auto &note : notes)
        note->reminderCheck();
    QCoreApplication::processEvents();
    std::printf("figure: reminders_due_%d_tick %lld ms\n", count, timer.elapsed());

    timer.restart();
    int answered = 0;
    while (!queue.openDialogs().isEmpty()) {
        queue.openDialogs()
            .first()
            ->findChild<QPushButton *>(QStringLiteral("dismissButton"))
            ->click();
        QCoreApplication::processEvents();
        ++answered;
    }
    std::printf("figure: reminders_due_%d_answer %.2f ms_per_answer\n", count,
                answered ? double(timer.elapsed()) / answered : 0.0);
}

// The nesting check runs on every note at every start.
void benchNestingCheck()
{
    const QString ordinary =
        QStringLiteral(
            "<p style=\" margin-top:0px;\"><span style=\" font-weight:600;\">word</span> "
            "text <a href=\"https://example.org\">link</a></p>\n")
            .repeated(10000); // about 1 MB
    QElapsedTimer timer;
    timer.start();
    const bool safe = MarkupSafety::isSafeToLayOut(ordinary);
    std::printf("figure: nesting_check_1mb %lld ms%s\n", timer.elapsed(), safe ? "" : " (refused)");
}

} // namespace

void benchRobustness()
{
    benchManyDueReminders(1000);
    benchNestingCheck();
}
