#include "base/tracing.h"

Q_LOGGING_CATEGORY(lcApp, "notarella.app")
Q_LOGGING_CATEGORY(lcStore, "notarella.store")
Q_LOGGING_CATEGORY(lcNotes, "notarella.notes")
Q_LOGGING_CATEGORY(lcReminders, "notarella.reminders")
Q_LOGGING_CATEGORY(lcRichText, "notarella.richtext")
Q_LOGGING_CATEGORY(lcPanel, "notarella.panel")
Q_LOGGING_CATEGORY(lcWidgets, "notarella.widgets")
Q_LOGGING_CATEGORY(lcPlatform, "notarella.platform")
