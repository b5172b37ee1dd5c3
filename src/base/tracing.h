#pragma once

#include <QLoggingCategory>

// Trace channels of the program, one per area. Their debug lines are off by
// default: they name notes' texts and the links clicked, which do not belong
// in a session log. NOTARELLA_TRACE=1 switches every channel on, and
// QT_LOGGING_RULES (e.g. "notarella.store.debug=true") chooses them one by
// one, overriding NOTARELLA_TRACE. Warnings and errors are always written.
Q_DECLARE_LOGGING_CATEGORY(lcApp)
Q_DECLARE_LOGGING_CATEGORY(lcStore)
Q_DECLARE_LOGGING_CATEGORY(lcNotes)
Q_DECLARE_LOGGING_CATEGORY(lcReminders)
Q_DECLARE_LOGGING_CATEGORY(lcRichText)
Q_DECLARE_LOGGING_CATEGORY(lcPanel)
Q_DECLARE_LOGGING_CATEGORY(lcWidgets)
Q_DECLARE_LOGGING_CATEGORY(lcPlatform)

namespace Tracing {

// Switches every trace channel on when the environment variable
// NOTARELLA_TRACE is set to anything but empty or "0". Call it once at the
// start of the process; rules of QT_LOGGING_RULES still take precedence.
void applyEnvironment();

} // namespace Tracing
