#include "widgets/dialogstacking.h"

#include "base/tracing.h"

#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QWindow>

#include <algorithm>

namespace DialogStacking {
namespace {

constexpr char kWatcherName[] = "notarella-dialog-stacking";

// Marks a dialog that got the hint from here, so only that hint is withdrawn.
constexpr char kRaisedProperty[] = "_notarella_dialogAboveNotes";

// Changes the hint without hiding and re-creating the window, as
// setWindowFlags() would: the dialog is about to be mapped (or was unmapped).
void setStaysOnTop(QWidget *dialog, bool on)
{
    const Qt::WindowFlags flags = dialog->windowFlags().setFlag(Qt::WindowStaysOnTopHint, on);
    dialog->overrideWindowFlags(flags);
    if (QWindow *window = dialog->windowHandle())
        window->setFlags(flags);
    dialog->setProperty(kRaisedProperty, on);
}

class Watcher : public QObject
{
public:
    using QObject::QObject;

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        const QEvent::Type type = event->type();
        if (type != QEvent::Show && type != QEvent::Hide)
            return false;
        auto *dialog = qobject_cast<QDialog *>(watched);
        if (!dialog || !dialog->isWindow())
            return false;
        // The show event comes before the window is mapped, the hide event
        // after it was unmapped.
        if (type == QEvent::Show) {
            if (!dialog->windowFlags().testFlag(Qt::WindowStaysOnTopHint) &&
                anyWindowStaysOnTop(dialog)) {
                qCDebug(lcWidgets) << "DialogStacking: above the notes:" << dialog->windowTitle();
                setStaysOnTop(dialog, true);
            }
        } else if (dialog->property(kRaisedProperty).toBool()) {
            setStaysOnTop(dialog, false);
        }
        return false;
    }
};

} // namespace

void install(QApplication &application)
{
    if (application.findChild<QObject *>(QLatin1String(kWatcherName), Qt::FindDirectChildrenOnly))
        return;
    auto *watcher = new Watcher(&application);
    watcher->setObjectName(QLatin1String(kWatcherName));
    application.installEventFilter(watcher);
}

bool anyWindowStaysOnTop(const QWidget *except)
{
    const QList<QWidget *> windows = QApplication::topLevelWidgets();
    return std::any_of(windows.cbegin(), windows.cend(), [except](const QWidget *window) {
        return window != except && window->isVisible() &&
               window->windowFlags().testFlag(Qt::WindowStaysOnTopHint);
    });
}

} // namespace DialogStacking
