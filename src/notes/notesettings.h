#pragma once

#include <QSize>
#include <QString>

// The preferences a note uses while it is built and translated. Loading
// every stored note reads them once and hands them to each note, instead of
// every note opening the settings store three or four times.
struct NoteSettings
{
    QString dateFormat; // "UserDefinedVariables/DateFormat"
    QSize defaultSize;  // "UserDefinedVariables/DefaultWidth" x "DefaultHeight"

    // The user's current choices, read afresh from the settings store.
    static NoteSettings read();
};
