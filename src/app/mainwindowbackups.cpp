// The main window's start from a copy of the note file when the file cannot
// be opened, and the notes loaded again after a copy was restored.

#include "app/mainwindow.h"
#include "base/tracing.h"
#include "notes/stickywidget.h"
#include "store/notebackups.h"
#include "ui/userprompt.h"

#include <QDir>
#include <QLocale>

#include <optional>

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
