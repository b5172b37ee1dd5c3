#pragma once

#include <QLoggingCategory>

// Trace channels of the program, one per area. They go to Qt's debug output
// and can be filtered with QT_LOGGING_RULES, e.g. "notarella.store.debug=false".
Q_DECLARE_LOGGING_CATEGORY(lcApp)
Q_DECLARE_LOGGING_CATEGORY(lcStore)
Q_DECLARE_LOGGING_CATEGORY(lcNotes)
Q_DECLARE_LOGGING_CATEGORY(lcReminders)
Q_DECLARE_LOGGING_CATEGORY(lcRichText)
Q_DECLARE_LOGGING_CATEGORY(lcPanel)
Q_DECLARE_LOGGING_CATEGORY(lcWidgets)
Q_DECLARE_LOGGING_CATEGORY(lcPlatform)
