#pragma once

#include <QString>

// A note's colour as stored: the colour text and its display name. A colour
// text the toolkit cannot read (damaged or hand-edited rows, e.g.
// `#FF0000"; x`) would paint the note black with black text.
namespace NoteColor {

struct Choice
{
    QString rgb;
    QString name;
};

bool isUsable(const QString &rgb);

// `rgb` and `name` when the colour is readable; otherwise the user's default
// note colour, or the factory default when that is unreadable too.
Choice usable(const QString &rgb, const QString &name);

} // namespace NoteColor
