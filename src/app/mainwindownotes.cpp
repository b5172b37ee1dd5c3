// The note operations of the main window: saving every note, loading them at
// start-up, adopting, creating and removing notes.

#include "app/mainwindow.h"
#include "app/notesaving.h"
#include "base/tracing.h"
#include "exchange/noteimport.h"
#include "notes/noteplacement.h"
#include "notes/notesettings.h"
#include "notes/notetext.h"
#include "notes/notewindows.h"
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

void MainWindow::saveStickies()
{
    saveNotes();
}

QList<NoteRecord> MainWindow::collectRecords() const
{
    return m_book.records();
}

bool MainWindow::saveNotes()
{
    return m_saving->saveNow();
}

void MainWindow::saveStickiesInBackground()
{
    m_saving->saveLater();
}

void MainWindow::saveAtExit()
{
    m_saving->saveAtExit();
}

void MainWindow::reportSaveOutcome(const NoteWriter::Outcome &outcome)
{
    m_saving->reportSaveOutcome(outcome);
}

void MainWindow::loadExistingStickies()
{
    qCDebug(lcStore) << "MainWindow::loadExistingStickies() --------------------------";
    QList<NoteDatabase::Incident> incidents;
    QList<NoteRecord> records = m_writer.load(&incidents);
    m_saving->reportIncidents(incidents);
    // Pictures shown from files are kept with the note from now on; the
    // next save writes them into the note file. The shown notes are read
    // for them first, so the user does not wait for the hidden ones.
    for (NoteRecord &record : records) {
        if (record.visible)
            record.message = PictureIntake::takeIn(record.message).html;
    }
    // The windows follow the book: the shown notes come up first, then the
    // hidden ones are made (see NoteWindows).
    const QScopedValueRollback loading(m_loadingNotes, true);
    m_saving->setPaused(true);
    m_book.load(records);
    for (qsizetype i = 0; i < records.size() && i < m_book.size(); ++i) {
        if (records.at(i).visible)
            continue;
        Note taken;
        taken.message = PictureIntake::takeIn(records.at(i).message).html;
        m_book.change(m_book.at(i).id, taken, NoteField::Text);
    }
    m_saving->setPaused(false);
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
    QList<NoteChange> batch;
    batch.reserve(records.size());
    for (const NoteRecord &record : std::as_const(records))
        batch.append({NoteChange::Kind::Add, Note::fromRecord(record), {}});
    m_book.apply(batch, QDateTime::currentDateTime());
    saveNotes();
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
    // Hidden notes keep their place too: shown again from the list or by a
    // reminder they would cover a new note opened at their corner.
    QList<QPoint> corners;
    for (qsizetype i = 0; i < m_book.size(); ++i)
        corners.append(m_book.at(i).place.topLeft());
    Note note;
    note.colorRGB = rgb;
    note.colorName = name;
    note.creationDate = QDateTime::currentDateTime();
    note.visible = true;
    note.taskbarEntry = Preferences::userBool(Preferences::Names::UseTaskBarByDefault);
    const QSize size = NoteSettings::read().defaultSize;
    note.place = QRect(
        NotePlacement::placeForNewNote(corners, NotePlacement::primaryScreenArea(), size), size);
    StickyWidget *sticky = m_windows->windowOf(m_book.add(note));
    if (!text.isEmpty()) {
        if (NoteText::hasOverlongWord(text))
            sticky->textBrowser()->setWordWrapMode(QTextOption::WrapAnywhere);
        sticky->textBrowser()->setPlainText(text);
        sticky->setWindowTitle(sticky->summaryText());
        // With its text, as it was given.
        m_saving->saveLater();
    }
    sticky->show();
    sticky->activateWindow();
}

void MainWindow::createStickyWithText(const QString &text)
{
    createSticky(Preferences::userString(Preferences::Names::DefaultRGB),
                 Preferences::userString(Preferences::Names::DefaultColor), text);
}

void MainWindow::stickyDeleted(StickyWidget *deletedSticky)
{
    qCDebug(lcStore) << "MainWindow::stickyDeleted()";
    // Kept in the trash as the save stores it (see noteRemoved), until the
    // user removes it or its 30 days are over.
    m_book.remove(deletedSticky->stickyID(),
                  QDateTime::fromSecsSinceEpoch(QDateTime::currentSecsSinceEpoch()));
}
