// Many reminders due at once: a bounded number of dialogs on screen, the rest
// coming up as earlier ones are answered, no nested event loops, and only a
// user's answer changes a note.

#include "notes/stickywidget.h"
#include "platform/nativesettings.h"
#include "reminders/reminderdialog.h"
#include "reminders/reminderqueue.h"
#include "settings/preferences.h"
#include "testnotes.h"

#include <QApplication>
#include <QEventLoop>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include <memory>
#include <vector>

namespace {

// "Note " followed by letters for `index` (the summary keeps no digits).
QString noteName(int index)
{
    QString letters;
    do {
        letters.prepend(QChar(u'a' + index % 26));
        index /= 26;
    } while (index > 0);
    return QStringLiteral("Note ") + letters;
}

std::vector<std::unique_ptr<StickyWidget>> dueNotes(int count, const QDateTime &due)
{
    std::vector<std::unique_ptr<StickyWidget>> notes;
    notes.reserve(count);
    for (int i = 0; i < count; ++i) {
        notes.push_back(std::unique_ptr<StickyWidget>(
            newTestNote(i + 1, QStringLiteral("#FFFF00"), QStringLiteral("Yellow"), due, due, due,
                        QString(), false, QStringLiteral("<p>%1</p>").arg(noteName(i)))));
        notes.back()->setGeometry(10 + i % 40 * 20, 10 + i % 30 * 20, 120, 90);
    }
    return notes;
}

QString summaryShown(ReminderDialog *dialog)
{
    return dialog->findChild<QLineEdit *>(QStringLiteral("summaryEdit"))->text();
}

QString waitingText(ReminderDialog *dialog)
{
    auto *label = dialog->findChild<QLabel *>(QStringLiteral("waitingLabel"));
    return label->isVisible() ? label->text() : QString();
}

int visibleReminderDialogs()
{
    int count = 0;
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (QWidget *window : windows)
        count += qobject_cast<ReminderDialog *>(window) && window->isVisible();
    return count;
}

} // namespace

class TestReminderQueue : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void thousandDueAnsweredOneAfterAnother();
    void endingLeavesRemindersDue();
    void deletedNoteTakesItsReminderAlong();
};

void TestReminderQueue::init()
{
    NativeSettings::setValue(Preferences::userKey(Preferences::Names::ReminderNoticePlaySound),
                             false);
    ReminderQueue::instance().setMaxOpen(ReminderQueue::kDefaultMaxOpen);
}

void TestReminderQueue::cleanup()
{
    ReminderQueue::instance().abandonAll();
}

void TestReminderQueue::thousandDueAnsweredOneAfterAnother()
{
    constexpr int kCount = 1000;
    const QDateTime due = QDateTime::currentDateTime().addSecs(-600);
    auto notes = dueNotes(kCount, due);
    ReminderQueue &queue = ReminderQueue::instance();

    for (const auto &note : notes)
        note->reminderCheck();
    QCOMPARE(queue.openCount(), ReminderQueue::kDefaultMaxOpen);
    QCOMPARE(queue.waitingCount(), kCount - ReminderQueue::kDefaultMaxOpen);
    QCOMPARE(visibleReminderDialogs(), ReminderQueue::kDefaultMaxOpen);
    for (ReminderDialog *dialog : queue.openDialogs())
        QCOMPARE(waitingText(dialog), QStringLiteral("990 more reminder(s) waiting"));
    // A second tick adds nothing: every note already waits for its answer.
    for (const auto &note : notes)
        note->reminderCheck();
    QCOMPARE(queue.openCount() + queue.waitingCount(), kCount);

    // Answer them one by one from the program's own event loop, the way the
    // user clicks: each answer comes back to that loop, none nests another.
    QStringList order;
    int deepestLoop = 0;
    int mostOnScreen = 0;
    QEventLoop loop;
    QTimer user;
    user.setInterval(0);
    connect(&user, &QTimer::timeout, &loop, [&] {
        deepestLoop = std::max(deepestLoop, int(QThread::currentThread()->loopLevel()));
        mostOnScreen = std::max(mostOnScreen, visibleReminderDialogs());
        const QList<ReminderDialog *> open = queue.openDialogs();
        if (open.isEmpty()) {
            loop.quit();
            return;
        }
        ReminderDialog *dialog = open.first();
        order << summaryShown(dialog);
        const bool snooze = order.size() % 100 == 0;
        dialog
            ->findChild<QPushButton *>(snooze ? QStringLiteral("snoozeButton")
                                              : QStringLiteral("dismissButton"))
            ->click();
    });
    QTimer::singleShot(120000, &loop, [&loop] { loop.exit(1); }); // only if something hangs
    user.start();
    QCOMPARE(loop.exec(), 0);

    QCOMPARE(deepestLoop, 1);
    QCOMPARE(mostOnScreen, ReminderQueue::kDefaultMaxOpen);
    QCOMPARE(order.size(), kCount);
    QCOMPARE(queue.waitingCount(), 0);
    // Answered in the order they fell due.
    for (int i = 0; i < kCount; ++i)
        QCOMPARE(order.at(i), QStringLiteral("\"%1\"").arg(noteName(i)));
    const QDateTime now = QDateTime::currentDateTime();
    for (int i = 0; i < kCount; ++i) {
        const StickyWidget &note = *notes.at(i);
        if ((i + 1) % 100 == 0) {
            QVERIFY(note.reminderDate() > now);
            QCOMPARE(note.originalReminderDate(), due);
        } else {
            QVERIFY2(note.reminderDate().isNull(), qPrintable(noteName(i)));
        }
    }
}

void TestReminderQueue::endingLeavesRemindersDue()
{
    const QDateTime due = QDateTime::currentDateTime().addSecs(-120);
    auto notes = dueNotes(3, due);
    ReminderQueue &queue = ReminderQueue::instance();
    queue.setMaxOpen(2);
    for (const auto &note : notes)
        note->reminderCheck();
    QCOMPARE(queue.openCount(), 2);
    QCOMPARE(waitingText(queue.openDialogs().first()),
             QStringLiteral("1 more reminder(s) waiting"));

    queue.abandonAll(); // what the program's ending does
    QCOMPARE(queue.openCount(), 0);
    QCOMPARE(queue.waitingCount(), 0);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCOMPARE(visibleReminderDialogs(), 0);
    for (const auto &note : notes) {
        QCOMPARE(note->reminderDate(), due);
        QCOMPARE(note->originalReminderDate(), due);
    }
}

void TestReminderQueue::deletedNoteTakesItsReminderAlong()
{
    const QDateTime due = QDateTime::currentDateTime().addSecs(-120);
    auto notes = dueNotes(3, due);
    ReminderQueue &queue = ReminderQueue::instance();
    queue.setMaxOpen(1);
    for (const auto &note : notes)
        note->reminderCheck();
    QCOMPARE(summaryShown(queue.openDialogs().first()), QStringLiteral("\"Note a\""));

    notes.at(1).reset(); // waiting: simply dropped
    notes.at(0).reset(); // on screen: its dialog goes, the next one comes
    QCOMPARE(queue.openCount(), 1);
    QCOMPARE(queue.waitingCount(), 0);
    QCOMPARE(summaryShown(queue.openDialogs().first()), QStringLiteral("\"Note c\""));
    QCOMPARE(waitingText(queue.openDialogs().first()), QString());
}

QTEST_MAIN(TestReminderQueue)
#include "tst_reminderqueue.moc"
