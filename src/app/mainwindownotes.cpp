// The note operations of the main window: saving every note, loading them at
// start-up, adopting, creating and removing notes.

#include "app/mainwindow.h"
#include "base/tracing.h"
#include "exchange/noteimport.h"
#include "notes/noteplacement.h"
#include "notes/notesettings.h"
#include "notes/notetext.h"
#include "notes/stickywidget.h"
#include "platform/displayplatform.h"
#include "platform/nativesettings.h"
#include "richtext/pictureintake.h"
#include "settings/preferences.h"
#include "store/notebackups.h"
#include "sync/syncservice.h"
#include "ui/userprompt.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QScopedValueRollback>
#include <QSet>
#include <QStandardPaths>
#include <QTextBrowser>
#include <QWindow>

namespace {

NoteRecord recordOf(const StickyWidget &sticky)
{
    NoteRecord record;
    record.id = sticky.stickyID();
    record.visible = sticky.isVisible();
    record.colorRGB = sticky.colorRGB();
    record.colorName = sticky.colorName();
    record.creationDate = sticky.creationDate();
    record.originalReminderDate = sticky.originalReminderDate();
    record.reminderDate = sticky.reminderDate();
    record.periodicMask = sticky.periodicMask();
    record.locked = sticky.isLocked();
    record.alwaysOnTop = sticky.isStaysOnTop();
    record.message = sticky.message();
    const QPoint position = sticky.positionToStore();
    record.x = position.x();
    record.y = position.y();
    record.width = sticky.width();
    record.height = sticky.height();
    record.taskbarEntry = !sticky.isToolWindow();
    return record;
}

} // namespace

void MainWindow::saveStickies()
{
    saveNotes();
}

QList<NoteRecord> MainWindow::collectRecords() const
{
    QList<NoteRecord> records;
    records.reserve(stickyList.size());
    for (const StickyWidget *sticky : std::as_const(stickyList))
        records.append(recordOf(*sticky));
    return records;
}

bool MainWindow::saveNotes()
{
    qCDebug(lcStore) << "MainWindow::saveStickies()";
    if (m_loadingNotes) {
        qCDebug(lcStore) << "   +-- not while the notes are being loaded";
        return false;
    }
    const NoteWriter::Outcome outcome = m_writer.save(collectRecords());
    reportSaveOutcome(outcome);
    return outcome.saved;
}

void MainWindow::saveStickiesInBackground()
{
    qCDebug(lcStore) << "MainWindow::saveStickies() - handed to the writer";
    if (m_loadingNotes)
        return;
    m_writer.saveLater(collectRecords());
    if (m_sync)
        m_sync->notesChanged();
}

void MainWindow::reportSaveOutcome(const NoteWriter::Outcome &outcome)
{
    reportIncidents(outcome.incidents);
    const QString file = QDir::toNativeSeparators(m_databaseFile).toHtmlEscaped();
    if (!outcome.saved && !m_saveFailing) {
        m_saveFailing = true;
        UserPrompt::notify(
            this, tr("Notes Not Saved"),
            tr("<p>Notarella could not save your notes to %1:</p><p>%2</p><p>Your notes are kept "
               "while Notarella runs, and it tries again every minute. You will be told when "
               "saving works again.</p>")
                .arg(file, outcome.error.toHtmlEscaped()));
    } else if (outcome.saved && m_saveFailing) {
        m_saveFailing = false;
        UserPrompt::notify(this, tr("Notes Saved Again"),
                           tr("<p>Notarella saved your notes to %1 again.</p>").arg(file));
    }
    qCDebug(lcStore) << (outcome.saved ? "Finished Saving" : "Saving failed:") << outcome.error;
}

void MainWindow::saveAtExit()
{
    if (m_loadingNotes)
        return;
    const QList<NoteRecord> records = collectRecords();
    const NoteWriter::Outcome outcome = m_writer.save(records);
    reportSaveOutcome(outcome);
    if (outcome.saved)
        return;
    const QString reason = outcome.error;
    const QList<TrashedNote> trash = m_writer.trashedNotes();
    const QString name = QFileInfo(m_databaseFile).fileName() + QStringLiteral(".rescued-") +
                         QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
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
    QString error;
    const QString rescue = NoteBackups::writeRescueCopy(folders, name, records, trash, &error);
    if (!rescue.isEmpty()) {
        qCritical("Notes could not be saved to %s; they were written to %s",
                  qPrintable(m_databaseFile), qPrintable(rescue));
        UserPrompt::warning(
            this, tr("Notes Saved Elsewhere"),
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
        this, tr("Notes Not Saved"),
        tr("<p>Notarella could not save your notes to %1:</p><p>%2</p><p>No "
           "other place to keep them could be written either; the changes since "
           "the last save are lost.</p>")
            .arg(QDir::toNativeSeparators(m_databaseFile).toHtmlEscaped(), reason.toHtmlEscaped()),
        QMessageBox::Ok, QMessageBox::Ok);
}

void MainWindow::reportIncidents(const QList<NoteDatabase::Incident> &incidents)
{
    const QString file = QDir::toNativeSeparators(m_databaseFile).toHtmlEscaped();
    for (const NoteDatabase::Incident &incident : incidents) {
        const QString keptAs = QDir::toNativeSeparators(incident.keptAs).toHtmlEscaped();
        switch (incident.kind) {
        case NoteDatabase::Incident::Kind::Missing:
            UserPrompt::notify(this, tr("Note File Written Again"),
                               tr("<p>Your note file %1 had been deleted. Notarella wrote all "
                                  "your notes to it again.</p>")
                                   .arg(file));
            break;
        case NoteDatabase::Incident::Kind::Replaced:
            UserPrompt::notify(this, tr("Note File Replaced"),
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
            UserPrompt::notify(this, tr("Note File Damaged"), text);
            break;
        }
        }
    }
}

void MainWindow::loadExistingStickies()
{
    qCDebug(lcStore) << "MainWindow::loadExistingStickies() --------------------------";
    QList<NoteDatabase::Incident> incidents;
    const QList<NoteRecord> records = m_writer.load(&incidents);
    reportIncidents(incidents);
    const NoteSettings settings = NoteSettings::read(); // once for all notes
    // The shown notes are made and shown first, and the hidden ones only
    // then: the user waits for the notes on screen, not for thousands kept
    // out of sight. No save runs in between, and the list of notes is put
    // back in stored order before anyone reads it again.
    const QScopedValueRollback loading(m_loadingNotes, true);
    QList<StickyWidget *> inStoredOrder(records.size(), nullptr);
    QList<StickyWidget *> toShow;
    for (qsizetype i = 0; i < records.size(); ++i) {
        if (!records.at(i).visible)
            continue;
        inStoredOrder[i] = createStickyFromRecord(records.at(i), settings);
        toShow.append(inStoredOrder[i]);
    }
    // Every shown note exists before any is shown. Showing many windows at
    // once piles up window-system and paint events that Qt compresses by
    // scanning its queues, so they are handled every few windows.
    //
    // A window manager gives the focus to every new window it maps; with a
    // thousand notes its queue of focus changes grows with the square of
    // their number. So the notes come up without taking the focus, and only
    // the last one is activated, which leaves the same note active as
    // activating each in turn.
    showLoadedNotes(toShow);
    if (!toShow.isEmpty())
        toShow.last()->activateWindow();
    // The last shown notes go to the window system before the hidden ones
    // are made.
    if (!toShow.isEmpty() && toShow.size() < records.size())
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    for (qsizetype i = 0; i < records.size(); ++i) {
        if (!inStoredOrder.at(i)) {
            qCDebug(lcStore) << "   +-- MainWindow::loadExistingStickies() - Loading Sticky"
                             << records.at(i).id;
            inStoredOrder[i] = createStickyFromRecord(records.at(i), settings);
        }
    }
    // A note deleted meanwhile stays out; one made meanwhile (by a command
    // from another start) comes after the loaded ones.
    const QSet<StickyWidget *> present(stickyList.cbegin(), stickyList.cend());
    const QSet<StickyWidget *> loaded(inStoredOrder.cbegin(), inStoredOrder.cend());
    QList<StickyWidget *> ordered;
    ordered.reserve(stickyList.size());
    for (StickyWidget *sticky : std::as_const(inStoredOrder)) {
        if (present.contains(sticky))
            ordered.append(sticky);
    }
    for (StickyWidget *sticky : std::as_const(stickyList)) {
        if (!loaded.contains(sticky))
            ordered.append(sticky);
    }
    stickyList = ordered;
    // The note list is built once for all notes (by changeLanguage() right
    // after the loading, or when the panel is first shown), not once per note.
}

StickyWidget *MainWindow::createStickyFromRecord(const NoteRecord &record,
                                                 const NoteSettings &settings)
{
    // Pictures shown from files are kept with the note from now on; the
    // next save writes them into the note file.
    auto *sticky =
        new StickyWidget(record.id, record.colorRGB, record.colorName, record.creationDate,
                         record.originalReminderDate, record.reminderDate, record.periodicMask,
                         record.locked, PictureIntake::takeIn(record.message).html, settings);
    assimilateSticky(sticky);
    Qt::WindowFlags flags = sticky->windowFlags();
    if (record.alwaysOnTop)
        flags |= Qt::WindowStaysOnTopHint;
    if (!record.taskbarEntry)
        flags = (flags & ~Qt::WindowType_Mask) | Qt::Tool;
    if (flags != sticky->windowFlags())
        sticky->setWindowFlags(flags);
    sticky->placeAt({record.x, record.y});
    sticky->resize(record.width, record.height);
    NotePlacement::keepOnScreen(sticky);
    return sticky;
}

void MainWindow::explainWindowPlaces()
{
    if (DisplayPlatform::reportsWindowPositions(QGuiApplication::platformName()) ||
        Preferences::userBool(Preferences::Names::WindowPlacesExplained))
        return;
    NativeSettings::setValue(Preferences::userKey(Preferences::Names::WindowPlacesExplained), true);
    qCDebug(lcApp) << "told the user that notes cannot be placed on"
                   << QGuiApplication::platformName();
    UserPrompt::notice(
        this, tr("Notes Cannot Be Placed"),
        tr("<p>This desktop does not let programs place their windows, so your notes open "
           "wherever the desktop puts them.</p><p>Their places are kept: Notarella does not "
           "store a place it cannot know, and the notes are back where they were in a session "
           "that lets programs place windows.</p><p>To have the notes in their places on this "
           "desktop as well, start Notarella through XWayland (the package "
           "\"xwayland\"):</p><p><tt>QT_QPA_PLATFORM=xcb "
           "notarella</tt></p>"));
}

void MainWindow::addNotes(QList<NoteRecord> records)
{
    int largestId = 0;
    for (const StickyWidget *sticky : std::as_const(stickyList))
        largestId = std::max(largestId, sticky->stickyID());
    NoteImport::assignNewIds(records, largestId);
    const NoteSettings settings = NoteSettings::read();
    QList<StickyWidget *> toShow;
    for (const NoteRecord &record : std::as_const(records)) {
        StickyWidget *sticky = createStickyFromRecord(record, settings);
        if (record.visible)
            toShow.append(sticky);
    }
    showLoadedNotes(toShow);
    updateTableWidget();
    saveNotes();
}

void MainWindow::showLoadedNotes(const QList<StickyWidget *> &notes)
{
    // No save may run meanwhile: the notes not shown yet would be stored as
    // hidden.
    const QScopedValueRollback loading(m_loadingNotes, true);
    for (qsizetype i = 0; i < notes.size(); ++i) {
        showWithoutActivating(notes.at(i));
        if (i % 25 == 24)
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }
}

void MainWindow::showWithoutActivating(StickyWidget *sticky)
{
    sticky->setAttribute(Qt::WA_ShowWithoutActivating);
    sticky->show();
    // Later shows (from the tray, the list or a reminder) take the focus
    // again as any new window does. Qt keeps the request on the native window
    // it made for the first show, so it is withdrawn there too.
    sticky->setAttribute(Qt::WA_ShowWithoutActivating, false);
    if (QWindow *window = sticky->windowHandle())
        window->setProperty("_q_showWithoutActivating", false);
}

void MainWindow::assimilateSticky(StickyWidget *sticky)
{
    qCDebug(lcStore) << "MainWindow::assimilateSticky(" << sticky->stickyID() << ")";
    stickyList.append(sticky);
    connect(sticky, &StickyWidget::stickyDeleted, this, &MainWindow::stickyDeleted);
    connect(sticky, &StickyWidget::controlPanelRequest, this, &MainWindow::showControlPanel);
}

void MainWindow::checkReminders()
{
    // Checking only queues the dialogs of due notes; no note comes or goes
    // meanwhile.
    for (StickyWidget *sticky : std::as_const(stickyList))
        sticky->reminderCheck();
}

void MainWindow::createSticky(const QString &rgb, const QString &name, const QString &text)
{
    qCDebug(lcStore) << "MainWindow::createSticky(" << rgb << "," << name << ")";
    int newID = 1;
    for (const StickyWidget *sticky : std::as_const(stickyList))
        newID = std::max(newID, sticky->stickyID() + 1);

    // Hidden notes keep their place too: shown again from the list or by a
    // reminder they would cover a new note opened at their corner.
    QList<QPoint> corners;
    for (const StickyWidget *other : std::as_const(stickyList))
        corners.append(other->positionToStore());

    auto *sticky = new StickyWidget(newID, rgb, name, QDateTime::currentDateTime(), QDateTime(),
                                    QDateTime(), QString(), false, QString());
    assimilateSticky(sticky);
    if (!text.isEmpty()) {
        if (NoteText::hasOverlongWord(text))
            sticky->textBrowser()->setWordWrapMode(QTextOption::WrapAnywhere);
        sticky->textBrowser()->setPlainText(text);
        sticky->setWindowTitle(sticky->summaryText());
    }
    if (!Preferences::userBool(Preferences::Names::UseTaskBarByDefault))
        sticky->setWindowFlags((sticky->windowFlags() & ~Qt::WindowType_Mask) | Qt::Tool);
    sticky->placeAt(NotePlacement::placeForNewNote(corners, NotePlacement::primaryScreenArea(),
                                                   sticky->size()));
    sticky->show();
    sticky->activateWindow();
    updateTableWidget();
    // Written at once, not with the next minute's save: a note the user was
    // just given survives a crash.
    saveStickiesInBackground();
}

void MainWindow::createStickyWithText(const QString &text)
{
    createSticky(Preferences::userString(Preferences::Names::DefaultRGB),
                 Preferences::userString(Preferences::Names::DefaultColor), text);
}

void MainWindow::stickyDeleted(StickyWidget *deletedSticky)
{
    qCDebug(lcStore) << "MainWindow::stickyDeleted()";
    // Kept in the trash as the save stores it, until the user removes it or
    // its 30 days are over.
    const TrashedNote trashed = {recordOf(*deletedSticky),
                                 QDateTime::fromSecsSinceEpoch(QDateTime::currentSecsSinceEpoch())};
    stickyList.removeAll(deletedSticky);
    // The note asked for its own removal from inside one of its slots (its
    // context menu may still be unwinding): it goes at once from view and
    // from the list, and is destroyed when control is back in the event loop.
    deletedSticky->hide();
    deletedSticky->deleteLater();
    updateTableWidget();
    // In the file's trash before anything else: the notes themselves are
    // written by the next save, so whenever the program ends the note is in
    // the one or the other.
    reportTrashOutcome(m_writer.moveToTrash(trashed));
    if (m_sync)
        m_sync->notesChanged();
}
