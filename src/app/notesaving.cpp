#include "app/notesaving.h"

#include "base/tracing.h"
#include "model/notebook.h"
#include "store/notebackups.h"
#include "ui/userprompt.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QWidget>

NoteSaving::NoteSaving(NoteBook &book, NoteWriter &writer, QWidget *window)
    : QObject(window), m_book(book), m_writer(writer), m_window(window)
{
    connect(&writer, &NoteWriter::saved, this, &NoteSaving::reportSaveOutcome);
    // A note the user was just given survives a crash: it is written at once.
    // Whoever adds a batch saves it whole.
    connect(&book, &NoteBook::noteAdded, this, [this] {
        if (!m_book.isApplyingBatch())
            saveLater();
    });
}

void NoteSaving::setFiles(const QString &dataDirectory, const QString &databaseFile)
{
    m_dataDirectory = dataDirectory;
    m_databaseFile = databaseFile;
}

bool NoteSaving::saveNow()
{
    qCDebug(lcStore) << "NoteSaving::saveNow()";
    if (m_paused) {
        qCDebug(lcStore) << "   +-- not while the notes are being loaded";
        return false;
    }
    const NoteWriter::Outcome outcome = m_writer.save(m_book.records());
    reportSaveOutcome(outcome);
    return outcome.saved;
}

void NoteSaving::saveLater()
{
    qCDebug(lcStore) << "NoteSaving::saveLater() - handed to the writer";
    if (!m_paused)
        m_writer.saveLater(m_book.records());
}

void NoteSaving::reportSaveOutcome(const NoteWriter::Outcome &outcome)
{
    reportIncidents(outcome.incidents);
    const QString file = QDir::toNativeSeparators(m_databaseFile).toHtmlEscaped();
    if (!outcome.saved && !m_saveFailing) {
        m_saveFailing = true;
        UserPrompt::notify(
            m_window, tr("Notes Not Saved"),
            tr("<p>Notarella could not save your notes to %1:</p><p>%2</p><p>Your notes are kept "
               "while Notarella runs, and it tries again every minute. You will be told when "
               "saving works again.</p>")
                .arg(file, outcome.error.toHtmlEscaped()));
    } else if (outcome.saved && m_saveFailing) {
        m_saveFailing = false;
        UserPrompt::notify(m_window, tr("Notes Saved Again"),
                           tr("<p>Notarella saved your notes to %1 again.</p>").arg(file));
    }
    qCDebug(lcStore) << (outcome.saved ? "Finished Saving" : "Saving failed:") << outcome.error;
}

QStringList NoteSaving::rescueFolders() const
{
    // Only folders of the user's own: the user's data folder first, then the
    // folder of the note file (it may sit on the same full disk), the state
    // folder and the home folder. Never a shared folder such as the
    // temporary one, where anyone could read the notes.
    const QString home = QDir::homePath();
    const QString state = qEnvironmentVariableIsEmpty("XDG_STATE_HOME")
                              ? home + QStringLiteral("/.local/state")
                              : qEnvironmentVariable("XDG_STATE_HOME");
    QStringList folders;
    for (const QString &folder :
         {QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
              QStringLiteral("/Notarella"),
          m_dataDirectory, state + QStringLiteral("/Notarella"), home}) {
        const QString clean = QDir::cleanPath(folder);
        if (!folder.isEmpty() && QDir::isAbsolutePath(clean) && !folders.contains(clean))
            folders.append(clean);
    }
    return folders;
}

void NoteSaving::saveAtExit()
{
    if (m_paused)
        return;
    const QList<NoteRecord> records = m_book.records();
    const NoteWriter::Outcome outcome = m_writer.save(records);
    reportSaveOutcome(outcome);
    if (outcome.saved)
        return;
    const QString reason = outcome.error;
    const QList<TrashedNote> trash = m_writer.trashedNotes();
    const QString name = QFileInfo(m_databaseFile).fileName() + QStringLiteral(".rescued-") +
                         QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    const QStringList folders = rescueFolders();
    QString error;
    const QString rescue = NoteBackups::writeRescueCopy(folders, name, records, trash, &error);
    if (!rescue.isEmpty()) {
        qCritical("Notes could not be saved to %s; they were written to %s",
                  qPrintable(m_databaseFile), qPrintable(rescue));
        UserPrompt::warning(
            m_window, tr("Notes Saved Elsewhere"),
            tr("<p>Notarella could not save your notes to %1:</p><p>%2</p><p>They were written "
               "to %3 instead. Copy that file to %1 before Notarella starts again to get them "
               "back.</p>")
                .arg(QDir::toNativeSeparators(m_databaseFile).toHtmlEscaped(),
                     reason.toHtmlEscaped(), QDir::toNativeSeparators(rescue).toHtmlEscaped()),
            QMessageBox::Ok, QMessageBox::Ok);
        return;
    }
    qCritical("Notes could not be saved to %s, nor anywhere else", qPrintable(m_databaseFile));
    UserPrompt::warning(
        m_window, tr("Notes Not Saved"),
        tr("<p>Notarella could not save your notes to %1:</p><p>%2</p><p>No "
           "other place to keep them could be written either; the changes since "
           "the last save are lost.</p>")
            .arg(QDir::toNativeSeparators(m_databaseFile).toHtmlEscaped(), reason.toHtmlEscaped()),
        QMessageBox::Ok, QMessageBox::Ok);
}

void NoteSaving::reportIncidents(const QList<NoteDatabase::Incident> &incidents)
{
    const QString file = QDir::toNativeSeparators(m_databaseFile).toHtmlEscaped();
    for (const NoteDatabase::Incident &incident : incidents) {
        const QString keptAs = QDir::toNativeSeparators(incident.keptAs).toHtmlEscaped();
        switch (incident.kind) {
        case NoteDatabase::Incident::Kind::Missing:
            UserPrompt::notify(m_window, tr("Note File Written Again"),
                               tr("<p>Your note file %1 had been deleted. Notarella wrote all "
                                  "your notes to it again.</p>")
                                   .arg(file));
            break;
        case NoteDatabase::Incident::Kind::Replaced:
            UserPrompt::notify(m_window, tr("Note File Replaced"),
                               tr("<p>Another file had taken the place of your note file %1. It "
                                  "was moved to %2, and Notarella wrote all your notes to %1 "
                                  "again.</p>")
                                   .arg(file, keptAs));
            break;
        case NoteDatabase::Incident::Kind::Damaged: {
            QString text =
                (incident.unreadable == 1
                     ? tr("<p>Your note file %1 is damaged: one note could not be read.</p>")
                           .arg(file)
                     : tr("<p>Your note file %1 is damaged: %2 notes could not be read.</p>")
                           .arg(file, QString::number(incident.unreadable)));
            if (incident.fromBackup > 0)
                text += tr("<p>Notes missing from it were taken from the save before: %1.</p>")
                            .arg(incident.fromBackup);
            text += incident.keptAs.isEmpty()
                        ? tr("<p>The damaged file could not be moved aside.</p>")
                        : tr("<p>A copy of the damaged file was kept as %1; the notes that could "
                             "be read are saved in a new file.</p>")
                              .arg(keptAs);
            UserPrompt::notify(m_window, tr("Note File Damaged"), text);
            break;
        }
        }
    }
}
