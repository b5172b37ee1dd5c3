#pragma once

#include "app/mainwindow.h"

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
    static int cascadeIndex(const MainWindow &window) { return window.m_cascadeIndex; }
    static QSqlDatabase database(const MainWindow &window)
    {
        return window.m_database.connection();
    }
    static void confirmExit(MainWindow &window) { window.confirmExit(); }
    static void aboutToQuit(MainWindow &window) { window.aboutToQuit(); }
    static QMenu *trayMenu(const MainWindow &window) { return window.m_trayMenu.get(); }
    static ReminderThread *reminderThread(const MainWindow &window)
    {
        return window.m_reminderThread;
    }
};
