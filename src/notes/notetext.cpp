#include "notes/notetext.h"

#include "base/localdatetext.h"
#include "reminders/remindertiming.h"
#include "richtext/markupsafety.h"

#include <QCoreApplication>
#include <QRegularExpression>
#include <QTextDocument>

namespace NoteText {
namespace {
constexpr int kSummaryLimit = 30;
constexpr int kSummaryCut = 27;
const QString kFixedReminderFormat = QLatin1String(ReminderTiming::kReminderDateFormat);

QString tr(const char *text)
{
    return QCoreApplication::translate("NoteText", text);
}
} // namespace

QString plainTextOfStoredHtml(const QString &html)
{
    if (!MarkupSafety::isSafeToLayOut(html))
        return MarkupSafety::plainText(html);
    QTextDocument document;
    document.setHtml(html);
    return document.toPlainText();
}

QString summary(const QString &plainText)
{
    // Everything but ASCII letters, whitespace and the printable ASCII
    // punctuation (33-47, 58-64, 91-96, 123-126). Compiled once per process.
    static const QRegularExpression unwanted(QStringLiteral("[^A-Za-z\\s!-/:-@\\[-`{-~]"));
    QString text = QString(plainText).remove(unwanted).simplified();
    if (text.size() > kSummaryLimit)
        text = text.left(kSummaryCut) + QLatin1String("...");
    if (!text.isEmpty())
        text = QLatin1Char('"') + text + QLatin1Char('"');
    return text;
}

bool hasOverlongWord(const QString &plainText, qsizetype limit)
{
    qsizetype run = 0;
    for (const QChar character : plainText) {
        run = character.isSpace() ? 0 : run + 1;
        if (run > limit)
            return true;
    }
    return false;
}

QString reminderStatus(const QDateTime &originalReminderDate, const QDateTime &reminderDate,
                       const QString &periodicMask)
{
    if (reminderDate.isNull())
        return tr("No reminder set.");
    if (originalReminderDate == reminderDate) {
        const QString heading = periodicMask.startsWith(QLatin1Char('|'))
                                    ? tr("Periodic reminder next scheduled for")
                                    : tr("Reminder scheduled for");
        return QStringLiteral("%1: %2").arg(
            heading, localDateText(originalReminderDate, kFixedReminderFormat));
    }
    return QStringLiteral("%1: %2\n%3: %4")
        .arg(tr("Original reminder scheduled for"),
             localDateText(originalReminderDate, kFixedReminderFormat), tr("Snoozing until"),
             localDateText(reminderDate, kFixedReminderFormat));
}

} // namespace NoteText
