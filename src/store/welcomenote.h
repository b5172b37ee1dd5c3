#pragma once

#include "store/noterecord.h"

#include <QDateTime>
#include <QString>

// The note a new note file starts with: it greets the user and tells where
// the program's control panel is.
namespace WelcomeNote {

// Its rich text, in the language of the running program.
QString document();
// The whole note as it is stored, made at `created`.
NoteRecord record(const QDateTime &created);

} // namespace WelcomeNote
