#include "app/backupcommands.h"

#include "base/tracing.h"
#include "store/notebackups.h"
#include "ui/standarddialogs.h"
#include "ui/userprompt.h"

#include <QAction>
#include <QDir>
#include <QLocale>
#include <QMenu>

#include <optional>

BackupCommands::BackupCommands(QWidget *window, NoteWriter &writer, const QString &databaseFile,
                               QMenu *menu, Notes notes)
    : QObject(window), m_window(window), m_writer(writer), m_databaseFile(databaseFile),
      m_notes(std::move(notes))
{
    menu->addSeparator();
    m_backUpAction = menu->addAction(QString());
    m_restoreAction = menu->addAction(QString());
    m_backUpAction->setObjectName(QStringLiteral("backUpNowAction"));
    m_restoreAction->setObjectName(QStringLiteral("restoreFromBackupAction"));
    connect(m_backUpAction, &QAction::triggered, this, &BackupCommands::backUpNow);
    connect(m_restoreAction, &QAction::triggered, this, &BackupCommands::restoreFromBackup);
    connect(&m_writer, &NoteWriter::backedUp, this, &BackupCommands::reportDailyBackup);
    retranslate();
}

void BackupCommands::retranslate()
{
    m_backUpAction->setText(tr("&Back up now…"));
    m_restoreAction->setText(tr("&Restore from backup…"));
}

void BackupCommands::backUpNow()
{
    qCDebug(lcStore) << "BackupCommands::backUpNow()";
    // The copy holds the notes as they are on the screen now.
    if (!m_notes.save())
        return; // the user has been told why
    const QString target = NoteBackups::byHandName(m_databaseFile, QDateTime::currentDateTime());
    const NoteWriter::Outcome outcome = m_writer.backUp(target);
    const QString shown = QDir::toNativeSeparators(target).toHtmlEscaped();
    if (outcome.saved)
        UserPrompt::information(m_window, tr("Backup Written"),
                                tr("<p>A copy of your notes was written to %1.</p><p>"
                                   "<i>Restore from backup…</i> brings it back.</p>")
                                    .arg(shown));
    else
        UserPrompt::warning(m_window, tr("Backup Not Written"),
                            tr("<p>The copy of your notes could not be written to %1:</p>"
                               "<p>%2</p>")
                                .arg(shown, outcome.error.toHtmlEscaped()),
                            QMessageBox::Ok, QMessageBox::Ok);
}

void BackupCommands::takeDailyBackup()
{
    const QDate today = QDate::currentDate();
    if (m_notes.loading() || today == m_dailyBackupDate)
        return;
    m_dailyBackupDate = today;
    qCDebug(lcStore) << "BackupCommands::takeDailyBackup()" << today;
    // Queued behind the saves handed over before, so the copy holds the last
    // of them.
    m_writer.backUpDailyLater(NoteBackups::dailyName(m_databaseFile, today), kDailyCopiesKept);
}

void BackupCommands::reportDailyBackup(const QString &target, const NoteWriter::Outcome &outcome)
{
    if (outcome.saved)
        return;
    UserPrompt::notify(
        m_window, tr("Daily Backup Not Written"),
        tr("<p>Today's copy of your notes could not be written to %1:</p>"
           "<p>%2</p><p>Your notes themselves are not affected.</p>")
            .arg(QDir::toNativeSeparators(target).toHtmlEscaped(), outcome.error.toHtmlEscaped()));
}

void BackupCommands::restoreFromBackup()
{
    qCDebug(lcStore) << "BackupCommands::restoreFromBackup()";
    // Copies that cannot be restored are listed too, with the reason, so a
    // copy the user expects is not silently missing.
    const QList<NoteBackups::Copy> copies = NoteBackups::list(m_databaseFile);
    if (copies.isEmpty()) {
        UserPrompt::information(m_window, tr("Restore from Backup"),
                                tr("<p>There is no copy of your notes to restore yet.</p>"));
        return;
    }
    const QLocale locale;
    QStringList items;
    int firstUsable = -1;
    for (const NoteBackups::Copy &copy : copies) {
        QString when = locale.toString(copy.taken.date(), QLocale::LongFormat);
        if (copy.kind != NoteBackups::Kind::Daily) // a daily copy's time is not known
            when += QLatin1Char(' ') + locale.toString(copy.taken.time(), QLocale::ShortFormat);
        const QString kind = copy.kind == NoteBackups::Kind::Daily    ? tr("daily copy")
                             : copy.kind == NoteBackups::Kind::ByHand ? tr("taken by hand")
                                                                      : tr("before a restore");
        if (copy.notes < 0) {
            items.append(tr("%1 (%2) - cannot be restored: %3").arg(when, kind, copy.problem));
            continue;
        }
        if (firstUsable < 0)
            firstUsable = int(items.size());
        const QString notes = copy.notes == 1 ? tr("1 note") : tr("%1 notes").arg(copy.notes);
        items.append(tr("%1 (%2) - %3").arg(when, kind, notes));
    }
    const std::optional<QString> choice =
        StandardDialogs::getItem(m_window, tr("Restore from Backup"), tr("Copy to restore:"), items,
                                 std::max(0, firstUsable));
    if (!choice)
        return;
    const NoteBackups::Copy chosen = copies.at(std::max<qsizetype>(0, items.indexOf(*choice)));
    if (chosen.notes < 0) {
        UserPrompt::warning(m_window, tr("Restore from Backup"),
                            tr("<p>This copy cannot be restored: %1</p><p>Your notes are as "
                               "they were.</p>")
                                .arg(chosen.problem.toHtmlEscaped()),
                            QMessageBox::Ok, QMessageBox::Ok);
        return;
    }
    const QString keepAs =
        NoteBackups::beforeRestoreName(m_databaseFile, QDateTime::currentDateTime());
    const QString keptShown = QDir::toNativeSeparators(keepAs).toHtmlEscaped();
    const QMessageBox::StandardButton answer = UserPrompt::warning(
        m_window, tr("Restore from Backup"),
        tr("<p>Replace your current notes (%1) by the notes of this copy?</p>")
                .arg(m_notes.count()) +
            QStringLiteral("<p>%1</p>").arg(choice->toHtmlEscaped()) +
            tr("<p>Your current notes are kept as %1 and can be restored from there.</p>")
                .arg(keptShown),
        QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
    if (answer != QMessageBox::Yes)
        return;
    // The copy kept must hold the notes as they are on the screen.
    if (!m_notes.save())
        return; // the user has been told why; nothing was replaced
    const NoteWriter::Outcome outcome = m_writer.restore(chosen.file, keepAs);
    if (!outcome.saved) {
        UserPrompt::warning(m_window, tr("Restore from Backup"),
                            tr("<p>The copy could not be restored:</p><p>%1</p><p>Your notes "
                               "are as they were.</p>")
                                .arg(outcome.error.toHtmlEscaped()),
                            QMessageBox::Ok, QMessageBox::Ok);
        return;
    }
    m_notes.reload();
}
