#pragma once

#include "app/mainwindow.h"
#include "dialogdriving.h"
#include "panel/deletednotesdialog.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QTimer>
#include <QTreeWidget>

#include <functional>

// Opens Notes → "Deleted Notes…" of `window` as a user does and hands the
// list to `act` while it is up; then closes it with its Close button. A list
// still open after five seconds is closed, so no test waits on it. False
// when the entry or the list did not show.
inline bool inDeletedNotes(MainWindow &window, const std::function<void(DeletedNotesDialog *)> &act)
{
    QAction *entry = window.notesMenu()->findChild<QAction *>(QStringLiteral("deletedNotesAction"));
    if (!entry)
        return false;
    bool seen = false;
    QTimer::singleShot(0, &window, [&seen, act] {
        auto *dialog = qobject_cast<DeletedNotesDialog *>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        seen = true;
        act(dialog);
        if (QApplication::activeModalWidget() == dialog)
            DialogDriving::button(dialog, QStringLiteral("&Close"))->click();
    });
    QTimer watchdog;
    QObject::connect(&watchdog, &QTimer::timeout, &window, [] {
        if (auto *open = qobject_cast<QDialog *>(QApplication::activeModalWidget()))
            open->reject();
    });
    watchdog.start(5000);
    entry->trigger();
    return seen;
}

// Selects the rows `rows` of the list, as clicks with Ctrl held would.
inline void selectDeletedRows(DeletedNotesDialog *dialog, const QList<int> &rows)
{
    auto *list = dialog->findChild<QTreeWidget *>(QStringLiteral("deletedNotesList"));
    list->clearSelection();
    for (int row : rows)
        list->topLevelItem(row)->setSelected(true);
}
