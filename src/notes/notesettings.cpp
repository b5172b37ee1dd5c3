#include "notes/notesettings.h"

#include "settings/preferences.h"

NoteSettings NoteSettings::read()
{
    using namespace Preferences;
    return {Preferences::dateFormat(), // bounded: an absurd stored format falls back
            QSize(userInt(Names::DefaultWidth), userInt(Names::DefaultHeight))};
}
