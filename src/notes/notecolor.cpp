#include "notes/notecolor.h"

#include "base/tracing.h"
#include "settings/preferences.h"

#include <QColor>

namespace NoteColor {

bool isUsable(const QString &rgb)
{
    return QColor::isValidColorName(rgb.trimmed());
}

Choice usable(const QString &rgb, const QString &name)
{
    using namespace Preferences;
    if (isUsable(rgb))
        return {rgb, name};
    qCWarning(lcNotes) << "unreadable note colour" << rgb << "- using the default colour";
    const QString userRgb = userString(Names::DefaultRGB);
    if (isUsable(userRgb))
        return {userRgb, userString(Names::DefaultColor)};
    return {preference(Names::DefaultRGB).factoryDefault.toString(),
            preference(Names::DefaultColor).factoryDefault.toString()};
}

} // namespace NoteColor
