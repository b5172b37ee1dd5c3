#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// Notes written on Windows ask for Windows font families. Without a
// substitute Qt falls back to a much wider face and text runs out of its
// window (the welcome note in "Pristina" and "MS Shell Dlg" did). Each
// family gets installed faces of similar width, best first; Qt uses the
// first one present.
namespace FontSubstitutes {

struct Substitute
{
    QString family;
    QStringList candidates;
};

QList<Substitute> table();

// Registers the table with QFont::insertSubstitutions(); call once at start.
void install();

} // namespace FontSubstitutes
