#include "base/tracing.h"

#include <QByteArray>

// Debug lines are off unless switched on; info, warnings and errors pass.
Q_LOGGING_CATEGORY(lcApp, "notarella.app", QtInfoMsg)
Q_LOGGING_CATEGORY(lcStore, "notarella.store", QtInfoMsg)
Q_LOGGING_CATEGORY(lcNotes, "notarella.notes", QtInfoMsg)
Q_LOGGING_CATEGORY(lcReminders, "notarella.reminders", QtInfoMsg)
Q_LOGGING_CATEGORY(lcRichText, "notarella.richtext", QtInfoMsg)
Q_LOGGING_CATEGORY(lcPanel, "notarella.panel", QtInfoMsg)
Q_LOGGING_CATEGORY(lcWidgets, "notarella.widgets", QtInfoMsg)
Q_LOGGING_CATEGORY(lcPlatform, "notarella.platform", QtInfoMsg)

namespace Tracing {

void applyEnvironment()
{
    const QByteArray value = qgetenv("NOTARELLA_TRACE");
    if (value.isEmpty() || value == "0")
        return;
    // Rules set here rank below QT_LOGGING_RULES, so the user's own rules win.
    QLoggingCategory::setFilterRules(QStringLiteral("notarella.*.debug=true"));
}

} // namespace Tracing
