// The main window's copies of the note file: "Back up now…", the copy taken
// once a day, and restoring one of them.

#include "app/mainwindow.h"
#include "base/tracing.h"
#include "notes/stickywidget.h"
#include "store/notebackups.h"
#include "ui/standarddialogs.h"
#include "ui/userprompt.h"

#include <QAction>
#include <QDir>
#include <QLocale>
#include <QMenu>
#include <QMenuBar>

#include <optional>

void MainWindow::setupBackups()
{
    QMenu *menu = notesMenu();
    menu->addSeparator();
    m_backUpAction = menu->addAction(tr("&Back up now…"));
    m_backUpAction->setObjectName(QStringLiteral("backUpNowAction"));
    m_restoreAction = menu->addAction(tr("&Restore from backup…"));
    m_restoreAction->setObjectName(QStringLiteral("restoreFromBackupAction"));
    connect(m_backUpAction, &QAction::triggered, this, &MainWindow::backUpNow);
    connect(m_restoreAction, &QAction::triggered, this, &MainWindow::restoreFromBackup);
    connect(&m_writer, &NoteWriter::backedUp, this, &MainWindow::reportDailyBackup);
}

void MainWindow::backUpNow()
{
    qCDebug(lcStore) << "MainWindow::backUpNow()";
    // The copy holds the notes as they are on the screen now.
    if (!saveNotes())
        return; // the user has been told why
    const QString target = NoteBackups::byHandName(m_databaseFile, QDateTime::currentDateTime());
    const NoteWriter::Outcome outcome = m_writer.backUp(target);
    const QString shown = QDir::toNativeSeparators(target).toHtmlEscaped();
    if (outcome.saved)
        UserPrompt::information(this, tr("Backup Written"),
                                tr("<p>A copy of your notes was written to %1.</p><p>"
                                   "<i>Restore from backup…</i> brings it back.</p>")
                                    .arg(shown));
    else
        UserPrompt::warning(this, tr("Backup Not Written"),
                            tr("<p>The copy of your notes could not be written to %1:</p>"
                               "<p>%2</p>")
                                .arg(shown, outcome.error.toHtmlEscaped()),
                            QMessageBox::Ok, QMessageBox::Ok);
}

void MainWindow::takeDailyBackup()
{
    const QDate today = QDate::currentDate();
    if (m_loadingNotes || today == m_dailyBackupDate)
        return;
    m_dailyBackupDate = today;
    qCDebug(lcStore) << "MainWindow::takeDailyBackup()" << today;
    // Queued behind the saves handed over before, so the copy holds the last
    // of them.
    m_writer.backUpDailyLater(NoteBackups::dailyName(m_databaseFile, today), kDailyCopiesKept);
}

void MainWindow::reportDailyBackup(const QString &target, const NoteWriter::Outcome &outcome)
{
    if (outcome.saved)
        return;
    UserPrompt::notify(
        this, tr("Daily Backup Not Written"),
        tr("<p>Today's copy of your notes could not be written to %1:</p>"
           "<p>%2</p><p>Your notes themselves are not affected.</p>")
            .arg(QDir::toNativeSeparators(target).toHtmlEscaped(), outcome.error.toHtmlEscaped()));
}

void MainWindow::restoreFromBackup()
{
    qCDebug(lcStore) << "MainWindow::restoreFromBackup()";
    // Copies that cannot be restored are listed too, with the reason, so a
    // copy the user expects is not silently missing.
    const QList<NoteBackups::Copy> copies = NoteBackups::list(m_databaseFile);
    if (copies.isEmpty()) {
        UserPrompt::information(this, tr("Restore from Backup"),
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
    const std::optional<QString> choice = StandardDialogs::getItem(
        this, tr("Restore from Backup"), tr("Copy to restore:"), items, std::max(0, firstUsable));
    if (!choice)
        return;
    const NoteBackups::Copy chosen = copies.at(std::max<qsizetype>(0, items.indexOf(*choice)));
    if (chosen.notes < 0) {
        UserPrompt::warning(this, tr("Restore from Backup"),
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
        this, tr("Restore from Backup"),
        tr("<p>Replace your current notes (%1) by the notes of this copy?</p>")
                .arg(stickyList.size()) +
            QStringLiteral("<p>%1</p>").arg(choice->toHtmlEscaped()) +
            tr("<p>Your current notes are kept as %1 and can be restored from there.</p>")
                .arg(keptShown),
        QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
    if (answer != QMessageBox::Yes)
        return;
    // The copy kept must hold the notes as they are on the screen.
    if (!saveNotes())
        return; // the user has been told why; nothing was replaced
    const NoteWriter::Outcome outcome = m_writer.restore(chosen.file, keepAs);
    if (!outcome.saved) {
        UserPrompt::warning(this, tr("Restore from Backup"),
                            tr("<p>The copy could not be restored:</p><p>%1</p><p>Your notes "
                               "are as they were.</p>")
                                .arg(outcome.error.toHtmlEscaped()),
                            QMessageBox::Ok, QMessageBox::Ok);
        return;
    }
    reloadNotes();
}

bool MainWindow::recoverUnopenedNotes(NoteDatabase::OpenResult failure)
{
    qCDebug(lcStore) << "MainWindow::recoverUnopenedNotes()" << int(failure);
    const QString title = tr("Notarella Cannot Open Your Notes");
    if (failure == NoteDatabase::OpenResult::DirectoryFailed) {
        UserPrompt::warning(this, title,
                            tr("<p>The folder for your notes cannot be created:</p><p>%1</p>"
                               "<p>Notarella ends now. Make sure it may write there and "
                               "start it again.</p>")
                                .arg(QDir::toNativeSeparators(m_dataDirectory).toHtmlEscaped()),
                            QMessageBox::Ok, QMessageBox::Ok);
        return false;
    }
    const QString fileShown = QDir::toNativeSeparators(m_databaseFile).toHtmlEscaped();
    QString unreadable = tr("<p>Your note file cannot be read:</p><p>%1</p>").arg(fileShown);
    if (const QString problem = NoteDatabase::inspect(m_databaseFile).problem; !problem.isEmpty())
        unreadable += tr("<p>Reason: %1</p>").arg(problem.toHtmlEscaped());
    std::optional<NoteBackups::Copy> newest;
    for (const NoteBackups::Copy &copy : NoteBackups::list(m_databaseFile)) {
        if (copy.notes >= 0) {
            newest = copy;
            break;
        }
    }
    if (!newest) {
        UserPrompt::warning(this, title,
                            unreadable + tr("<p>There is no copy of it to start from. "
                                            "Notarella ends now and leaves the file as it is.</p>"),
                            QMessageBox::Ok, QMessageBox::Ok);
        return false;
    }
    const QString taken = QLocale().toString(newest->taken.date(), QLocale::LongFormat);
    const QString notes = newest->notes == 1 ? tr("1 note") : tr("%1 notes").arg(newest->notes);
    const QMessageBox::StandardButton answer = UserPrompt::warning(
        this, title,
        unreadable +
            tr("<p>Start from the newest copy of your notes, of %1, with %2?</p><p>The file "
               "that cannot be read is kept beside it. With <i>No</i>, Notarella ends now "
               "and changes nothing.</p>")
                .arg(taken, notes),
        QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes);
    if (answer != QMessageBox::Yes)
        return false;
    QString keptAs;
    QString error;
    if (!NoteBackups::replaceUnreadable(m_databaseFile, newest->file, &keptAs, &error) ||
        m_writer.open(m_dataDirectory, m_databaseFile) != NoteDatabase::OpenResult::Opened) {
        UserPrompt::warning(
            this, title,
            tr("<p>The copy could not be put in place:</p><p>%1</p><p>Notarella "
               "ends now.</p>")
                .arg((error.isEmpty() ? tr("It cannot be opened either.") : error).toHtmlEscaped()),
            QMessageBox::Ok, QMessageBox::Ok);
        return false;
    }
    UserPrompt::notify(this, tr("Notes Restored"),
                       tr("<p>Your notes were restored from the copy of %1.</p><p>The file that "
                          "could not be read was kept as %2.</p>")
                           .arg(taken, QDir::toNativeSeparators(keptAs).toHtmlEscaped()));
    return true;
}

void MainWindow::reloadNotes()
{
    qCDebug(lcStore) << "MainWindow::reloadNotes()";
    // The windows of the notes before go with the load (one of their own
    // dialogs may still be unwinding: they are destroyed later).
    loadExistingStickies();
    syncStateReloaded();
}
