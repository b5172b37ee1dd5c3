#pragma once

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <functional>

// Helpers that work a dialog the way a person would, without ever leaving a
// test waiting on a modal window.
namespace DialogDriving {

// Result that runModal() reports when the dialog did not close by itself.
inline constexpr int kStillOpen = -1;

// Runs `dialog.exec()` and, once it is up and modal, hands it to `act`. When
// `timeoutMs` has passed, whatever modal dialogs are still open (a message box
// the test did not expect, then `dialog`) are closed with done(kStillOpen).
inline int runModal(QDialog &dialog, const std::function<void(QDialog *)> &act,
                    int timeoutMs = 5000)
{
    QPointer<QDialog> guarded(&dialog);
    QTimer::singleShot(0, &dialog, [guarded, act] {
        if (guarded && QApplication::activeModalWidget() == guarded.data())
            act(guarded.data());
    });
    QTimer watchdog;
    QObject::connect(&watchdog, &QTimer::timeout, &dialog, [guarded, &watchdog] {
        watchdog.setInterval(50); // the next stuck dialog, if any
        if (auto *stuck = qobject_cast<QDialog *>(QApplication::activeModalWidget()))
            stuck->done(kStillOpen);
        else if (guarded && guarded->isVisible())
            guarded->done(kStillOpen);
    });
    watchdog.start(timeoutMs);
    return dialog.exec();
}

// The push button of `parent` whose text is `text` (e.g. "&OK"), or nullptr.
inline QPushButton *button(const QWidget *parent, const QString &text)
{
    const QList<QPushButton *> buttons = parent->findChildren<QPushButton *>();
    for (QPushButton *candidate : buttons) {
        if (candidate->text() == text)
            return candidate;
    }
    return nullptr;
}

// Picks item `index` from the combo box's drop-down list as a user does:
// opens the list, highlights the row and presses Return. The combo box emits
// activated() also when the item was already current.
inline void pickItem(QComboBox *combo, int index)
{
    combo->showPopup();
    QAbstractItemView *view = combo->view();
    view->setCurrentIndex(view->model()->index(index, combo->modelColumn()));
    QTest::keyClick(view, Qt::Key_Return);
}

} // namespace DialogDriving
