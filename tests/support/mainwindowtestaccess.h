#pragma once

#include "app/mainwindow.h"
#include "app/trashcommands.h"
#include "app/traymenu.h"

#include <QMenu>
#include <QSqlDatabase>

// Reaches the main window's private operations that the tray, the control
// panel and the window system call.
class MainWindowTestAccess
{
public:
    static void createSticky(MainWindow &window, const QString &rgb, const QString &name)
    {
        window.createSticky(rgb, name);
    }
    // A connection of the test's own to the window's note file, opened once
    // every save handed to the writer thread is written; the writer's own
    // connection belongs to its thread.
    static QSqlDatabase database(const MainWindow &window)
    {
        const_cast<MainWindow &>(window).waitForPendingSaves();
        const QString name = QStringLiteral("test-reader");
        QSqlDatabase reader = QSqlDatabase::contains(name)
                                  ? QSqlDatabase::database(name, false)
                                  : QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        if (reader.databaseName() != window.databaseFile() || !reader.isOpen()) {
            reader.close();
            reader.setDatabaseName(window.databaseFile());
            reader.open();
        }
        return reader;
    }
    static void confirmExit(MainWindow &window) { window.confirmExit(); }
    static void aboutToQuit(MainWindow &window) { window.aboutToQuit(); }
    static void saveAtExit(MainWindow &window) { window.saveAtExit(); }
    static QMenu *trayMenu(const MainWindow &window) { return window.m_trayMenu->menu(); }
    static QList<TrashedNote> trashedNotes(MainWindow &window)
    {
        return window.m_writer.trashedNotes();
    }
    static void restoreFromTrash(MainWindow &window, const QList<TrashedNote> &notes)
    {
        window.m_trash->restore(notes);
    }
    static ReminderThread *reminderThread(const MainWindow &window)
    {
        return window.m_reminderThread;
    }
};
